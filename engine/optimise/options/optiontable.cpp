#include "optimise/options/optiontable.h"

#include <cstddef>
#include <utility>

namespace sp::optimise {

namespace {

using Row = std::array<const char*, kOptionColumns>;

constexpr std::array<Row, kOptionRows> kModule1 = {{
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

constexpr std::array<Row, 14> kModule2 = {{
    kModule1[0],
    kModule1[1],
    kModule1[2],
    kModule1[3],
    kModule1[4],
    kModule1[5],
    kModule1[6],
    kModule1[7],
    {"岩层风化程度", "1", "2", "1", "微风化1/中风化2"},
    {"自动插值依据", "1", "2", "1", "岩体完整程度1/岩体完整性指数2"},
    {"岩体完整程度", "1", "3", "1", "完整1/较完整2/较破碎3/破碎4/极破碎5"},
    {"岩体完整性指数", "0.46", "0.66", "0.10", "取值范围(0.00,1.00]"},
    {"", "", "", "", ""},
    {"筛选 Ra(kN)", "10000", "11000", "", "输入0不起控制作用"},
}};

constexpr std::array<Row, 17> kModule3 = {{
    kModule1[0],
    kModule1[1],
    kModule1[2],
    kModule1[3],
    kModule1[4],
    kModule1[5],
    {"嵌岩深度 hr(mm)", "2.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"},
    kModule1[7],
    kModule1[8],
    {"岩体完整程度", "1", "2", "1", "完整1/较完整2/较破碎3"},
    {"岩体完整性指数", "0.56", "0.66", "0.10", "取值范围[0.35,1.00]"},
    kModule1[11],
    kModule1[12],
    {"等效直径算法", "1", "2", "1", "面积相等1/周长相等2/imax3/imin4/截面长边5/截面短边6/最大包络7/最小包络8"},
    {"", "", "", "", ""},
    kModule1[14],
    kModule1[15],
}};

// The last row of parameters and the filter rows of each module.
int lastValueRow(ModuleKind module) {
    switch (module) {
    case ModuleKind::Module2:
        return kRow2Index;
    case ModuleKind::Module3:
        return kRow3Method;
    case ModuleKind::Module1:
        break;
    }
    return kRowProcess;
}

bool isFilterRow(ModuleKind module, int row) {
    switch (module) {
    case ModuleKind::Module2:
        return row == kRow2FilterRa;
    case ModuleKind::Module3:
        return row == kRow3FilterRa || row == kRow3FilterRc;
    case ModuleKind::Module1:
        break;
    }
    return row == kRowFilterRa || row == kRowFilterRc;
}

bool valueCell(ModuleKind module, int row, int column) {
    return row >= 0 && row <= lastValueRow(module) && column >= kColMin && column <= kColStep;
}
bool boundCell(ModuleKind module, int row, int column) {
    return isFilterRow(module, row) && (column == kColMin || column == kColMax);
}

template <std::size_t N> void fill(std::vector<std::array<std::string, kOptionColumns>>& cells,
                                   const std::array<Row, N>& rows) {
    cells.resize(N);
    for (std::size_t row = 0; row < N; ++row)
        for (std::size_t column = 0; column < kOptionColumns; ++column)
            cells[row][column] = rows[row][column];
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

int optionRowCount(ModuleKind module) {
    switch (module) {
    case ModuleKind::Module2:
        return static_cast<int>(kModule2.size());
    case ModuleKind::Module3:
        return static_cast<int>(kModule3.size());
    case ModuleKind::Module1:
        break;
    }
    return kOptionRows;
}

OptionTable::OptionTable(ModuleKind module) : m_module(module) {
    switch (module) {
    case ModuleKind::Module2:
        fill(m_cells, kModule2);
        break;
    case ModuleKind::Module3:
        fill(m_cells, kModule3);
        break;
    case ModuleKind::Module1:
        fill(m_cells, kModule1);
        break;
    }
}

const std::string& OptionTable::cell(int row, int column) const {
    return m_cells.at(at(row)).at(at(column));
}

void OptionTable::setCell(int row, int column, std::string text) {
    m_cells.at(at(row)).at(at(column)) = std::move(text);
}

bool OptionTable::makesEditable(ModuleKind module, int row, int column) {
    return valueCell(module, row, column) || boundCell(module, row, column);
}

OptionTable::Enables OptionTable::editEnables(ModuleKind module, int row, int column) {
    if (valueCell(module, row, column))
        return Enables::Compute;
    if (boundCell(module, row, column))
        return Enables::Filter;
    return Enables::Nothing;
}

} // namespace sp::optimise
