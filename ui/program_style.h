#pragma once

#include <QProxyStyle>

namespace pranoth {

// The platform's style with the program's few changes: dialog buttons carry
// no icons (no current desktop shows a green arrow on OK).
class ProgramStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;
};

} // namespace pranoth
