#include "optimise/results/recall.h"

#include "core/tables.h"

namespace sp::optimise {

void recallSection(const RowCells& row, Recall& r) {
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

} // namespace sp::optimise
