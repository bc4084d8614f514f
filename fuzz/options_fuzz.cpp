// The option table of an optimisation page: whatever text the cells hold, reading it answers with
// the ranges or the reason the run does not start, and a run it starts ends. Runs of more than
// the candidates below are not started here, so that no input makes a long run; beyond the page's
// own limit the page must refuse the run.
// The input: the first byte chooses the module; then lines of one byte for the row, one for the
// column (min, max, step, or a filter bound) and the cell's text.

#include "fuzzcheck.h"
#include "optimise/optimisepage.h"
#include "optimise/options/options.h"
#include "optimise/run/candidatespace.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t kLargestRun = 2000;

using sp::fuzz::check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sp::optimise;
    if (size == 0)
        return 0;
    const ModuleKind module = static_cast<ModuleKind>(data[0] % 3 + 1);
    OptimisePage page(module);
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    while (rest.size() >= 2) {
        const int row = static_cast<unsigned char>(rest[0]) % optionRowCount(module);
        const int column = static_cast<unsigned char>(rest[1]) % 3 + kColMin;
        rest.remove_prefix(2);
        const auto end = rest.find('\n');
        page.editCell(row, column, std::string(rest.substr(0, end)));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }

    const OptionsReading reading = readOptions(page.optionTable());
    check(reading.ok() != reading.error.has_value());
    if (!reading.ok()) {
        check(!reading.error->message.empty());
        return 0;
    }
    const std::uint64_t count = reading.options->candidateCount();
    check(count >= 1);
    if (count > kMaxCandidates) {
        const OptimisePage::RunStart start = page.startRun(sp::core::kDefaultPrecision);
        check(!start.run && start.error && !start.error->message.empty());
        return 0;
    }
    if (count > kLargestRun)
        return 0;
    const OptimisePage::RunStart start = page.run(sp::core::kDefaultPrecision);
    check(start.run && !start.error);
    check(start.run->end() == RunEnd::Complete || start.run->end() == RunEnd::Stopped);
    check(page.candidates().rowCount() <= count);
    page.filter();
    page.headerClick(0);
    return 0;
}
