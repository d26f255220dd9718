// The start-up baseline: one QMainWindow holding what Pranoth's main window
// holds (a menu bar with File, Help, Donate and a hidden fourth entry, three
// link-style labels, one bold word-wrapped label, seven check boxes, three
// buttons and a frame around two of the labels) at the same fixed size, and
// nothing else: no lock file, no settings, no resources, no icon, no custom
// fonts. bench/startup.py times Pranoth's start-up against this program.
//
// With PRANOTH_QUIT_WHEN_SHOWN set it leaves at once when its window is shown.

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <cstdlib>

namespace {

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
    wrappedLabel(QStringLiteral("A short line of text that opens a page when clicked"), client,
                 QRect(38, 2, 456, 31));

    QLabel *intro = wrappedLabel(
        QStringLiteral("A paragraph of introduction that explains in a few words what the "
                       "program does, long enough to wrap over two lines of the window, and "
                       "ends with an invitation to start right away."),
        client, QRect(17, 40, 499, 67));
    QFont bold = intro->font();
    bold.setBold(true);
    intro->setFont(bold);

    const char *const names[] = {"First choice", "Second choice", "Third choice",  "Fourth choice",
                                 "Fifth choice", "Sixth choice",  "Seventh choice"};
    const QRect boxes[] = {{41, 128, 213, 20}, {41, 156, 213, 20},  {41, 184, 213, 20},
                           {41, 216, 213, 23}, {279, 128, 213, 20}, {279, 156, 213, 20},
                           {279, 184, 213, 20}};
    for (int k = 0; k < 7; ++k)
        (new QCheckBox(QString::fromLatin1(names[k]), client))->setGeometry(boxes[k]);

    (new QPushButton(QStringLiteral("START"), client))->setGeometry(279, 209, 213, 30);
    (new QPushButton(QStringLiteral("Second"), client))->setGeometry(456, 264, 73, 21);
    (new QPushButton(QStringLiteral("Exit"), client))->setGeometry(456, 288, 73, 21);

    auto *frame = new QFrame(client);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->setGeometry(2, 256, 447, 57);
    const QRect inside(8, 11, 431, 41);
    wrappedLabel(QStringLiteral("A longer line of text in the frame, set in front of the other "
                                "one, that opens another page when clicked on."),
                 frame, inside)
        ->setAutoFillBackground(true);
    wrappedLabel(QStringLiteral("Another longer line of text in the frame, kept behind the first "
                                "one, that opens a third page when clicked on."),
                 frame, inside)
        ->setAutoFillBackground(true);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    auto *client = new QWidget(&window);
    client->setFixedSize(ClientWidth, ClientHeight);
    buildClient(client);
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    buildMenus(window.menuBar(), &window);
    window.show();

    // The start-up benchmark stops the clock here: the window is shown.
    if (qEnvironmentVariableIsSet("PRANOTH_QUIT_WHEN_SHOWN"))
        std::_Exit(0);
    return QApplication::exec();
}
