#include "promotion.h"

#include "link_label.h"
#include "window_layout.h"

#include <QCoreApplication>
#include <QFrame>

namespace pranoth {

namespace {

// The texts, as the labels show them.
const char *const AdvertisementText = "Share your chakra journey in our free discussion forum";
const char *const CoBrandText =
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
    "site's name &  link here. See \"Help\" for details.    Click Here for more info on "
    "co-branding.";
const char *const FullBrandText =
    "Home Business Opportunity. Start your own Internet business and make money online. Get this "
    "software fully branded for your website. Click here for more details.";

} // namespace

Promotion createPromotion(QWidget *parent, const QRect &advertisement, const QRect &frame)
{
    Promotion promotion;
    promotion.Label61 =
        new LinkLabel(QString::fromLatin1(AdvertisementText), verdana(8.25), parent);
    place(promotion.Label61, "Label61", advertisement);
    promotion.Label61->setAlignment(Qt::AlignCenter);

    promotion.fraFullBrand = new QFrame(parent);
    promotion.fraFullBrand->setFrameShape(QFrame::Box);
    promotion.fraFullBrand->setFrameShadow(QFrame::Sunken);
    place(promotion.fraFullBrand, "fraFullBrand", frame);

    // Both lines share one place in the frame (120, 165 twips in, 615 high).
    const QRect inside = twipsRect(120, 165, frame.width() * TwipsPerPixel - 240, 615);
    promotion.lblFullBrand = new LinkLabel(QString::fromLatin1(FullBrandText), verdana(8.25, true),
                                           promotion.fraFullBrand);
    place(promotion.lblFullBrand, "lblFullBrand", inside);
    promotion.lblCobrand = new LinkLabel(QString::fromLatin1(CoBrandText), verdana(8.25, true),
                                         promotion.fraFullBrand);
    place(promotion.lblCobrand, "lblCobrand", inside);
    for (LinkLabel *line : {promotion.lblFullBrand, promotion.lblCobrand}) {
        line->setAlignment(Qt::AlignCenter);
        // Opaque, so the line in front hides the one behind it.
        line->setAutoFillBackground(true);
    }
    describe(promotion.fraFullBrand,
             QCoreApplication::translate("Promotion", "Offers from the maker of Pranoth"),
             QCoreApplication::translate("Promotion", "Offers"));
    promotion.lblCobrand->raise();
    return promotion;
}

} // namespace pranoth
