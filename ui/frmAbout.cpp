#include "frmAbout.h"

#include "core/config.h"
#include "core/web_pages.h"
#include "link_label.h"
#include "program_resources.h"
#include "qt_text.h"
#include "readable_colour.h"
#include "window_layout.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace pranoth {

namespace {

// The window's text and links, and the background of what Pranoth does.
const QColor DarkOlive(85, 107, 47);
const QColor LightYellow(255, 255, 192);

QString homePageInvitation()
{
    QString site = fromLatin1(siteAddress());
    site.remove(QStringLiteral("https://")).remove(QStringLiteral("http://"));
    return frmAbout::tr("Visit us at %1").arg(site);
}

} // namespace

frmAbout::frmAbout(Platform &platform, QWidget *opener) : QDialog(opener)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(fromLatin1(config::Caption));
    setWindowIcon(programIcon());
    setFixedSize(twipsToPixels(6825), twipsToPixels(3150));

    Picture1 = new QLabel(this);
    place(Picture1, "Picture1", twipsRect(60, 60, 480, 480));
    Picture1->setPixmap(programIcon().pixmap(32));
    describe(Picture1, tr("The program icon"), tr("Pranoth"));

    Label2 = new QLabel(fromLatin1(config::Caption), this);
    place(Label2, "Label2", twipsRect(690, 90, 2445, 240));
    Label2->setFont(verdana(9.75, true));
    describe(Label2, tr("Name and version"));

    Label1 = new QLabel(
        tr("Pranoth is a simple software that attempts to correlate your under-active or "
           "overactive chakras with the corresponding yogasana and the procedure of how to do it. "
           "This software describes in detail the yogasanas and the chakras associated with your "
           "chakra result"),
        this);
    place(Label1, "Label1", twipsRect(660, 390, 6075, 975));
    Label1->setFont(verdana(8.25));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setAutoFillBackground(true);
    describe(Label1, tr("What Pranoth does"));

    lblHomePage = new LinkLabel(homePageInvitation(), verdana(8.25), this, DarkOlive);
    place(lblHomePage, "lblHomePage", twipsRect(2640, 1470, 4050, 195));
    lblHomePage->setWordWrap(false);
    lblHomePage->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label3 = new QLabel(tr("Home Business Opportunity. Start your own Internet business and make "
                           "money online. Get this software fully branded for your website."),
                        this);
    place(Label3, "Label3", twipsRect(15, 1860, 6795, 435));
    Label3->setFont(verdana(8.25, true));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignCenter);
    describe(Label3, tr("An offer from the maker"));

    lblCoBrand = new LinkLabel(tr("Click here for more details."), verdana(8.25), this, DarkOlive);
    place(lblCoBrand, "lblCoBrand", twipsRect(4335, 2340, 2355, 195));
    lblCoBrand->setWordWrap(false);
    lblCoBrand->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    followPalette(this, [this] { colourBox(Label1, LightYellow, DarkOlive); });
    for (QLabel *label : {Label2, Label3})
        followPalette(label, [label] { colourText(label, DarkOlive); });

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    place(line, "Line1", twipsRect(60, 2610, 6705, 30));
    describe(line, tr("Separates the links from the OK button"), tr("Separator"));

    cmdOK = new QPushButton(tr("OK"), this);
    place(cmdOK, "cmdOK", twipsRect(5490, 2730, 1260, 345));
    cmdOK->setDefault(true);
    cmdOK->setFont(dialogFont());
    cmdOK->setFocus();
    describe(cmdOK, tr("Closes this window"));

    connect(lblHomePage, &LinkLabel::clicked, this,
            [&platform] { openPage(platform, page::HomePage); });
    connect(lblCoBrand, &LinkLabel::clicked, this,
            [&platform] { openPage(platform, page::FullyBranded); });
    // OK, Enter, Esc and the close box all close the window; Esc through
    // the dialog's own reject.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // In the middle of the screen, like the program's other windows.
    centreWhenFirstShown(this);
}

} // namespace pranoth
