#include "tableoutput.h"

#include <ostream>

namespace sp::cli {

int writePileTable(const report::ReportDocuments&, const CommandOptions&, std::ostream&) { return 0; }

int writeResultTable(const optimise::OptimisePage&, const CommandOptions&, std::ostream&) { return 0; }

} // namespace sp::cli
