#pragma once
// The option table of a million-candidate run, shared by the benchmarks that need a large table.

#include "optimise/optimisepage.h"

#include <memory>
#include <string>
#include <vector>

namespace sp::optimise {

inline void edit(OptimisePage& page, int row, std::vector<std::string> cells) {
    for (std::size_t k = 0; k < cells.size(); ++k)
        page.editCell(row, kColMin + static_cast<int>(k), cells[k]);
}

// 125 sections (5 round, 50 oblong, 50 rectangular, 20 square) × 5 depths × 5 strengths ×
// 10 integrities × 8 grades × 4 processes = 1,000,000 candidates, none rejected.
inline void editMillionTable(OptimisePage& page) {
    edit(page, kRowSection, {"1", "4", "1"});
    edit(page, kRowDiameter, {"1000", "2000", "250"});
    edit(page, kRowStraight, {"100", "1000", "100"});
    edit(page, kRowLongSide, {"2000", "3000", "250"});
    edit(page, kRowShortSide, {"1000", "1900", "100"});
    edit(page, kRowSquareSide, {"1000", "2900", "100"});
    edit(page, kRowDepth, {"1.0d", "3.0d", "0.5d"});
    edit(page, kRowFrk, {"10", "50", "10"});
    edit(page, kRowBasis, {"1", "2", "1"});
    edit(page, kRowClass, {"1", "3", "1"});
    edit(page, kRowIndex, {"0.4", "1.0", "0.1"});
    edit(page, kRowGrade, {"C25", "C60", "5"});
    edit(page, kRowProcess, {"1", "4", "1"});
}

// Module 2: the 125 sections × 10 depths × 8 strengths × 2 weatherings × 50 integrities (3 classes,
// 47 indices) = 1,000,000 single-layer sockets.
inline void editModule2MillionTable(OptimisePage& page) {
    editMillionTable(page);
    edit(page, kRowDepth, {"0.5d", "5.0d", "0.5d"});
    edit(page, kRowFrk, {"10", "45", "5"});
    edit(page, kRow2Weathering, {"1", "2", "1"});
    edit(page, kRow2Basis, {"1", "2", "1"});
    edit(page, kRow2Class, {"1", "3", "1"});
    edit(page, kRow2Index, {"0.36", "0.82", "0.01"});
}

// Module 3: module 1's table with two processes and the first two methods: 5 round and 240
// other sections × 5 depths × 5 strengths × 10 integrities × 8 grades × 2 processes = 980,000.
inline void editModule3MillionTable(OptimisePage& page) {
    editMillionTable(page);
    edit(page, kRowProcess, {"1", "2", "1"});
    edit(page, kRow3Method, {"1", "2", "1"});
}

// The page of a module after its million run, made once per module and order, with a filter band
// to draw (Ra 10000–20000, and Rc 6000–12000 in modules 1 and 3); `sorted`: then sorted by Ra, so
// that neighbouring rows seldom share a socket. For the charts' benchmarks.
inline OptimisePage& millionPage(ModuleKind module, bool sorted) {
    static std::unique_ptr<OptimisePage> pages[3][2];
    auto& page = pages[static_cast<int>(module) - 1][sorted ? 1 : 0];
    if (!page) {
        page = std::make_unique<OptimisePage>(module);
        switch (module) {
        case ModuleKind::Module1:
            editMillionTable(*page);
            edit(*page, kRowFilterRa, {"10000", "20000"});
            edit(*page, kRowFilterRc, {"6000", "12000"});
            break;
        case ModuleKind::Module2:
            editModule2MillionTable(*page);
            edit(*page, kRow2FilterRa, {"10000", "20000"});
            break;
        case ModuleKind::Module3:
            editModule3MillionTable(*page);
            edit(*page, kRow3FilterRa, {"10000", "20000"});
            edit(*page, kRow3FilterRc, {"6000", "12000"});
            break;
        }
        page->run(core::kDefaultPrecision);
        if (sorted)
            page->headerClick(kColRa);
    }
    return *page;
}

} // namespace sp::optimise
