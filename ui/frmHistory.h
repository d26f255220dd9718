#pragma once

#include "core/kept_result.h"

#include <QMetaType>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTableView;
class QTextEdit;

namespace pranoth {

class HistoryChart;
class HistoryModel;
class HistorySource;
class TextCursorWriter;

// How My History asks and tells the user things. The program asks and tells
// through its platform's message boxes; tests answer through their own
// functions, so nothing ever blocks.
struct HistoryPrompts {
    // A yes/no question; true for yes.
    std::function<bool(const QString &question)> confirm;
    // A message to read and dismiss.
    std::function<void(const QString &message)> tell;
    // Where to save the CSV export, starting from `suggested`; empty to cancel.
    std::function<QString(const QString &suggested)> csvPath;

    // The file dialog for the CSV export, over the active window.
    static QString askCsvPath(const QString &suggested);
};

// My History: the kept results, newest first, each chakra's trend across
// them, and the selected result's full report. The window reads the results
// once when it opens; it only closes itself.
class frmHistory : public QWidget {
    Q_OBJECT

public:
    frmHistory(HistorySource &source, HistoryPrompts prompts, QWidget *parent = nullptr);
    ~frmHistory() override;

    // Reads the kept results again and selects the newest.
    void reload();

    // The selected result, if any.
    const KeptResult *selectedResult() const;
    // Selects the result with the given id (the newest one when it is absent).
    void selectResult(std::int64_t id);

    // Writes every kept result, oldest first, as CSV to `path`. Empty on
    // success, otherwise the message the user is told.
    QString exportCsv(const QString &path) const;

signals:
    void savePdfRequested(const pranoth::KeptResult &result);
    void printRequested(const pranoth::KeptResult &result);
    // A web address in the report was clicked.
    void linkClicked(const QString &address);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showSelected();
    void updateButtons();
    void deleteSelected();
    void deleteAll();
    void exportCsvAsked() const;
    void showNotice(const QString &notice);

    HistoryModel *model = nullptr;
    QLabel *lblNotice = nullptr;
    QTableView *tblResults = nullptr;
    HistoryChart *chart = nullptr;
    QTextEdit *txtReport = nullptr;
    QPushButton *cmdSavePdf = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdExportCsv = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdDeleteAll = nullptr;
    QPushButton *cmdClose = nullptr;
    HistorySource &source_;
    HistoryPrompts prompts_;
    std::unique_ptr<TextCursorWriter> writer_;
    bool centred_ = false;
};

} // namespace pranoth

Q_DECLARE_METATYPE(pranoth::KeptResult)
