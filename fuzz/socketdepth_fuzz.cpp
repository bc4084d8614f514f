// The socket depth field ("2000", "1.5d", "2b"): whatever the text, a depth read is a finite
// length not below 0; a multiple is its factor times the diameter; a text without the letter is
// read in millimetres exactly as the number readers read it.

#include "fuzzcheck.h"
#include "core/geometry.h"
#include "core/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

using sp::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using sp::core::SocketDepth;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const char letter : {'d', 'b'}) {
        for (const double base : {1000.0, 1.0, 0.0, 2500.5}) {
            const SocketDepth depth = sp::core::readSocketDepth(text, letter, base);
            const auto at = text.find(letter);
            switch (depth.status) {
            case SocketDepth::Status::Ok: {
                check(std::isfinite(depth.hr) && depth.hr >= 0.0);
                check(depth.givenAsMultiple == (at != std::string_view::npos));
                const auto number = sp::core::readStrict(depth.givenAsMultiple ? text.substr(0, at) : text);
                check(number.has_value());
                check(depth.hr == (depth.givenAsMultiple ? *number * base : *number));
                check(depth.unreadText.empty());
                break;
            }
            case SocketDepth::Status::Invalid:
                check(depth.hr == 0.0);
                break;
            case SocketDepth::Status::FactorUnread:
                check(at != std::string_view::npos && depth.unreadText == text.substr(0, at));
                check(!sp::core::readStrict(depth.unreadText).has_value());
                break;
            }
        }
    }
    return 0;
}
