#include "core/config.h"
#include "plugins.h"
#include "print_and_history.h"

namespace pranoth {

QStringList printAndHistoryPaths()
{
    return pluginPaths(config::PrintHistoryPlugin);
}

std::unique_ptr<PrintAndHistory> loadPrintAndHistory(const QStringList &paths, Platform &platform,
                                                     const QString &historyPath, QString &failure)
{
    auto *plugin = qobject_cast<PrintAndHistoryFactory *>(
        loadPlugin(paths, PRANOTH_PRINT_HISTORY_IID, failure));
    return plugin ? plugin->create(platform, historyPath) : nullptr;
}

} // namespace pranoth
