#pragma once

#include "core/kept_result.h"

#include <QMetaType>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;
class QTextEdit;

namespace pranoth {

class HistoryChart;
class HistoryModel;
class SessionModel;
class HistorySource;
class Platform;

// My History: the kept results, newest first, each chakra's trend across
// them with the minutes practised each week beneath, the kept practice
// sessions, and the selected result's full report. The window reads the results
// once when it opens; it asks and tells the user through the platform, a word
// about the history itself over the window once it is shown; it only closes
// itself.
class frmHistory : public QWidget {
    Q_OBJECT

public:
    frmHistory(HistorySource &source, Platform &platform, QWidget *parent = nullptr);
    ~frmHistory() override;

    // Reads the kept results again and selects the newest.
    void reload();

protected:
    void showEvent(QShowEvent *event) override;

signals:
    void savePdfRequested(const pranoth::KeptResult &result);
    void printRequested(const pranoth::KeptResult &result);
    // A web address in the report was clicked.
    void linkClicked(const QString &address);

private:
    // The selected result, if any.
    const KeptResult *selectedResult() const;
    // Selects the result with the given id (the newest one when it is absent).
    void selectResult(std::int64_t id);

    void showSelected();
    void updateButtons();
    void deleteSelected();
    void deleteSelectedSession();
    void deleteAll();
    void exportCsv() const;
    void showNotice(const QString &notice);
    void tell(const QString &message) const;
    bool confirm(const QString &question) const;

    HistoryModel *model = nullptr;
    SessionModel *sessions = nullptr;
    QLabel *lblNotice = nullptr;
    QLabel *lblWeeks = nullptr;
    QTableView *tblResults = nullptr;
    QTableView *tblSessions = nullptr;
    // Delete acts on the list the user was last in.
    bool sessionsInHand_ = false;
    HistoryChart *chart = nullptr;
    QTextEdit *txtReport = nullptr;
    QPushButton *cmdSavePdf = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdExportCsv = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdDeleteAll = nullptr;
    QPushButton *cmdClose = nullptr;
    HistorySource &source_;
    Platform &platform_;
    // What the user is told over the window once it is shown, after the
    // turn of the event loop that shows it.
    QString noticeWhenShown_;
    QTimer noticeTimer_;
};

} // namespace pranoth

Q_DECLARE_METATYPE(pranoth::KeptResult)
