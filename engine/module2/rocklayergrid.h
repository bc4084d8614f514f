#pragma once
// StringGrid_QB2 as data: one row of 22 cell texts per rock layer crossed by the socket, top layer
// first. The engineer's inputs and the calculation's per-layer results live only here, so the
// window, the command line and the optimisation read and write the same texts.

#include <array>
#include <string>

namespace sp::module2 {

inline constexpr int kColumnCount = 22;
inline constexpr int kMaxLayers = 9;

// Column indices, in display order.
enum Column : int {
    kColLayer = 0,      // layer number
    kColLr = 1,         // socket length lri in the layer, m
    kColWeathering = 2, // "微风化" / "中风化"
    kColIntegrity = 3,  // "完整" / "较完整" / "较破碎"
    kColKv = 4,         // integrity index
    kColFrk = 5,        // MPa
    kColC1 = 6,         // specified C1
    kColC2 = 7,         // specified C2
    kColC1Used = 8,
    kColC2Used = 9,
    kColQpk = 10,      // kPa: input under given resistances, output under rock strength
    kColQsrk = 11,     // kPa: likewise
    kColQuk = 12,      // kN, bottom layer only
    kColQpkTotal = 13, // kN, bottom layer only
    kColSumQsrik = 14, // kN, running sum from layer 1
    kColQsrik = 15,    // kN
    kColShare = 16,    // "34.21%"
    kColShareBar = 17, // the same share for the progress bar
    kColRemark = 18,
    kColHardness = 19,
    kColC1Auto = 20, // automatic C1 after reductions
    kColC2Auto = 21,
};

// Component name ("strgrd05_Flo_frk"), header text and design width (0: the toolkit's default).
const char* columnName(int column);
const char* columnHeader(int column);
int columnWidth(int column);
// Columns 17 to 21 are left-aligned, the others centred.
bool columnCentred(int column);
// Whether the calculation alone writes the column (8, 9 and 12 to 21).
bool isOutputColumn(int column);

class RockLayerGrid {
public:
    // As a new window has it: one layer, row 1 filled with the defaults.
    RockLayerGrid();

    int layerCount() const { return m_layerCount; }
    // n is clamped into 1..9; column 0 of rows 1..n receives the layer numbers. Rows beyond n
    // keep the engineer's inputs, so that raising n again brings a layer back as it was typed;
    // their results are cleared, since they described a pile those rows no longer belong to.
    void setLayerCount(int n);

    // Layers count from 1; a layer or column outside the grid reads empty and is not written.
    const std::string& cell(int layer, int column) const;
    void setCell(int layer, int column, const std::string& text);

    bool operator==(const RockLayerGrid&) const = default;

private:
    using Row = std::array<std::string, kColumnCount>;
    std::array<Row, kMaxLayers> m_rows{};
    int m_layerCount = 1;
};

} // namespace sp::module2
