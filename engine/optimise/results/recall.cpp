#include "optimise/results/recall.h"

#include "core/tables.h"
#include "module3/deqmethod.h"

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

template <class R> void recallSection(const RowCells& row, R& r) {
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
}

} // namespace

Recall recallOf(const RowCells& row) {
    Recall r;
    recallSection(row, r);
    r.depth = row[kColDepth];
    r.frk = row[kColFrk];
    r.gradePosition = gradePositionOf(row[kColGrade]);
    for (int p = 0; p < core::kProcessCount; ++p)
        if (row[kColProcess] == core::processShortText(p))
            r.processPosition = p;
    r.integrity = row[kColIntegrity];
    return r;
}

Recall recallOfModule3(const RowCells& row) {
    Recall r = recallOf(row);
    module3::DeqMethod method = module3::kDefaultDeqMethod;
    if (module3::deqMethodFromShortName(row[kColDeqMethod], method))
        r.methodPosition = static_cast<int>(method);
    return r;
}

Module2Recall recallOfModule2(const RowCells& row) {
    Module2Recall r;
    recallSection(row, r);
    const std::string& basis = row[kCol2Basis];
    if (basis == "1" || basis == "2")
        r.integrityBasisPosition = basis[0] - '1';
    r.lr = row[kCol2Lr];
    r.weathering = row[kCol2Weathering];
    r.integrity = row[kCol2Integrity];
    r.frk = row[kCol2Frk];
    return r;
}

} // namespace sp::optimise
