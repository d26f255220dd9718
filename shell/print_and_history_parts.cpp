#include "print_and_history.h"

#include "core/assessment.h"
#include "core/kept_result.h"
#include "core/kept_session.h"
#include "core/platform.h"
#include "history_store.h"
#include "ui/frmHistory.h"
#include "ui/qt_text.h"
#include "ui/result_printing.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

namespace pranoth {

namespace {

QDateTime localTimeOf(const KeptResult &run)
{
    return QDateTime::fromSecsSinceEpoch(run.keptAtUtc);
}

class PrintAndHistoryParts : public PrintAndHistory {
public:
    PrintAndHistoryParts(Platform &platform, QString historyPath)
        : platform_(platform), historyPath_(std::move(historyPath))
    {}

    void saveAsPdf(const KeptResult &run, const Assessment &assessment) override
    {
        saveResultAsPdf(platform_, assessment, localTimeOf(run), history().keptSessions());
    }

    void print(QWidget &parent, const KeptResult &run, const Assessment &assessment) override
    {
        printResultWithDialog(&parent, platform_, assessment, localTimeOf(run),
                              history().keptSessions());
    }

    bool keep(KeptResult &run) override { return kept(history().keep(run)); }

    bool keepSession(KeptSession &session) override { return kept(history().keepSession(session)); }

    // After a keep: tells the user what there is to tell; true when it was kept.
    bool kept(const QString &failure)
    {
        if (const QString notice = history().takeNotice(); !notice.isEmpty())
            tell(notice, MessageIcon::Warning);
        if (!failure.isEmpty()) {
            tell(failure, MessageIcon::Critical);
            return false;
        }
        if (window_)
            window_->reload();
        return true;
    }

    void showHistory() override
    {
        if (window_) {
            window_->raise();
            window_->activateWindow();
            return;
        }
        auto *window = new frmHistory(history(), platform_);
        window_ = window;
        QObject::connect(window, &frmHistory::savePdfRequested, window,
                         [this](const KeptResult &kept) { saveAsPdf(kept, assess(kept.run)); });
        QObject::connect(
            window, &frmHistory::printRequested, window,
            [this, window](const KeptResult &kept) { print(*window, kept, assess(kept.run)); });
        QObject::connect(window, &frmHistory::linkClicked, window,
                         [this](const QString &address) { platform_.openUrl(toUtf8(address)); });
        window->show();
    }

    std::vector<KeptResult> keptResults() override
    {
        std::vector<KeptResult> results = history().keptResults();
        if (const QString notice = history().takeNotice(); !notice.isEmpty())
            tell(notice, MessageIcon::Warning);
        return results;
    }
    std::vector<KeptSession> keptSessions() override { return history().keptSessions(); }
    HistoryOverview overview() override { return history().overview(); }

private:
    HistoryStore &history()
    {
        if (!history_)
            history_ = std::make_unique<HistoryStore>(historyPath_);
        return *history_;
    }

    void tell(const QString &message, MessageIcon icon = MessageIcon::Information)
    {
        platform_.showMessage(toUtf8(message), icon, MessageButtons::Ok);
    }

    Platform &platform_;
    QString historyPath_;
    std::unique_ptr<HistoryStore> history_; // opened when first needed
    QPointer<frmHistory> window_;
};

} // namespace

std::unique_ptr<PrintAndHistory> makePrintAndHistory(Platform &platform, const QString &historyPath)
{
    return std::make_unique<PrintAndHistoryParts>(platform, historyPath);
}

} // namespace pranoth
