#include "frame/documentexport.h"

namespace sp::frame {

void exportBookPdf(const ExportContext&) {}

void printBook(const ExportContext&) {}

} // namespace sp::frame
