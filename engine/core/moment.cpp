#include "core/moment.h"

#include "core/platform.h"

#include <cstdio>
#include <ctime>

namespace sp::core {

std::string DateTimeText(const Moment& m) {
    char buf[64];
    if (m.hour == 0 && m.minute == 0 && m.second == 0)
        std::snprintf(buf, sizeof buf, "%d/%d/%d", m.year, m.month, m.day);
    else
        std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%02d:%02d", m.year, m.month, m.day, m.hour, m.minute, m.second);
    return buf;
}

Moment nowLocal() {
    const std::time_t t = std::time(nullptr);
    const std::tm local = localTime(t);
    return Moment{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

namespace {
bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysInMonth(int y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leapYear(y) ? 29 : days[m - 1];
}
bool digitsAt(std::string_view s, std::size_t pos, std::size_t count, int& out) {
    out = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const char c = s[pos + k];
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + (c - '0');
    }
    return true;
}
} // namespace

std::optional<Moment> parseMoment(std::string_view s) {
    // YYYY-MM-DD HH:MM:SS
    if (s.size() != 19 || s[4] != '-' || s[7] != '-' || s[10] != ' ' || s[13] != ':' || s[16] != ':')
        return std::nullopt;
    Moment m;
    if (!digitsAt(s, 0, 4, m.year) || !digitsAt(s, 5, 2, m.month) || !digitsAt(s, 8, 2, m.day) ||
        !digitsAt(s, 11, 2, m.hour) || !digitsAt(s, 14, 2, m.minute) || !digitsAt(s, 17, 2, m.second))
        return std::nullopt;
    if (m.year < 1 || m.month < 1 || m.month > 12 || m.day < 1 || m.day > daysInMonth(m.year, m.month) ||
        m.hour > 23 || m.minute > 59 || m.second > 59)
        return std::nullopt;
    return m;
}

} // namespace sp::core
