// The start-up baseline: one QMainWindow holding what Pranoth's main window
// holds (a menu bar with File, Help, Donate and a hidden fourth entry, three
// underlined blue link labels, one bold word-wrapped label, seven check boxes,
// three buttons and a frame around two of the labels) at the same fixed size,
// with the same look (the same texts, the font family the machine has for
// Pranoth's, the same sizes and weights, the same icon), and nothing else: no lock file, no
// settings, no menus' pages, no other windows. bench/startup.py times
// Pranoth's start-up against this program.
//
// With PRANOTH_QUIT_WHEN_PAINTED set it leaves right after its first paint.

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "bench/first_paint.h"

#include <cstdint>

namespace {
#include "resources/icon/pranoth_icon_pixels.inc"
} // namespace

namespace {

// The family Pranoth's fonts come out as where Verdana is missing.
QFont font(double pointSize, bool bold = false, bool underline = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

QIcon icon()
{
    QIcon sizes;
    const std::pair<const std::uint32_t *, int> pixels[] = {
        {IconPixels16, 16}, {IconPixels32, 32}, {IconPixels48, 48}, {IconPixels64, 64}};
    for (const auto &[data, size] : pixels)
        sizes.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(data), size, size,
                                                  size * 4, QImage::Format_ARGB32)));
    return sizes;
}

QLabel *linkLabel(const QString &text, QWidget *parent, const QRect &place, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font(8.25, bold, true));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(place);
    return label;
}

constexpr int ClientWidth = 533;
constexpr int ClientHeight = 315;

QLabel *wrappedLabel(const QString &text, QWidget *parent, const QRect &place)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(place);
    return label;
}

void buildMenus(QMenuBar *bar, QWidget *owner)
{
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Exit"));

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Online Help"));
    help->addAction(QStringLiteral("&Visit Us Online"));
    help->addSeparator();
    help->addAction(QStringLiteral("Check for Software &Update"));
    help->addSeparator();
    help->addAction(QStringLiteral("&About Software"));

    auto *donate = new QAction(QStringLiteral("&Donate"), owner);
    bar->addAction(donate);
    auto *hidden = new QAction(QStringLiteral("Make Money &Online"), owner);
    bar->addAction(hidden);
    hidden->setVisible(false);
}

void buildClient(QWidget *client)
{
    linkLabel(QStringLiteral("Share your chakra journey in our free discussion forum"), client,
              QRect(38, 2, 456, 31), false);

    QLabel *intro = wrappedLabel(
        QStringLiteral("Pranoth is a simple software that attempts to correlate your under-active "
                       "or overactive chakras with the corresponding yogasana and its "
                       "significance. Take the chakra test now and get a reading instantly!"),
        client, QRect(17, 40, 499, 67));
    intro->setFont(font(9.75, true));

    const char *const names[] = {"Root Chakra (Muladhara)",   "Sacral Chakra (Swadhisthanna)",
                                 "Navel Chakra (Manipura)",   "Heart Chakra (Anahata)",
                                 "Throat Chakra (Vishuddha)", "Third Eye Chakra (Ajna)",
                                 "Crown Chakra (Sahasrara)"};
    const QRect boxes[] = {{41, 128, 213, 20}, {41, 156, 213, 20},  {41, 184, 213, 20},
                           {41, 216, 213, 23}, {279, 128, 213, 20}, {279, 156, 213, 20},
                           {279, 184, 213, 20}};
    for (int k = 0; k < 7; ++k)
        (new QCheckBox(QString::fromLatin1(names[k]), client))->setGeometry(boxes[k]);

    auto *start = new QPushButton(QStringLiteral("START TEST"), client);
    start->setGeometry(279, 209, 213, 30);
    start->setFont(font(8.25, true));
    auto *second = new QPushButton(QStringLiteral("Donate"), client);
    second->setGeometry(456, 264, 73, 21);
    QFont dialogBold = QApplication::font();
    dialogBold.setBold(true);
    second->setFont(dialogBold);
    (new QPushButton(QStringLiteral("Exit"), client))->setGeometry(456, 288, 73, 21);

    auto *frame = new QFrame(client);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(2, 256, 447, 57);
    const QRect inside(8, 11, 431, 41);
    QLabel *behind = linkLabel(
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                       "online. Get this software fully branded for your website. Click here for "
                       "more details."),
        frame, inside, true);
    behind->setAutoFillBackground(true);
    linkLabel(QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic "
                             "to your site. Put your site's name &  link here. See \"Help\" for "
                             "details.    Click Here for more info on co-branding."),
              frame, inside, true)
        ->setAutoFillBackground(true);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QApplication::setWindowIcon(icon());

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Pranoth v1.15"));
    window.setWindowIcon(icon());
    window.setFont(font(8.25));
    auto *client = new QWidget(&window);
    client->setFixedSize(ClientWidth, ClientHeight);
    buildClient(client);
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    buildMenus(window.menuBar(), &window);
    window.show();
    bench::quitWhenPainted(&window);
    return QApplication::exec();
}
