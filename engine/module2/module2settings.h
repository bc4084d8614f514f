#pragma once
// The settings of module 2's rock group box that steer the calculation: how the resistances are
// obtained, how C1 and C2 are found, and the two reduction check boxes; with the item texts of
// their drop-down lists (positions count from 0).

#include <string>
#include <string_view>
#include <vector>

namespace sp::module2 {

using Items = std::vector<std::string>;

// cbb_qiangduzhi: resistances qpk and qsrk entered per layer, or found from frk through C1, C2.
enum class StrengthBasis { GivenResistances = 0, RockStrength = 1 };

// cbb_chezhuxishu.
enum class CoefficientMode { Manual = 0, Automatic = 1, Larger = 2, Smaller = 3 };

// cbb_wanzhengchengdu: the integrity class by name (code 1) or the integrity index Kv (code 2).
enum class IntegrityBasis { ClassName = 1, Index = 2 };

// The weathering popup of grid column 2, in list order.
enum class Weathering { Slight = 0, Moderate = 1 };

struct Settings {
    StrengthBasis strengthBasis = StrengthBasis::RockStrength;
    CoefficientMode mode = CoefficientMode::Automatic;
    IntegrityBasis integrityBasis = IntegrityBasis::ClassName;
    bool groundwater = true; // ckb_dixiashui: automatic C1, C2 × 0.85
    bool softRock = false;   // ckb_ruanzhiyan: automatic C1, C2 of soft rock × 0.8
};

const Items& strengthBasisItems();
const Items& coefficientModeItems();
const Items& integrityBasisItems();
const Items& weatheringItems();      // "微风化", "中风化"
const Items& integrityClassItems();  // "完整", "较完整", "较破碎"
const Items& layerCountItems();      // "1" … "9"

const std::string& itemText(StrengthBasis basis);
const std::string& itemText(CoefficientMode mode);
const std::string& itemText(IntegrityBasis basis);
const std::string& itemText(Weathering weathering);

// The list position of an item text; -1 when the text is not an item.
int itemPosition(const Items& items, std::string_view text);

// "合规" when no specified coefficient was used, "超规" otherwise.
const char* verdictText(int overrideCount);

} // namespace sp::module2
