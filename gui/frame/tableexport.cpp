#include "frame/documentexport.h"

namespace sp::frame {

void exportPileTable(const ExportContext&) {}

} // namespace sp::frame
