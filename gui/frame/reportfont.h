#pragma once
// The monospaced font of the report views, in which a CJK character is exactly two Latin columns,
// so that the fixed columns of the reports line up.

#include <QFont>

namespace sp::frame {

// The views' size at start, in pixels.
inline constexpr int kReportFontSize = 14;

// Sizes are in pixels, as the font-size slider gives them.
QFont reportFont(int pixelSize);

// True when two CJK characters take exactly the room of four Latin ones in `font`.
bool holdsTwoColumns(const QFont& font);

} // namespace sp::frame
