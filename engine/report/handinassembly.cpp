#include "report/handinassembly.h"

#include <cstdio>
#include <utility>

namespace sp::report {

handin::HandInBook bookOf(const ReportDocuments& documents, handin::TitleBlock title, std::string programLine) {
    handin::HandInBook book;
    book.title = std::move(title);
    book.programLine = std::move(programLine);
    const std::vector<handin::PileEntry>& entries = documents.entries();
    book.piles.reserve(entries.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
        handin::PileSection section = entries[k].section;
        if (section.pileName.empty())
            section.pileName = PileRegister::pileName(static_cast<int>(k) + 1);
        if (section.heading.empty())
            section.heading = section.pileName;
        book.piles.push_back(std::move(section));
    }
    book.pileTable = documents.pileSheet();
    return book;
}

std::string bookDate(const core::Moment& moment) {
    char text[48];
    std::snprintf(text, sizeof text, "%d年%d月%d日", moment.year, moment.month, moment.day);
    return text;
}

std::string programLine(const std::string& version) { return "SocketPile 嵌岩桩承载力计算 " + version; }

} // namespace sp::report
