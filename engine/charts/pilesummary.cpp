#include "charts/pilesummary.h"

#include "core/tables.h"
#include "core/text.h"
#include "module3/deqmethod.h"

#include <cctype>

namespace sp::charts {

namespace {

// "圆桩 d = 1000 mm", "椭圆桩 d = 1000 mm，c = 500 mm", "矩形桩 a = 1200 mm，b = 1000 mm".
std::string sectionText(core::SectionType section, const std::string& first, const std::string& second) {
    const bool rectangular = core::isRectangular(section);
    std::string text = core::sectionItemText(section);
    text += rectangular ? " a = " : " d = ";
    text += first + " mm";
    if (section != core::SectionType::Round)
        text += std::string(rectangular ? "，b = " : "，c = ") + second + " mm";
    return text;
}

// "较完整", or an integrity given as its index: "完整性指数 0.50".
std::string integrityText(const std::string& integrity) {
    const bool index = !integrity.empty() && (std::isdigit(static_cast<unsigned char>(integrity.front())) ||
                                              integrity.front() == '.');
    return index ? "完整性指数 " + integrity : integrity;
}

} // namespace

std::string pileSummary(const module1::Inputs& inputs) {
    return sectionText(inputs.section, inputs.d, inputs.c) + "，" + core::gradeItem(inputs.grade) +
           "，frk = " + inputs.frk + " MPa，" + integrityText(inputs.integrity);
}

std::string pileSummary(const module3::Inputs& inputs) {
    std::string text = pileSummary(static_cast<const module1::Inputs&>(inputs));
    if (inputs.section != core::SectionType::Round)
        text += std::string("，等效直径 ") + module3::deqMethodItem(inputs.method);
    return text;
}

std::string pileSummary(const module2::Values& values) {
    return sectionText(values.section, values.dText, values.cText) + "，" +
           std::to_string(values.grid.layerCount()) + " 层嵌岩，lr = " + core::FixedText(values.lr, 15, 2) +
           " m";
}

} // namespace sp::charts
