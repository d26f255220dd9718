#include "core/practice_progress.h"

#include <QTest>

#include <cstdlib>
#include <ctime>

using namespace pranoth;

namespace {

// Seconds since 1970 of "2026-10-25 23:30" in the zone of the TZ variable.
std::int64_t local(const QString &text)
{
    const QDate date = QDate::fromString(text.left(10), Qt::ISODate);
    const QTime time = QTime::fromString(text.mid(11), QStringLiteral("HH:mm"));
    return utcSecondsOf(
        {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()});
}

// A session's postures: "1:15:15 3:0:10", each asana:held:planned.
std::vector<PracticedPosture> posturesOf(const QString &text)
{
    std::vector<PracticedPosture> postures;
    for (const QString &item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        postures.push_back({static_cast<Int16>(item.section(QLatin1Char(':'), 0, 0).toInt()),
                            item.section(QLatin1Char(':'), 1, 1).toInt(),
                            item.section(QLatin1Char(':'), 2, 2).toInt()});
    return postures;
}

class ZoneFor {
public:
    explicit ZoneFor(const QByteArray &zone) : before_(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneFor()
    {
        qputenv("TZ", before_);
        tzset();
    }
    ZoneFor(const ZoneFor &) = delete;
    ZoneFor &operator=(const ZoneFor &) = delete;

private:
    QByteArray before_;
};

} // namespace

class tst_PracticeProgress : public QObject {
    Q_OBJECT

private slots:
    void weeksInARow_data();
    void weeksInARow();
    void holdsGrowFromKeptSessions_data();
    void holdsGrowFromKeptSessions();
    void aChakraSaidSinceTheFirstKeptResult();
};

void tst_PracticeProgress::weeksInARow_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QStringList>("sessions"); // local times
    QTest::addColumn<int>("goal");
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("keptToday");

    const QByteArray berlin = "Europe/Berlin";
    QTest::newRow("nothing kept: no run of weeks")
        << berlin << QStringList{} << 3 << "2026-12-07 09:00"
        << "0 of 3 this week" << false;
    QTest::newRow("a Monday with one session: the week can still be met")
        << berlin << QStringList{"2026-12-07 08:00"} << 3 << "2026-12-07 09:00"
        << "1 of 3 this week \u00b7 1 week in a row" << true;
    QTest::newRow("Sunday, one of three: the week is lost, and the run with it")
        << berlin
        << QStringList{"2026-12-01 08:00", "2026-12-02 08:00", "2026-12-03 08:00",
                       "2026-12-07 08:00"}
        << 3 << "2026-12-13 09:00"
        << "1 of 3 this week" << false;
    QTest::newRow("a week in progress keeps the run of the weeks before it")
        << berlin << QStringList{"2026-11-24 08:00", "2026-11-25 08:00", "2026-11-26 08:00",
                                 "2026-12-01 08:00", "2026-12-03 08:00", "2026-12-05 08:00"}
        << 3 << "2026-12-07 09:00"
        << "0 of 3 this week \u00b7 3 weeks in a row" << false;
    QTest::newRow("a week missed breaks the run")
        << berlin
        << QStringList{"2026-11-16 08:00", "2026-11-17 08:00", "2026-12-01 08:00",
                       "2026-12-08 08:00"}
        << 1 << "2026-12-08 20:00"
        << "1 of 1 this week \u00b7 2 weeks in a row" << true;
    // Monday 29 December 2025 to Sunday 4 January 2026 is one week.
    QTest::newRow("a week across the year's end")
        << berlin << QStringList{"2025-12-29 19:00", "2025-12-31 19:00", "2026-01-03 10:00"} << 3
        << "2026-01-05 09:00"
        << "0 of 3 this week \u00b7 2 weeks in a row" << false;
    // Summer time ends at 03:00 on Sunday 25 October 2026: 23:30 that evening is
    // still Sunday, 00:30 is the next week.
    QTest::newRow("summer time ending on the last Sunday of a week")
        << berlin << QStringList{"2026-10-20 08:00", "2026-10-25 23:30", "2026-10-26 00:30"} << 2
        << "2026-10-26 09:00"
        << "1 of 2 this week \u00b7 2 weeks in a row" << true;
    // Summer time begins at 02:00 on Sunday 8 March 2026 in New York.
    QTest::newRow("summer time beginning, far from Greenwich")
        << QByteArray("America/New_York") << QStringList{"2026-03-08 23:30", "2026-03-09 00:10"}
        << 1 << "2026-03-09 12:00"
        << "1 of 1 this week \u00b7 2 weeks in a row" << true;
}

void tst_PracticeProgress::weeksInARow()
{
    QFETCH(QByteArray, zone);
    QFETCH(QStringList, sessions);
    QFETCH(int, goal);
    QFETCH(QString, now);
    QFETCH(QString, said);
    QFETCH(bool, keptToday);
    const ZoneFor inZone(zone);
    std::vector<std::int64_t> starts;
    for (const QString &session : sessions)
        starts.push_back(local(session));
    const WeekProgress progress = weekProgress(starts, goal, local(now));
    QCOMPARE(QString::fromStdString(weekProgressText(progress)), said);
    QCOMPARE(progress.keptToday, keptToday);
}

void tst_PracticeProgress::holdsGrowFromKeptSessions_data()
{
    QTest::addColumn<QStringList>("sessions"); // postures, one session each
    QTest::addColumn<int>("sinceSession");     // the plan starts with this session
    QTest::addColumn<int>("hold");             // of the cobra (asana 1): 10 to 15 s, 1 s a step

    QTest::newRow("a new plan: the bottom of the range") << QStringList{} << 0 << 10;
    QTest::newRow("each session held fully grows it a step")
        << QStringList{"1:10:10", "1:11:11 3:10:10", "1:13:12"} << 0 << 13;
    QTest::newRow("a posture skipped or ended early does not grow")
        << QStringList{"1:10:10", "1:0:11 3:10:10", "1:8:11"} << 0 << 11;
    QTest::newRow("held at a scale of 50 %, fully, it grows")
        << QStringList{"1:5:5", "1:6:6"} << 0 << 12;
    QTest::newRow("never past the top") << QStringList(8, QStringLiteral("1:15:15")) << 0 << 15;
    QTest::newRow("sessions kept before plans grew count where held the starting hold")
        << QStringList{"1:15:0", "1:9:0", "1:0:0"} << 0 << 11;
    QTest::newRow("the plan started again: earlier sessions count no more")
        << QStringList{"1:10:10", "1:11:11", "1:12:12"} << 2 << 11;
    QTest::newRow("a session deleted takes its growth with it")
        << QStringList{"1:10:10", "1:12:12"} << 0 << 12;
}

void tst_PracticeProgress::holdsGrowFromKeptSessions()
{
    QFETCH(QStringList, sessions);
    QFETCH(int, sinceSession);
    QFETCH(int, hold);
    std::vector<KeptSession> kept;
    for (const QString &postures : sessions)
        kept.push_back({static_cast<std::int64_t>(kept.size() + 1),
                        1'800'000'000 + 86'400 * static_cast<std::int64_t>(kept.size()), "1.16",
                        600, posturesOf(postures)});
    const HoldGrowth cobra{10, 1, 15};
    const std::int64_t since = 1'800'000'000 + std::int64_t{86'400} * sinceSession;
    QCOMPARE(grownHoldSeconds(cobra, timesHeldFully(1, cobra, kept, since)), hold);
}

void tst_PracticeProgress::aChakraSaidSinceTheFirstKeptResult()
{
    const ChakraProgress throat{4,
                                {1'800'000'000, Verdict::UnderActive, 25},
                                {1'800'000'000 + 43 * 86'400, Verdict::Open, 50},
                                9};
    QCOMPARE(progressLine("Throat", throat),
             std::string("Throat: UnderActive 25 % \u2192 Open 50 % over 6 weeks, 9 sessions"));
    ChakraProgress root = throat;
    root.latest.atUtc = root.first.atUtc + 86'400;
    root.sessions = 1;
    QCOMPARE(progressLine("Root", root),
             std::string("Root: UnderActive 25 % \u2192 Open 50 % over 1 day, 1 session"));
}

QTEST_APPLESS_MAIN(tst_PracticeProgress)
#include "tst_practice_progress.moc"
