// The plugin with printing, PDF and My History, found by loadPrintAndHistory().

#include "history_store.h"
#include "print_and_history.h"

#include <QObject>

namespace pranoth {

class PrintAndHistoryPlugin : public QObject, public PrintAndHistoryFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PRANOTH_PRINT_HISTORY_IID)
    Q_INTERFACES(pranoth::PrintAndHistoryFactory)

public:
    std::unique_ptr<PrintAndHistory> create(Platform &platform, const QString &historyPath) override
    {
        return makePrintAndHistory(platform, historyPath);
    }

    std::vector<std::int64_t> keptSessionStarts(const QString &historyPath) override
    {
        return readSessionStarts(historyPath);
    }
};

} // namespace pranoth

#include "print_and_history_plugin.moc"
