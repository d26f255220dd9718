#include "keeping.h"

#include "core/config.h"
#include "core/kept_result.h"
#include "history_store.h"
#include "ui/frmHistory.h"
#include "ui/result_document.h"
#include "ui/result_keeping.h"

#include <QPointer>

namespace pranoth {

namespace {

class KeepingParts : public Keeping {
public:
    KeepingParts(Platform &platform, QString historyPath)
        : platform_(platform), historyPath_(std::move(historyPath))
    {}

    void saveAsPdf(QWidget &parent, const Result &result) override
    {
        saveResultAsPdf(&parent, documentOf(result));
    }

    void print(QWidget &parent, const Result &result) override
    {
        printResultWithDialog(&parent, documentOf(result));
    }

    bool keep(const Result &result) override
    {
        KeptResult record = keptResultOf(
            result.run, toQDateTime(result.completed).toSecsSinceEpoch(), config::Version);
        const QString failure = history().keep(record);
        if (const QString notice = history().takeNotice(); !notice.isEmpty())
            tell(notice);
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
        HistoryPrompts prompts;
        prompts.csvPath = &HistoryPrompts::askCsvPath;
        prompts.confirm = [this](const QString &question) {
            return platform_.showMessage(question.toLatin1().toStdString(),
                                         MessageIcon::Information,
                                         MessageButtons::YesNo) == MessageAnswer::Yes;
        };
        prompts.tell = [this](const QString &message) { tell(message); };
        auto *window = new frmHistory(history(), std::move(prompts));
        window_ = window;
        QObject::connect(window, &frmHistory::savePdfRequested, window,
                         [window](const KeptResult &kept) {
                             saveResultAsPdf(window, resultDocumentData(kept));
                         });
        QObject::connect(window, &frmHistory::printRequested, window,
                         [window](const KeptResult &kept) {
                             printResultWithDialog(window, resultDocumentData(kept));
                         });
        QObject::connect(window, &frmHistory::linkClicked, window, [this](const QString &address) {
            platform_.openUrl(address.toStdString());
        });
        window->show();
    }

private:
    static ResultDocumentData documentOf(const Result &result)
    {
        return resultDocumentData(result.run, result.results, toQDateTime(result.completed));
    }

    HistoryStore &history()
    {
        if (!history_)
            history_ = std::make_unique<HistoryStore>(historyPath_);
        return *history_;
    }

    // The platform's message box takes the program's one-byte texts.
    void tell(const QString &message, MessageIcon icon = MessageIcon::Information)
    {
        platform_.showMessage(message.toLatin1().toStdString(), icon, MessageButtons::Ok);
    }

    Platform &platform_;
    QString historyPath_;
    std::unique_ptr<HistoryStore> history_; // opened when first needed
    QPointer<frmHistory> window_;
};

} // namespace

std::unique_ptr<Keeping> makeKeeping(Platform &platform, const QString &historyPath)
{
    return std::make_unique<KeepingParts>(platform, historyPath);
}

} // namespace pranoth
