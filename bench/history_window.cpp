// My History's benchmark program, run by bench/history.py.
//
//   pranoth_history_bench fill FILE N   keeps N results made up from a seed
//   pranoth_history_bench open FILE     opens My History and prints, once it
//                                       has painted: "first-paint-ms X"
//   pranoth_history_bench keep FILE     prints "keep-ms X" for one more result
//   pranoth_history_bench show FILE     opens My History and stays open
//   pranoth_history_bench progress FILE opens the history, then prints the time
//                                       a result window takes to work out the
//                                       way since the first kept result and
//                                       the weeks of practice: "progress-ms X"

#include "core/kept_result.h"
#include "core/platform.h"
#include "core/practice_progress.h"
#include "shell/history_store.h"
#include "ui/frmHistory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <random>

using namespace pranoth;

namespace {

KeptResult madeUp(std::mt19937 &random, std::int64_t when)
{
    KeptResult record;
    record.keptAtUtc = when;
    record.programVersion = "1.15";
    while (record.run.questions.empty()) {
        for (int k = 0; k < ChakraCount; ++k) {
            record.run.tested[asIndex(k)] = random() % 4 != 0;
            for (int q = 0; record.run.tested[asIndex(k)] && q < QuestionsPerChakra; ++q) {
                const auto bank = static_cast<Int16>(firstBankNumber(k) + q);
                record.run.questions.push_back(
                    {bank, keyAnswer(bank), static_cast<Answer>(1 + random() % 3)});
            }
        }
    }
    std::shuffle(record.run.questions.begin(), record.run.questions.end(), random);
    return record;
}

// My History asks nothing of the machine while it opens; whatever it says
// is not shown.
class QuietPlatform : public Platform {
public:
    MessageAnswer showMessage(std::string_view, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::No;
    }
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view,
                                              std::string_view) override
    {
        return std::nullopt;
    }
    void openUrl(std::string_view) override {}
    std::optional<std::string> readSetting(std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    void writeSetting(std::string_view, std::string_view, std::string_view) override {}
    bool anotherInstanceRunning() override { return false; }
    void activateRunningInstance() override {}
    DateTime now() override { return {}; }
    void seedRandomFromClock() override {}
    double uniformRandom() override { return 0.0; }
    void endProcess() override {}
};

// Keeps `count` results and as many practice sessions, nine hours apart.
int fill(const QString &file, int count)
{
    HistoryStore store(file);
    std::mt19937 random(7);
    const std::int64_t start = 1'750'000'000;
    for (int n = 0; n < count; ++n) {
        const std::int64_t when = start + static_cast<std::int64_t>(n) * 9 * 3600;
        KeptResult record = madeUp(random, when);
        KeptSession session{0, when + 600, "1.16", 900, {{1, 12, 12}, {3, 0, 10}, {14, 120, 120}}};
        QString failure = store.keep(record);
        if (failure.isEmpty())
            failure = store.keepSession(session);
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            return 1;
        }
    }
    return 0;
}

// Reports the time from the start of opening to the end of the window's
// first paint, then quits.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer &clock) : clock_(clock)
    {
        done_.setSingleShot(true);
        connect(&done_, &QTimer::timeout, this, [this] {
            std::printf("first-paint-ms %.2f\n", static_cast<double>(clock_.nsecsElapsed()) / 1e6);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Children paint in the same pass; this runs once it is over.
            done_.start(0);
        }
        return false;
    }

private:
    const QElapsedTimer &clock_;
    QTimer done_;
    bool seen_ = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return 2;
    const QString &mode = args[1];
    const QString &file = args[2];
    if (mode == QLatin1String("fill") && args.size() == 4)
        return fill(file, args[3].toInt());
    if (mode == QLatin1String("keep")) {
        HistoryStore store(file);
        std::mt19937 random(11);
        KeptResult record = madeUp(random, 1'900'000'000);
        QElapsedTimer clock;
        clock.start();
        const QString failure = store.keep(record);
        std::printf("keep-ms %.2f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
        return failure.isEmpty() ? 0 : 1;
    }
    if (mode == QLatin1String("progress")) {
        HistoryStore store(file);
        std::mt19937 random(13);
        const KeptResult shown = madeUp(random, 1'900'000'000);
        QElapsedTimer clock;
        clock.start();
        const HistoryOverview overview = store.overview();
        const std::size_t lines = chakraProgress(overview, shown).size();
        const WeekProgress weeks = weekProgress(overview.sessionStartsUtc, 3, shown.keptAtUtc);
        std::printf("progress-ms %.3f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
        return lines + static_cast<std::size_t>(weeks.goal) > 0 ? 0 : 1;
    }
    if (mode != QLatin1String("open") && mode != QLatin1String("show"))
        return 2;

    QElapsedTimer clock;
    clock.start();
    HistoryStore store(file);
    QuietPlatform platform;
    auto *window = new frmHistory(store, platform);
    FirstPaint painted(clock);
    if (mode == QLatin1String("open"))
        window->installEventFilter(&painted);
    window->show();
    return QApplication::exec();
}
