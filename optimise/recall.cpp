#include "recall.h"

#include "core/tables.h"

#include <charconv>

namespace sp::optimise {

namespace {

std::optional<int> gradePositionOf(const std::string& cell) {
    // The number formed by the second and third characters, as "C30" gives 30.
    if (cell.size() < 2 || static_cast<unsigned char>(cell[0]) >= 0x80)
        return std::nullopt;
    const std::string digits = cell.substr(1, 2);
    int grade = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), grade);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return (grade - 25) / 5;
}

} // namespace

Recall recallOf(const RowCells& row) {
    Recall r;
    const std::string& section = row[kColSection];
    if (section == core::sectionTableText(core::SectionType::Round)) {
        r.sectionPosition = 0;
        r.first = row[kColFirst];
        r.second = std::string(1, '0'); // a round pile's c field holds "0"
    } else if (section == core::sectionTableText(core::SectionType::Oblong)) {
        r.sectionPosition = 1;
        r.first = row[kColFirst];
        r.second = row[kColSecond];
    } else if (section == core::sectionTableText(core::SectionType::Rectangular) ||
               section == core::sectionTableText(core::SectionType::Square)) {
        r.sectionPosition = 2;
        r.first = row[kColFirst];
        r.second = row[kColSecond];
    }
    r.depth = row[kColDepth];
    r.frk = row[kColFrk];
    r.gradePosition = gradePositionOf(row[kColGrade]);
    for (int p = 0; p < core::kProcessCount; ++p)
        if (row[kColProcess] == core::processShortText(p))
            r.processPosition = p;
    r.integrity = row[kColIntegrity];
    return r;
}

} // namespace sp::optimise
