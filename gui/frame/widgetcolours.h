#pragma once
// Text colours of fields, result boxes and labels, set and read back as the ARGB values the
// engine speaks in.

#include "core/outcome.h"

class QWidget;

namespace sp::frame {

void setTextColour(QWidget* widget, core::Colour colour);
core::Colour textColour(const QWidget* widget);

} // namespace sp::frame
