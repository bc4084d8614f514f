#pragma once
// Reads the cells of the option table's rows as a run starts: the first cell that is not a number
// becomes the reading's error. The shared rows and every module's own rows are read through it.

#include "optimise/options/options.h"

#include <cstdint>
#include <optional>
#include <string>

namespace sp::optimise {

class RowReader {
public:
    RowReader(const OptionTable& table, std::optional<OptionError>& error) : m_table(table), m_error(error) {}

    bool integers(int row, long long (&out)[3]);
    bool decimals(int row, double (&out)[3]);
    // In multiples mode each cell is the number before its own first "d"; a cell without one
    // reads as an empty number.
    bool depths(DepthMode mode, double (&out)[3]);
    // A grade is the number formed by the second and third characters of its cell ("C30");
    // the step is a plain number.
    bool grades(long long (&out)[3]);

    const std::string& cellText(int row, int column) const { return m_table.cell(row, column); }

private:
    bool unread(int row, int column);

    const OptionTable& m_table;
    std::optional<OptionError>& m_error;
};

// A reading stopped by a check of a row, its message for the status line.
OptionsReading checkFailed(int row, const char* message);

long long clampCode(long long value, long long low, long long high);

// a × b, saturating at UINT64_MAX.
std::uint64_t timesSaturating(std::uint64_t a, std::uint64_t b);

} // namespace sp::optimise
