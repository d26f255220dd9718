// The plugin with printing, PDF and My History, found by loadPrintAndHistory().

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
};

} // namespace pranoth

#include "print_and_history_plugin.moc"
