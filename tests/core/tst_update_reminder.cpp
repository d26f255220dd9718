#include "fakes.h"

#include "core/config.h"
#include "core/settings_store.h"
#include "core/update_reminder.h"

#include <QTest>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

const DateTime Today{2026, 12, 7, 9, 30, 0};
const std::string Question = "There maybe an update to this software available\r"
                             "Do you want to check for an update?";
const std::string DownloadPage =
    std::string(config::Site) + "/pranoth/ssd.php?page=download-web-page";

DateTime daysFromToday(int days, int hour = 23)
{
    // Walk the calendar from the 7th of December 2026.
    const auto date =
        std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::days{days};
    const std::chrono::year_month_day ymd{date};
    return {int(ymd.year()), int(unsigned(ymd.month())), int(unsigned(ymd.day())), hour, 59, 0};
}

} // namespace

class tst_UpdateReminder : public QObject {
    Q_OBJECT

    FakePlatform platform;

    void storeDuration(const std::string &text) { saveSetting(platform, "Duration", text); }
    std::string duration() { return readSetting(platform, "Duration").value_or(std::string()); }

private slots:
    void init()
    {
        platform = FakePlatform();
        platform.clock = Today;
    }

    void theFirstStartOnlyRemembers()
    {
        runUpdateReminder(platform);
        QVERIFY(platform.messages.empty());
        QCOMPARE(duration(), std::string("2026-12-07T09:30:00"));
        QVERIFY(platform.openedUrls.empty());
    }

    void fourteenDaysEitherWayIsQuiet_data()
    {
        QTest::addColumn<int>("days");
        QTest::newRow("14 days back") << -14;
        QTest::newRow("14 days ahead") << 14;
        QTest::newRow("today") << 0;
    }
    void fourteenDaysEitherWayIsQuiet()
    {
        QFETCH(int, days);
        storeDuration(storedDateTime(daysFromToday(days)));
        const int writes = platform.settingWrites;
        runUpdateReminder(platform);
        QVERIFY(platform.messages.empty());
        QCOMPARE(platform.settingWrites, writes);
    }

    void fifteenDaysAwayAsks_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<bool>("yes");
        QTest::newRow("15 days back, yes") << -15 << true;
        QTest::newRow("15 days back, no") << -15 << false;
        QTest::newRow("15 days ahead, no") << 15 << false;
        QTest::newRow("a year back, yes") << -365 << true;
    }
    void fifteenDaysAwayAsks()
    {
        QFETCH(int, days);
        QFETCH(bool, yes);
        // Late in the evening 15 days back is still 15 calendar days.
        storeDuration(storedDateTime(daysFromToday(days, days < 0 ? 23 : 0)));
        platform.answer = yes ? MessageAnswer::Yes : MessageAnswer::No;
        runUpdateReminder(platform);
        QCOMPARE(int(platform.messages.size()), 1);
        QCOMPARE(platform.messages[0].text, Question);
        QCOMPARE(platform.messages[0].icon, MessageIcon::Information);
        QCOMPARE(platform.messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(duration(), std::string("2026-12-07T09:30:00"));
        QCOMPARE(platform.openedUrls,
                 yes ? std::vector<std::string>{DownloadPage} : std::vector<std::string>{});
        // Renewed: the next start is quiet.
        runUpdateReminder(platform);
        QCOMPARE(int(platform.messages.size()), 1);
    }

    void anUnreadableValueDoesNothing_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("another locale's format") << "12/7/2026 9:30:00 AM";
        QTest::newRow("garbage") << "\x01\x02zz";
        QTest::newRow("impossible date") << "2026-02-30T10:00:00";
        QTest::newRow("truncated") << "2026-11-0";
        QTest::newRow("trailing text") << "2026-11-01T10:00:00Z";
        QTest::newRow("hour 24") << "2026-11-01T24:00:00";
    }
    void anUnreadableValueDoesNothing()
    {
        QFETCH(QString, stored);
        storeDuration(stored.toStdString());
        const int writes = platform.settingWrites;
        runUpdateReminder(platform);
        QVERIFY(platform.messages.empty());
        QCOMPARE(platform.settingWrites, writes);
        QCOMPARE(duration(), stored.toStdString());
    }

    void storedDatesReadBackAsTheSameDay()
    {
        const DateTime moment{2024, 2, 29, 23, 59, 58};
        QCOMPARE(storedDateTime(moment), std::string("2024-02-29T23:59:58"));
        QCOMPARE(readStoredDateTime(storedDateTime(moment)), std::optional<DateTime>(moment));
        QCOMPARE(daysBetween(DateTime{2026, 12, 31, 23, 0, 0}, DateTime{2027, 1, 1, 0, 0, 0}), 1LL);
        QCOMPARE(daysBetween(DateTime{2026, 3, 1, 0, 0, 0}, DateTime{2026, 2, 28, 23, 0, 0}), -1LL);
    }
};

QTEST_APPLESS_MAIN(tst_UpdateReminder)
#include "tst_update_reminder.moc"
