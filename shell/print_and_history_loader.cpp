#include "core/config.h"
#include "print_and_history.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QPluginLoader>

namespace pranoth {

namespace {

class PluginLoading {
    Q_DECLARE_TR_FUNCTIONS(PluginLoading)
};

} // namespace

QStringList printAndHistoryPaths()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = fromLatin1(config::PrintHistoryPlugin);
    return {programFolder.filePath(name),
            programFolder.filePath(QStringLiteral("../") + fromLatin1(config::PluginFolder) +
                                   QLatin1Char('/') + name)};
}

std::unique_ptr<PrintAndHistory> loadPrintAndHistory(const QStringList &paths, Platform &platform,
                                                     const QString &historyPath, QString &failure)
{
    failure =
        PluginLoading::tr("the file %1 is missing.").arg(QDir::toNativeSeparators(paths.value(0)));
    for (const QString &path : paths) {
        if (!QFileInfo(path).isFile())
            continue;
        // Its metadata is read without running any of its code.
        QPluginLoader loader(path);
        const QString interface = loader.metaData().value(QLatin1String("IID")).toString();
        if (interface != QLatin1String(PRANOTH_PRINT_HISTORY_IID)) {
            failure =
                interface.startsWith(fromLatin1(config::AppId) + QLatin1Char('.'))
                    ? PluginLoading::tr("%1 belongs to another version of Pranoth (%2); "
                                        "this is version %3.")
                          .arg(QDir::toNativeSeparators(path),
                               interface.section(QLatin1Char('/'), -1), fromLatin1(config::Version))
                    : PluginLoading::tr("%1 is not a plugin of Pranoth.")
                          .arg(QDir::toNativeSeparators(path));
            continue;
        }
        // Loaded once, it stays for the life of the program.
        auto *plugin = qobject_cast<PrintAndHistoryFactory *>(loader.instance());
        if (!plugin) {
            failure = loader.errorString();
            continue;
        }
        return plugin->create(platform, historyPath);
    }
    return {};
}

} // namespace pranoth
