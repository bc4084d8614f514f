#include "module2/module2settings.h"

#include "core/tables.h"

namespace sp::module2 {

const Items& strengthBasisItems() {
    static const Items items = {"极限侧阻力、端阻力标准值", "岩石单轴抗压强度标准值"};
    return items;
}

const Items& coefficientModeItems() {
    static const Items items = {"人工指定系数", "程序自动插值", "自动插值与人工指定取大值", "自动插值与人工指定取小值"};
    return items;
}

const Items& integrityBasisItems() {
    static const Items items = {"岩体完整程度", "岩体完整性指数"};
    return items;
}

const Items& weatheringItems() {
    static const Items items = {"微风化", "中风化"};
    return items;
}

const Items& integrityClassItems() {
    static const Items items = {core::integrityText(core::IntegrityClass::Intact),
                                core::integrityText(core::IntegrityClass::FairlyIntact),
                                core::integrityText(core::IntegrityClass::FairlyBroken)};
    return items;
}

const Items& layerCountItems() {
    static const Items items = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    return items;
}

const std::string& itemText(StrengthBasis basis) { return strengthBasisItems()[static_cast<std::size_t>(basis)]; }
const std::string& itemText(CoefficientMode mode) { return coefficientModeItems()[static_cast<std::size_t>(mode)]; }
const std::string& itemText(IntegrityBasis basis) {
    return integrityBasisItems()[static_cast<std::size_t>(basis) - 1];
}
const std::string& itemText(Weathering weathering) {
    return weatheringItems()[static_cast<std::size_t>(weathering)];
}

int itemPosition(const Items& items, std::string_view text) {
    for (std::size_t k = 0; k < items.size(); ++k)
        if (items[k] == text)
            return static_cast<int>(k);
    return -1;
}

const char* verdictText(int overrideCount) { return overrideCount > 0 ? "超规" : "合规"; }

} // namespace sp::module2
