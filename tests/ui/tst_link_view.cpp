#include "ui/link_view.h"
#include "ui/window_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextEdit>

using namespace pranoth;

namespace {

// The centre of the first occurrence of `text` in the view, in viewport coordinates.
QPoint pointOf(QTextEdit &view, const QString &text)
{
    const QTextCursor found = view.document()->find(text);
    QTextCursor middle(view.document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    return view.cursorRect(middle).center();
}

} // namespace

class tst_LinkView : public QObject {
    Q_OBJECT

    std::unique_ptr<QTextEdit> view;
    QStringList opened;

    void showText(const QString &text)
    {
        view = std::make_unique<QTextEdit>();
        view->setReadOnly(true);
        view->resize(600, 300);
        enableLinkClicks(view.get(), [this](const QString &address) { opened << address; });
        view->setPlainText(text);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
    }

private slots:
    void init() { opened.clear(); }
    void cleanup() { view.reset(); }

    void onlyWebAddressesAreOpened_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address");
        QTest::newRow("http") << "http://example.org/a?b=c"
                              << "http://example.org/a?b=c";
        QTest::newRow("https") << "https://example.org"
                               << "https://example.org";
        QTest::newRow("ftp") << "ftp://example.org/file"
                             << "ftp://example.org/file";
        QTest::newRow("mailto") << "mailto:someone@example.org"
                                << "mailto:someone@example.org";
        QTest::newRow("www taken as http") << "www.example.org"
                                           << "http://www.example.org";
        QTest::newRow("upper-case scheme") << "HTTP://EXAMPLE.ORG"
                                           << "HTTP://EXAMPLE.ORG";
        QTest::newRow("local file") << "file:///etc/passwd"
                                    << "";
        QTest::newRow("bare path") << "/usr/bin/xterm"
                                   << "";
        QTest::newRow("javascript") << "javascript:alert(1)"
                                    << "";
        QTest::newRow("scheme without host") << "http://"
                                             << "";
        QTest::newRow("empty mailto") << "mailto:"
                                      << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void onlyWebAddressesAreOpened()
    {
        QFETCH(QString, link);
        QFETCH(QString, address);
        const auto openable = openableAddress(link);
        QCOMPARE(openable.value_or(QString()), address);
    }

    void aLeftPressOnALinkOpensItOnce()
    {
        showText(QStringLiteral("Read more at www.example.org/chakras today.\nNo link here."));
        // The view marks the address itself.
        QTextCursor inLink(view->document());
        inLink.setPosition(int(view->toPlainText().indexOf(QLatin1String("example"))) + 1);
        QVERIFY(inLink.charFormat().isAnchor());
        QVERIFY(inLink.charFormat().fontUnderline());

        const QPoint link = pointOf(*view, QStringLiteral("example.org"));
        QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, link);
        QCOMPARE(opened, QStringList{QStringLiteral("http://www.example.org/chakras")});
        // The press still reached the view: its cursor moved into the link.
        QVERIFY(view->textCursor().position() > 13);
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, link);
        QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, link);
        QTest::mouseDClick(view->viewport(), Qt::RightButton, Qt::NoModifier, link);
        QCOMPARE(opened.size(), 1);

        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          pointOf(*view, QStringLiteral("No link")));
        QCOMPARE(opened.size(), 1);
    }

    void linksAppendedLaterAreRecognised()
    {
        showText(QStringLiteral("Start."));
        QTextCursor end(view->document());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral(" See https://"));
        end.insertText(QStringLiteral("example.org/x and more"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          pointOf(*view, QStringLiteral("example.org")));
        QCOMPARE(opened, QStringList{QStringLiteral("https://example.org/x")});
    }

    void aLongLinkIsCutBeforeItIsRead()
    {
        const QString longAddress =
            QStringLiteral("http://example.org/") + QString(3000, QLatin1Char('a'));
        showText(longAddress + QStringLiteral(" end"));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          pointOf(*view, QStringLiteral("http://example")));
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0].size(), MaxLinkLength);
        QVERIFY(longAddress.startsWith(opened[0]));
    }

    void twipsBecomePixels()
    {
        QCOMPARE(twipsToPixels(15), 1);
        QCOMPARE(twipsToPixels(7995), 533);
        QCOMPARE(twipsToPixels(22), 1);
        QCOMPARE(twipsToPixels(23), 2);
        // Controls that touch in twips touch in pixels.
        const QRect upper = twipsRect(612, 1920, 3200, 300);
        const QRect lower = twipsRect(612, 2220, 3200, 300);
        QCOMPARE(upper.bottom() + 1, lower.top());
        QCOMPARE(twipsRect(577, 30, 6840, 465), QRect(38, 2, 456, 31));
    }
};

QTEST_MAIN(tst_LinkView)
#include "tst_link_view.moc"
