// Plugins for the loader's test, built three ways: with this version's
// interface (TEST_PLUGIN_IID = PRANOTH_PRINT_HISTORY_IID), with an older
// version's, and with another program's. Loading one that is refused must not
// run any of its code: its static initialiser would leave a mark, as making
// the part does.

#include "core/kept_result.h"
#include "shell/print_and_history.h"

#include <QObject>

#include <cstdlib>

namespace {

const bool loaded = [] {
    setenv("PRANOTH_TEST_PLUGIN_RAN", TEST_PLUGIN_NAME, 1);
    return true;
}();

class Nothing : public pranoth::PrintAndHistory {
public:
    void saveAsPdf(const pranoth::KeptResult &, const pranoth::Assessment &) override {}
    void print(QWidget &, const pranoth::KeptResult &, const pranoth::Assessment &) override {}
    bool keep(pranoth::KeptResult &) override { return false; }
    bool keepSession(pranoth::KeptSession &) override { return false; }
    void showHistory() override {}
    std::vector<pranoth::KeptResult> keptResults() override { return {}; }
    std::vector<pranoth::KeptSession> keptSessions() override { return {}; }
    pranoth::HistoryOverview overview() override { return {}; }
};

} // namespace

class TestPlugin : public QObject, public pranoth::PrintAndHistoryFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TEST_PLUGIN_IID)
    Q_INTERFACES(pranoth::PrintAndHistoryFactory)

public:
    std::unique_ptr<pranoth::PrintAndHistory> create(pranoth::Platform &, const QString &) override
    {
        setenv("PRANOTH_TEST_PLUGIN_RAN", TEST_PLUGIN_NAME, 1);
        return loaded ? std::make_unique<Nothing>() : nullptr;
    }
    std::vector<std::int64_t> keptSessionStarts(const QString &) override { return {}; }
};

#include "test_plugin.moc"
