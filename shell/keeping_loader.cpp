#include "keeping.h"

#include "core/config.h"
#include "ui/qt_text.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace pranoth {

namespace {
using MakeKeeping = Keeping *(*)(Platform &, const QString &);
} // namespace

std::unique_ptr<Keeping> loadKeeping(Platform &platform, const QString &historyPath,
                                     QString &failure)
{
    // Beside the program in a build, or in its library folder once installed.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = fromLatin1(config::KeepingModule);
    for (const QString &path :
         {programFolder.filePath(name),
          programFolder.filePath(QStringLiteral("../") + fromLatin1(config::ModuleFolder) +
                                 QLatin1Char('/') + name)}) {
        QLibrary module(path);
        // Loaded once, it stays for the life of the program.
        if (const auto make = reinterpret_cast<MakeKeeping>(module.resolve("pranothMakeKeeping")))
            return std::unique_ptr<Keeping>(make(platform, historyPath));
        failure = module.errorString();
    }
    return {};
}

} // namespace pranoth
