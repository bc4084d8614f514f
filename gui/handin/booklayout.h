#pragma once
// Lays a handed-in book out as A4 pages: the title block and the standard on the first page, one
// section per pile (each after the first on a fresh page), and the pile table on landscape pages
// with its header row repeated. The running header and the footer "第 n 页 共 m 页" are added once
// every page is laid out and their number is known.

#include "handin/handinbook.h"
#include "pagecontent.h"
#include "richtext.h"

#include <QString>

#include <vector>

namespace sp::handin {

struct LaidOutBook {
    std::vector<PageContent> pages;
    QString project;     // the running header's left, from page 2 on
    QString programLine; // the footer's left
};

LaidOutBook layOutBook(const HandInBook& book, const Typesetter& typesetter);

} // namespace sp::handin
