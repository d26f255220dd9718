#include "plugins.h"

#include "core/config.h"
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

QStringList pluginPaths(std::string_view name)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString file = fromLatin1(name);
    return {programFolder.filePath(file),
            programFolder.filePath(QStringLiteral("../") + fromLatin1(config::PluginFolder) +
                                   QLatin1Char('/') + file)};
}

QObject *loadPlugin(const QStringList &paths, const char *iid, QString &failure)
{
    failure =
        PluginLoading::tr("the file %1 is missing.").arg(QDir::toNativeSeparators(paths.value(0)));
    for (const QString &path : paths) {
        if (!QFileInfo(path).isFile())
            continue;
        // Its metadata is read without running any of its code.
        QPluginLoader loader(path);
        const QString interface = loader.metaData().value(QLatin1String("IID")).toString();
        if (interface != QLatin1String(iid)) {
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
        if (QObject *instance = loader.instance())
            return instance;
        failure = loader.errorString();
    }
    return nullptr;
}

} // namespace pranoth
