#include "reminder_units.h"

#include <array>
#include <cstdio>

namespace pranoth {

namespace {

constexpr std::array<std::string_view, 7> DayNames{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
constexpr int EveryDay = 0x7F;

constexpr std::string_view Description = "Description=A reminder to practise with Pranoth\n";

} // namespace

std::string reminderCalendar(int days, int minute)
{
    std::string calendar;
    if ((days & EveryDay) != EveryDay) {
        for (std::size_t day = 0; day < DayNames.size(); ++day) {
            if ((days >> day & 1) == 0)
                continue;
            if (!calendar.empty())
                calendar += ',';
            calendar += DayNames[day];
        }
        calendar += ' ';
    }
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:00", minute / 60 % 24, minute % 60);
    return calendar + "*-*-* " + time;
}

std::string reminderTimerUnit(int days, int minute)
{
    return "[Unit]\n" + std::string(Description) +
           "\n[Timer]\nOnCalendar=" + reminderCalendar(days, minute) +
           "\nUnit=" + std::string(ReminderServiceName) + "\n\n[Install]\nWantedBy=timers.target\n";
}

std::string reminderServiceUnit(std::string_view programPath)
{
    // The program may start a session window of its own from the
    // notification: that window outlives this service's process.
    return "[Unit]\n" + std::string(Description) +
           "\n[Service]\nType=oneshot\nExecStart=" + systemdWord(programPath) +
           " --remind\nKillMode=process\n";
}

std::string systemdWord(std::string_view word)
{
    bool quoted = word.empty();
    std::string literal;
    for (const char c : word) {
        switch (c) {
        case '%':
            literal += "%%";
            break;
        case '$':
            literal += "$$";
            break;
        case '\\':
        case '"':
            literal += '\\';
            literal += c;
            quoted = true;
            break;
        case '\n':
            literal += "\\n";
            quoted = true;
            break;
        case ' ':
        case '\t':
        case '\'':
        case ';':
            literal += c;
            quoted = true;
            break;
        default:
            literal += c;
        }
    }
    return quoted ? '"' + literal + '"' : literal;
}

} // namespace pranoth
