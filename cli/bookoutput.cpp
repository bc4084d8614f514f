#include "bookoutput.h"

#include <ostream>

namespace sp::cli {

int writeBookPdf(const report::ReportDocuments&, const handin::TitleBlock&, const std::string& path, std::ostream& err) {
    err << "socketpile-cli: cannot write " << path << ": PDF output is not built yet\n";
    return 1;
}

} // namespace sp::cli
