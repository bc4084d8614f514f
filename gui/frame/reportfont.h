#pragma once
// The monospaced font of the report views, in which a CJK character is exactly two Latin columns,
// so that the fixed columns of the reports line up.

#include <QFont>

namespace sp::frame {

// Sizes are in pixels, as the font-size slider gives them.
QFont reportFont(int pixelSize);

} // namespace sp::frame
