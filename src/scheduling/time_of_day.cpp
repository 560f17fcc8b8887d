#include "time_of_day.h"

#include <algorithm>
#include <cstdio>

namespace velmora::scheduling {

namespace {
// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's civil algorithm).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = static_cast<unsigned>((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0));
}

} // namespace

bool isTwoDigitNumber(std::string_view s, int max) {
    if (s.size() != 2) return false;
    const char a = s[0], b = s[1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return false;
    return (a - '0') * 10 + (b - '0') <= max;
}

std::int64_t localSeconds(const LocalTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

LocalTime fromLocalSeconds(std::int64_t seconds) {
    std::int64_t days = seconds / 86400;
    std::int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    LocalTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

std::string clockText(const LocalTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
    return buf;
}

bool isClockText(std::string_view text) {
    return text.size() == 8 && text[2] == ':' && text[5] == ':' &&
           isTwoDigitNumber(text.substr(0, 2), 23) && isTwoDigitNumber(text.substr(3, 2), 59) &&
           isTwoDigitNumber(text.substr(6, 2), 59);
}

void SecondsCursor::restart() {
    m_last = localSeconds(m_clock.now()) - 1;
}

std::vector<LocalTime> SecondsCursor::due() {
    const std::int64_t now = localSeconds(m_clock.now());
    if (!m_last) m_last = now - 1;
    std::vector<LocalTime> seconds;
    if (now <= *m_last) {
        // The clock stepped back. The seconds it steps over again were handed out already
        // (an hour of daylight saving ends, a time server corrects us): nothing fires twice.
        // A step back further than that is the user setting the clock; start afresh.
        if (*m_last - now <= kRepeatGuardSeconds) return seconds;
        m_last = now - 1;
    }
    for (std::int64_t s = std::max(*m_last + 1, now - kCatchUpSeconds + 1); s <= now; ++s)
        seconds.push_back(fromLocalSeconds(s));
    m_last = now;
    return seconds;
}

} // namespace velmora::scheduling
