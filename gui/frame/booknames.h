#pragma once
// The names on the handed-in book's title block: the project, the part of the works and who
// calculates, checks and approves. Asked for before each export or print through a small
// interface, so that a test can answer (or cancel) without a modal dialog; remembered between runs.

#include "handin/handinbook.h"

#include <optional>

class QWidget;

namespace sp::frame {

class BookNames {
public:
    virtual ~BookNames() = default;
    // The names to print, starting from `remembered`; nothing when the engineer cancelled. The
    // date is not asked for: the book is dated the day it is made.
    virtual std::optional<handin::TitleBlock> askNames(QWidget* parent, const handin::TitleBlock& remembered) = 0;
};

// The desktop's dialog: five fields and 确定 / 取消.
class DialogBookNames : public BookNames {
public:
    std::optional<handin::TitleBlock> askNames(QWidget* parent, const handin::TitleBlock& remembered) override;
};

// The names given last time, from the program's settings; empty names the first time.
handin::TitleBlock rememberedNames();
void rememberNames(const handin::TitleBlock& names);

} // namespace sp::frame
