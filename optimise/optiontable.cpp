#include "optiontable.h"

#include <cstddef>
#include <utility>

namespace sp::optimise {

namespace {

using Row = std::array<const char*, kOptionColumns>;

constexpr std::array<Row, kOptionRows> kDefaults = {{
    {"桩身截面类型", "1", "4", "1", "圆桩1/椭圆桩2/矩形桩3/方桩4"},
    {"桩身直径 d(mm)", "1000", "2000", "500", "桩径取值范围"},
    {"椭圆直段长度 c(mm)", "1000", "2000", "500", "椭圆直段取值范围"},
    {"矩形桩长边尺寸 a(mm)", "2000", "3000", "500", "矩形桩长边取值范围"},
    {"矩形桩短边尺寸 b(mm)", "1000", "2000", "500", "矩形桩短边取值范围"},
    {"方桩边长 a(mm)", "1000", "2000", "500", "方桩边长取值范围"},
    {"嵌岩深度 hr(mm)", "1.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"},
    {"岩石强度 frk(MPa)", "35.00", "40.00", "5.00", "岩石单轴抗压强度标准值取值应大于0"},
    {"自动插值依据", "1", "2", "1", "岩体完整程度1/岩体完整性指数2"},
    {"岩体完整程度", "1", "3", "1", "完整1/较完整2/较破碎3"},
    {"岩体完整性指数", "0.46", "0.66", "0.10", "取值范围[0.35,1.00]"},
    {"混凝土强度等级", "C25", "C30", "5", "混凝土强度等级范围C25～C60"},
    {"成桩工艺", "1", "2", "1", "人工挖孔1/泥浆护壁2/后注浆3/水下浇筑4"},
    {"", "", "", "", ""},
    {"筛选 Ra(kN)", "10000", "11000", "", "筛选条件一，输入0不起控制作用"},
    {"筛选 Rc(kN)", "6000", "8000", "", "筛选条件二，输入0不起控制作用"},
}};

bool valueCell(int row, int column) {
    return row <= kRowProcess && column >= kColMin && column <= kColStep;
}
bool boundCell(int row, int column) {
    return (row == kRowFilterRa || row == kRowFilterRc) && (column == kColMin || column == kColMax);
}

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

} // namespace

const std::array<OptionColumnInfo, kOptionColumns>& optionColumns() {
    static const std::array<OptionColumnInfo, kOptionColumns> columns = {{
        {"Grid1_01_Str_YHxuanxiang", "优化项", 160, false},
        {"Grid1_02_Str_YHmin", "最小值", 54, true},
        {"Grid1_03_Str_YHmax", "最大值", 54, true},
        {"Grid1_04_Str_YHstep", "步进值", 54, true},
        {"Grid1_05_Str_YHshuoming", "说  明", 300, false},
    }};
    return columns;
}

OptionTable::OptionTable() {
    for (int row = 0; row < kOptionRows; ++row)
        for (int column = 0; column < kOptionColumns; ++column)
            m_cells[at(row)][at(column)] = kDefaults[at(row)][at(column)];
}

const std::string& OptionTable::cell(int row, int column) const {
    return m_cells.at(at(row)).at(at(column));
}

void OptionTable::setCell(int row, int column, std::string text) {
    m_cells.at(at(row)).at(at(column)) = std::move(text);
}

bool OptionTable::makesEditable(int row, int column) {
    return valueCell(row, column) || boundCell(row, column);
}

OptionTable::Enables OptionTable::editEnables(int row, int column) {
    if (valueCell(row, column))
        return Enables::Compute;
    if (boundCell(row, column))
        return Enables::Filter;
    return Enables::Nothing;
}

} // namespace sp::optimise
