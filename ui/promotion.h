#pragma once

#include <QRect>

class QFrame;
class QWidget;

namespace pranoth {

class LinkLabel;

// The branding every flow window carries: the advertisement line `Label61`
// and the frame `fraFullBrand` with the two promotion lines `lblCobrand` and
// `lblFullBrand` lying on top of each other, `lblCobrand` in front.
struct Promotion {
    LinkLabel *Label61 = nullptr;
    QFrame *fraFullBrand = nullptr;
    LinkLabel *lblCobrand = nullptr;
    LinkLabel *lblFullBrand = nullptr;
};

// Builds the branding of a window: the advertisement line at `advertisement`
// and the frame at `frame` (both in pixels of `parent`); the promotion lines
// fill the frame with the given margin.
Promotion createPromotion(QWidget *parent, const QRect &advertisement, const QRect &frame);

} // namespace pranoth
