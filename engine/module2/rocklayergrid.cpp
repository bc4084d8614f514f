#include "module2/rocklayergrid.h"

namespace sp::module2 {

namespace {

struct ColumnInfo {
    const char* name;
    const char* header;
    int width;
};

constexpr std::array<ColumnInfo, kColumnCount> kColumns = {{
    {"strgrd00_Int_Nun", "岩层", 40},
    {"strgrd01_Flo_lr", "嵌岩 lri(m)", 75},
    {"strgrd02_Str_fenghuachengdu", " 风化程度", 70},
    {"strgrd03_Str_wanzhengchengdu", " 完整程度", 70},
    {"strgrd04_Flo_wangzhengzhishu", "完整性指数", 78},
    {"strgrd05_Flo_frk", "   frk(MPa)", 80},
    {"strgrd06_Flo_c1", "端阻系数 C1", 88},
    {"strgrd07_Flo_c2", "侧阻系数 C2", 88},
    {"strgrd08_Flo_xishuC1", "计算采用 C1", 88},
    {"strgrd09_Flo_xishuC2", "计算采用 C2", 88},
    {"strgrd10_Flo_qpk", "端阻 qpk(kPa)", 0},
    {"strgrd11_Flo_qsrk", "侧阻 qsrk(kPa)", 0},
    {"strgrd12_Flo_Quk", "   Quk(kN)", 80},
    {"strgrd13_Flo_Qpk", "   Qpk(kN)", 80},
    {"strgrd14_Flo_SegemaQsrik", " ∑Qsrik(kN)", 80},
    {"strgrd15_Flo_Qsrik", "   Qsrik(kN)", 80},
    {"strgrd16_Str_percent", "   Qsrik/Quk", 85},
    {"strgrd17_Pic_percent", "侧阻占比图例", 0},
    {"strgrd18_Str_beizhu", "       备        注", 200},
    {"strgrd19_Str_Ysjycd", "坚硬程度", 80},
    {"strgrd20_Flo_ChazhiC1", "插值系数C1", 80},
    {"strgrd21_Flo_ChazhiC2", "插值系数C2", 80},
}};

bool inGrid(int layer, int column) {
    return layer >= 1 && layer <= kMaxLayers && column >= 0 && column < kColumnCount;
}

const std::string kEmpty;

} // namespace

const char* columnName(int column) { return column >= 0 && column < kColumnCount ? kColumns[column].name : ""; }
const char* columnHeader(int column) {
    return column >= 0 && column < kColumnCount ? kColumns[column].header : "";
}
int columnWidth(int column) { return column >= 0 && column < kColumnCount ? kColumns[column].width : 0; }
bool columnCentred(int column) { return column >= 0 && column <= 16; }
bool isOutputColumn(int column) { return column == kColC1Used || column == kColC2Used || (column >= 12 && column <= 21); }

RockLayerGrid::RockLayerGrid() {
    Row& first = m_rows[0];
    first[kColLayer] = "1";
    first[kColLr] = "1.00";
    first[kColWeathering] = "中风化";
    first[kColIntegrity] = "较完整";
    first[kColKv] = "0.65";
    first[kColFrk] = "25.00";
    first[kColC1] = "0.50";
    first[kColC2] = "0.04";
    first[kColQpk] = "8000.00";
    first[kColQsrk] = "840.00";
}

void RockLayerGrid::setLayerCount(int n) {
    m_layerCount = n < 1 ? 1 : (n > kMaxLayers ? kMaxLayers : n);
    for (int layer = 1; layer <= m_layerCount; ++layer)
        m_rows[layer - 1][kColLayer] = std::to_string(layer);
    for (int layer = m_layerCount + 1; layer <= kMaxLayers; ++layer)
        for (int column = 0; column < kColumnCount; ++column)
            if (isOutputColumn(column))
                m_rows[layer - 1][column].clear();
}

const std::string& RockLayerGrid::cell(int layer, int column) const {
    return inGrid(layer, column) ? m_rows[layer - 1][column] : kEmpty;
}

void RockLayerGrid::setCell(int layer, int column, const std::string& text) {
    if (inGrid(layer, column))
        m_rows[layer - 1][column] = text;
}

} // namespace sp::module2
