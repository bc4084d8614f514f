#pragma once
// The rows of one run, compactly: a row is its candidate's ordinal, and only the two numbers the
// tables are sorted and filtered by are kept (Ra and Rc as their cells read back). Cell texts are
// made when they are asked for, from the candidate recomputed through the same arithmetic, so
// they are the texts the calculation showed while a million rows take a few megabytes.

#include "optimise/run/candidatespace.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sp::optimise {

inline constexpr int kResultColumns = 18;
using RowId = std::uint32_t; // the candidate's ordinal, its row in the run's table
using RowCells = std::array<std::string, kResultColumns>;

// Column numbers of the result tables by content.
enum ResultColumn : int {
    kColNumber = 0,
    kColSection = 1,
    kColFirst = 2,  // d or a
    kColSecond = 3, // c or b
    kColRa = 4,
    kColRc = 5,
    kColDepth = 6,
    kColFrk = 7,
    kColBasis = 8,
    kColIntegrity = 9,
    kColProcess = 10,
    kColDeqMethod = 11,
    kColDeq = 12,
    kColRatio = 13,
    kColZetaR = 14,
    kColGrade = 15,
    kColPsiC = 16,
    kColRemark = 17, // module 3: the verdict
};

// Module 2's columns from 5 on.
enum Module2ResultColumn : int {
    kCol2Lr = 5,
    kCol2Frk = 6,
    kCol2Weathering = 7,
    kCol2Basis = 8,
    kCol2Integrity = 9,
    kCol2C1 = 10,
    kCol2C2 = 11,
    kCol2Qsrk = 12,
    kCol2SideShare = 13,
    kCol2Qpk = 14,
    kCol2EndShare = 15,
    kCol2Quk = 16,
    kCol2Remark = 17,
};

// What a row's cells are made from: its candidate and the candidate's calculation.
struct CandidateRow {
    RowId id = 0;
    CandidateKey key;
    Evaluation evaluation;
};

class CandidateStore {
public:
    CandidateStore(std::shared_ptr<const CandidateSpace> space, core::Precision precision);

    // Adds the next candidate of the run, which passed its calculation.
    void append(const Evaluation& evaluation);
    void reserve(std::size_t rows);

    std::size_t size() const { return m_ra.size(); }
    ModuleKind module() const { return m_space->module(); }
    const ModuleProfile& profile() const { return m_space->profile(); }
    core::Precision precision() const { return m_precision; }
    const CandidateSpace& space() const { return *m_space; }

    // Column 0 shows the plain counter until a complete run gives every row its "ZH-" number.
    void setNumbered(bool numbered) { m_numbered = numbered; }
    bool numbered() const { return m_numbered; }

    using Row = CandidateRow;
    Row row(RowId id) const;
    // Room for the cells made from numbers.
    struct CellBuffer {
        char data[48];
    };
    // A cell's text: held by the space, a constant, or made in `buffer`.
    std::string_view cellText(const Row& row, int column, CellBuffer& buffer) const;
    void appendCell(std::string& out, const Row& row, int column) const;
    std::string cell(RowId id, int column) const;
    RowCells cells(RowId id) const;

    // The cells of the sort keys read as numbers. NaN for a cell that is no number.
    double firstKey(RowId id) const;
    double raKey(RowId id) const { return m_ra[id]; }
    double rcKey(RowId id) const { return m_rc[id]; }
    // The row is drawn red (module 3: its verdict is "超规").
    bool overStandard(RowId id) const;

private:
    std::shared_ptr<const CandidateSpace> m_space;
    core::Precision m_precision;
    bool m_numbered = false;
    std::vector<double> m_ra;
    std::vector<double> m_rc;
};

} // namespace sp::optimise
