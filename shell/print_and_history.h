#pragma once

#include "core/config.h"
#include "core/practice_progress.h"

#include <QString>
#include <QtPlugin>

#include <cstdint>
#include <memory>
#include <vector>

class QWidget;

namespace pranoth {

class Platform;
struct Assessment;
struct KeptResult;
struct KeptSession;

// What the program does with a result on paper and in My History: Save as
// PDF, Print, Keep, and the My History window. It comes from a plugin that is
// loaded when first needed, so that print support and SQLite cost the start
// nothing.
class PrintAndHistory {
public:
    virtual ~PrintAndHistory() = default;

    // The result of `run` as `assessment` says, dated with its time.
    virtual void saveAsPdf(const KeptResult &run, const Assessment &assessment) = 0;
    virtual void print(QWidget &parent, const KeptResult &run, const Assessment &assessment) = 0;
    // Keeps the run in My History and sets its id: true when kept; any message
    // for the user (why it failed, or a word about the history itself) is
    // told through the platform.
    virtual bool keep(KeptResult &run) = 0;
    // Keeps a practice session in My History, likewise.
    virtual bool keepSession(KeptSession &session) = 0;
    // My History, one window of it; asked again, it comes to the front.
    virtual void showHistory() = 0;
    // What is kept, oldest first: none where there is no history. Any word
    // about the history itself is told through the platform.
    virtual std::vector<KeptResult> keptResults() = 0;
    virtual std::vector<KeptSession> keptSessions() = 0;
    // What a result window says of the way since the first kept result.
    virtual HistoryOverview overview() = 0;
};

// The plugin's one object: it makes the part for the program's platform and
// its My History file.
class PrintAndHistoryFactory {
public:
    virtual ~PrintAndHistoryFactory() = default;
    virtual std::unique_ptr<PrintAndHistory> create(Platform &platform,
                                                    const QString &historyPath) = 0;
    // The start times of the practice sessions kept in the history at
    // `historyPath`, read without writing anything (see readSessionStarts).
    virtual std::vector<std::int64_t> keptSessionStarts(const QString &historyPath) = 0;
};

// The part itself, as the plugin makes it (and tests, which link it).
std::unique_ptr<PrintAndHistory> makePrintAndHistory(Platform &platform,
                                                     const QString &historyPath);

// Loads the plugin from the first of `paths` that holds one and makes the
// part; none, with what went wrong in `failure`, when no path holds this
// version's plugin (a plugin of another version or another program is
// refused without being run).
std::unique_ptr<PrintAndHistory> loadPrintAndHistory(const QStringList &paths, Platform &platform,
                                                     const QString &historyPath, QString &failure);

// Where the plugin is: beside the program in a build, or in its library
// folder once installed.
QStringList printAndHistoryPaths();

} // namespace pranoth

Q_DECLARE_INTERFACE(pranoth::PrintAndHistoryFactory, PRANOTH_PRINT_HISTORY_IID)
