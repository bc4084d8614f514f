#pragma once
// A handed-in book made by hand, shaped as the modules make theirs: module 1's worked example, a
// module 2 pile with its rock-layer table and notes, a module 3 pile with its warning, and a pile
// table as wide as the modules' tables. The renderer's tests and its benchmark read it.

#include "handin/handinbook.h"

#include <string>

namespace sp::test {

inline const std::string kThin = "\u2009";

inline handin::PileSection moduleOnePile(const std::string& name) {
    handin::PileSection pile;
    pile.pileName = name;
    pile.heading = name + "  圆桩  d = 1" + kThin + "000 mm";
    pile.inputs = {{"桩身截面类型", "圆桩"},
                   {"桩身直径 d", "1" + kThin + "000 mm"},
                   {"嵌岩深度 h_{r}", "1" + kThin + "000 mm（1.0d）"},
                   {"混凝土强度等级", "C30，f_{c} = 14.3 MPa"},
                   {"成桩工艺", "泥浆护壁成桩"},
                   {"岩石饱和单轴抗压强度标准值 f_{rk}", "25 MPa"},
                   {"岩体完整程度", "较完整"}};
    pile.clauses = {"5.2.2", "5.3.3", "5.7.1"};
    using handin::FormulaLine;
    pile.steps = {
        {"桩身截面面积",
         {{"A_{p} = π·d^{2}/4 = π × 1" + kThin + "000^{2} / 4 = 785" + kThin + "398.16 mm^{2}", ""},
          {"圆桩 d_{eq} = d = 1" + kThin + "000 mm", ""}},
         std::nullopt,
         {}},
        {"嵌岩深径比", {{"h_{r}/d_{eq} = 1" + kThin + "000 / 1" + kThin + "000 = 1.00", ""}}, std::nullopt, {}},
        {"综合系数",
         {{"查表（h_{r}/d_{eq} = 1.0，较完整）：软岩 0.92，较硬岩 0.72", ""},
          {"按 f_{rk} 内插 ζ = 0.92 + (0.72 − 0.92) × (25 − 15) / (30 − 15) = 0.786" + kThin + "666" + kThin + "7",
           ""},
          {"泥浆护壁成桩，工艺系数 1.00，ζ_{r} = 0.786" + kThin + "666" + kThin + "7 × 1.00 = 0.786" + kThin + "666" +
               kThin + "7（取 0.7867）",
           ""}},
         std::nullopt,
         {}},
        {"嵌岩段总极限阻力",
         {{"Q_{rk} = ζ_{r}·f_{rk}·A_{p} = 0.786" + kThin + "666" + kThin + "7 × 25 × 785" + kThin +
               "398.16 / 1000 = 15" + kThin + "446.16 kN",
           "(5.3.3-3)"}},
         std::nullopt,
         {}},
        {"单桩竖向极限承载力标准值",
         {{"Q_{uk} = Q_{sk} + Q_{rk} = 0 + 15" + kThin + "446.16 = 15" + kThin + "446.16 kN", "(5.3.3-1)"}},
         std::nullopt,
         {}},
        {"单桩竖向承载力特征值",
         {{"R_{a} = Q_{uk} / K = 15" + kThin + "446.16 / 2.00 = 7" + kThin + "723.08 kN", "(5.2.2)"}},
         std::nullopt,
         {}},
        {"桩身正截面受压承载力",
         {{"R_{c} = ψ_{c}·f_{c}·A_{p} = 0.60 × 14.3 × 785" + kThin + "398.16 / 1000 = 6" + kThin + "738.72 kN",
           "(5.7.1)"}},
         std::nullopt,
         {}},
    };
    pile.conclusions = {"单桩竖向承载力特征值 R_{a} = 7723 kN；桩身正截面受压承载力设计值 R_{c} = 6739 kN。"};
    return pile;
}

inline handin::PileSection moduleTwoPile(const std::string& name) {
    handin::PileSection pile;
    pile.pileName = name;
    pile.heading = name + "  圆桩  d = 1" + kThin + "200 mm  三层基岩";
    pile.inputs = {{"桩身截面类型", "圆桩"}, {"桩身直径 d", "1" + kThin + "200 mm"}};
    handin::Table layers;
    layers.headers = {"层号", "l_{ri} (m)", "风化程度", "完整程度", "f_{rk} (MPa)", "C_{1}", "C_{2}",
                      "q_{pk} (kPa)", "q_{srk} (kPa)", "Q_{srik} (kN)", "占比 (%)"};
    for (int k = 1; k <= 3; ++k)
        layers.rows.push_back({std::to_string(k), "1.50", "中风化", "较完整", "30.0", "0.0500", "0.4000",
                               "12" + kThin + "000", "1" + kThin + "200", "6" + kThin + "785.84", "24.6"});
    pile.inputTable = layers;
    pile.clauses = {"5.3.3", "5.3.3-4"};
    handin::Step sum;
    sum.title = "嵌岩段侧阻力";
    sum.lines = {{"∑Q_{srik} = Q_{sr1k} + Q_{sr2k} + Q_{sr3k} = 6" + kThin + "785.84 + 6" + kThin + "785.84 + 6" +
                      kThin + "785.84 = 20" + kThin + "357.52 kN",
                  "(5.3.3-5)"}};
    sum.table = layers;
    sum.notes = {"注：第 2 层的 C_{2} 为空，按 0.00 计；嵌岩深度不足 0.5 m 的层不计侧阻力。"};
    pile.steps = {sum};
    pile.conclusions = {"单桩竖向承载力特征值 R_{a} = 11" + kThin + "000 kN；端阻占比 35.4 %。"};
    return pile;
}

inline handin::PileSection moduleThreePile(const std::string& name) {
    handin::PileSection pile = moduleOnePile(name);
    pile.heading = name + "  矩形桩  a × b = 1" + kThin + "200 mm × 800 mm";
    pile.warning = "本桩采用规程以外的等效直径算法（B-周长相等折算），结论为超规，仅供研究参考，"
                   "不得直接用于工程设计。";
    return pile;
}

inline handin::Sheet samplePileTable(int piles) {
    handin::Sheet sheet;
    sheet.sheetName = "桩表";
    const char* titles[][2] = {{"桩号", ""},        {"截面类型", ""},       {"桩径 d", "mm"},   {"直段 c", "mm"},
                               {"嵌岩深度 h_{r}", "mm"}, {"混凝土", ""},      {"成桩工艺", ""},   {"f_{rk}", "MPa"},
                               {"完整程度", ""},    {"d_{eq}", "mm"},      {"h_{r}/d_{eq}", ""}, {"ζ_{r}", ""},
                               {"R_{a}", "kN"},     {"R_{c}", "kN"},       {"结论", ""}};
    for (const auto& t : titles)
        sheet.sheetColumns.push_back({t[0], t[1]});
    for (int k = 1; k <= piles; ++k) {
        const bool flagged = k % 7 == 0;
        sheet.rows.push_back({{"ZH" + std::to_string(k), std::nullopt},
                              {"圆桩", std::nullopt},
                              {"1" + kThin + "000", 1000.0},
                              {"0", 0.0},
                              {"1" + kThin + "000", 1000.0},
                              {"C30", std::nullopt},
                              {"泥浆护壁成桩", std::nullopt},
                              {"25", 25.0},
                              {"较完整", std::nullopt},
                              {"1" + kThin + "000", 1000.0},
                              {"1.00", 1.0},
                              {"0.7867", 0.7867},
                              {"7" + kThin + "723", 7723.0},
                              {"6" + kThin + "739", 6739.0},
                              {flagged ? "超规" : "合规", std::nullopt}});
        sheet.flags.push_back(flagged);
    }
    return sheet;
}

// A book of `piles` piles, the modules' shapes in turn.
inline handin::HandInBook sampleBook(int piles, bool named = true) {
    handin::HandInBook book;
    if (named)
        book.title = {"贵阳某商业综合体", "1#楼桩基", "张三", "李四", "", "2026年12月10日"};
    else
        book.title.date = "2026年12月10日";
    book.programLine = "SocketPile 嵌岩桩承载力计算 0.1.0";
    for (int k = 1; k <= piles; ++k) {
        const std::string name = "ZH" + std::to_string(k);
        book.piles.push_back(k % 3 == 1 ? moduleOnePile(name) : k % 3 == 2 ? moduleTwoPile(name) : moduleThreePile(name));
    }
    book.pileTable = samplePileTable(piles);
    return book;
}

} // namespace sp::test
