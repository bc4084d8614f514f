#pragma once
// A local calendar moment and the one pattern every time line uses: yyyy/M/d H:mm:ss, the time
// part left out at exactly midnight. The moment is always passed in, so output can be reproduced.

#include <optional>
#include <string>
#include <string_view>

namespace sp::core {

struct Moment {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const Moment&) const = default;
};

std::string DateTimeText(const Moment& moment);

// The local clock, to the second.
Moment nowLocal();

// "YYYY-MM-DD HH:MM:SS"; nothing when the text is not such a moment or names no real date.
std::optional<Moment> parseMoment(std::string_view text);

} // namespace sp::core
