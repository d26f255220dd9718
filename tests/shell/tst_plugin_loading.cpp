#include "fakes.h"

#include "shell/print_and_history.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// The test plugins, built beside this test.
QString plugin(const char *name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/plugins/") +
           QLatin1String(name) + QStringLiteral(".so");
}

} // namespace

class tst_PluginLoading : public QObject {
    Q_OBJECT

private slots:
    void refusesAnythingButThisVersionsPlugin_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("failure"); // empty: loaded
        QTest::addColumn<QString>("ran");     // the plugin whose code ran, if any
        QTest::newRow("this version's plugin")
            << QStringList{plugin("current_plugin")} << QString() << "current";
        QTest::newRow("an older version's plugin")
            << QStringList{plugin("stale_plugin")}
            << plugin("stale_plugin") +
                   " belongs to another version of Pranoth (1.14); this is "
                   "version " +
                   QStringLiteral(PRANOTH_VERSION_FOR_TESTS) + "."
            << QString();
        QTest::newRow("another program's plugin")
            << QStringList{plugin("foreign_plugin")}
            << plugin("foreign_plugin") + " is not a plugin of Pranoth." << QString();
        QTest::newRow("a file that is no plugin")
            << QStringList{QCoreApplication::applicationFilePath()}
            << QCoreApplication::applicationFilePath() + " is not a plugin of Pranoth."
            << QString();
        QTest::newRow("nothing there")
            << QStringList{plugin("missing_plugin")}
            << "the file " + plugin("missing_plugin") + " is missing." << QString();
        QTest::newRow("a stale one before this version's")
            << QStringList{plugin("stale_plugin"), plugin("current_plugin")} << QString()
            << "current";
    }
    void refusesAnythingButThisVersionsPlugin()
    {
        QFETCH(QStringList, paths);
        QFETCH(QString, failure);
        QFETCH(QString, ran);
        qunsetenv("PRANOTH_TEST_PLUGIN_RAN");
        FakePlatform platform;
        QString said;
        const auto part = loadPrintAndHistory(paths, platform, QString(), said);
        QCOMPARE(part != nullptr, failure.isEmpty());
        if (!failure.isEmpty())
            QCOMPARE(said, failure);
        QCOMPARE(qEnvironmentVariable("PRANOTH_TEST_PLUGIN_RAN"), ran);
    }
};

QTEST_MAIN(tst_PluginLoading)
#include "tst_plugin_loading.moc"
