#pragma once
// A property every input must keep: when it does not, the target stops the way libFuzzer records
// as a crash, with the input that broke it.

#include <cstdlib>

namespace sp::fuzz {

inline void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace sp::fuzz
