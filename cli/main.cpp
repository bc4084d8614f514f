// socketpile-cli: the calculations, reports and files of the desktop program without a window.

#include "calccommand.h"
#include "optimisecommand.h"
#include "solvecommand.h"
#include "tableoutput.h"
#include "usageerror.h"

#include "core/inputfile.h"
#include "core/platform.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: socketpile-cli calc FILE     [--out DIR] [--now \"YYYY-MM-DD HH:MM:SS\"]\n"
    "       socketpile-cli optimise FILE [--out DIR] [--now \"YYYY-MM-DD HH:MM:SS\"] [--rows]\n"
    "       socketpile-cli solve FILE    [--out DIR] [--now \"YYYY-MM-DD HH:MM:SS\"]\n"
    "       socketpile-cli --help\n"
    "       socketpile-cli --version\n"
    "\n"
    "FILE is a JSON document (UTF-8), or - for standard input.\n"
    "  --out DIR  write the files that \"保存\" / \"存盘\" would write into DIR (which must exist)\n"
    "  --now T    use the moment T for every time line instead of the local clock\n"
    "  --rows     (optimise) print the rows of the visible table after every step\n"
    "Beside them, calc takes --pdf F, and both take --xlsx F and --csv F:\n"
    "  --pdf F    (calc) write the calculation book to hand in as PDF\n"
    "  --xlsx F   write the pile table (calc) or the visible result table (optimise) as Excel\n"
    "  --csv F    the same table as CSV (UTF-8 with a byte-order mark)\n"
    "calc also takes a project file (.sppile): every pile of every module at its recorded time, one\n"
    "line each with its \"module\"; --out DIR writes each module's pages into DIR/module1/ and so on.\n"
    "solve takes calc's input with a \"target\" on each pile ({\"ra\": 9000, \"n\": 6000, \"step\": 50}: Ra,req\n"
    "and N in kN, the step of the depth in mm) and prints for each the least socket depth (module 2:\n"
    "the bottom layer's length) that carries it, calculated as calc calculates it.\n"
    "Exit status: 0 input understood, 1 a file could not be written, 2 unusable input.\n";

int usageFailure(const std::string& message) {
    std::cerr << "socketpile-cli: " << message << "\n" << kUsage;
    return 2;
}

bool readDocument(const std::string& file, std::string& text, std::string& problem) {
    sp::core::InputText input =
        file == "-" ? sp::core::readInput(std::cin) : sp::core::readInputFile(sp::core::pathFromUtf8(file));
    if (!input.ok()) {
        const std::string name = file == "-" ? "standard input" : file;
        problem = "cannot read " + name;
        if (input.failure != sp::core::InputText::Failure::Unreadable)
            problem += ": " + input.problem;
        return false;
    }
    text = std::move(input.text);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    // The same bytes on every system: no "\r" added on Windows, and arguments read as UTF-8.
    sp::core::binaryStandardStreams();
    const std::vector<std::string> args = sp::core::argumentsUtf8(argc, argv);
    if (args.empty())
        return usageFailure("no command given");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "socketpile-cli " SOCKETPILE_VERSION "\n";
        return 0;
    }
    const std::string command = args[0];
    if (command != "calc" && command != "optimise" && command != "solve")
        return usageFailure("unknown command \"" + command + "\"");

    std::string file;
    sp::cli::CommandOptions options;
    bool rows = false;
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--out" || a == "--now" || a == "--pdf" || a == "--xlsx" || a == "--csv") {
            if (k + 1 >= args.size())
                return usageFailure(a + " needs a value");
            const std::string value = args[++k];
            if (a == "--out") {
                options.outDir = value;
            } else if (a == "--pdf") {
                options.pdfPath = value;
            } else if (a == "--xlsx") {
                if (!sp::cli::kHasXlsx)
                    return usageFailure(std::string("--xlsx: ") + sp::cli::kNoXlsx);
                options.xlsxPath = value;
            } else if (a == "--csv") {
                options.csvPath = value;
            } else {
                options.now = sp::core::parseMoment(value);
                if (!options.now)
                    return usageFailure("--now \"" + value + "\" is not a moment of the form YYYY-MM-DD HH:MM:SS");
            }
        } else if (a == "--rows") {
            rows = true;
        } else if (file.empty() && (a == "-" || a.rfind("--", 0) != 0)) {
            file = a;
        } else {
            return usageFailure("unexpected argument \"" + a + "\"");
        }
    }
    if (file.empty())
        return usageFailure("no input FILE given");
    if (command == "calc" && rows)
        return usageFailure("--rows belongs to optimise");
    if (command == "optimise" && !options.pdfPath.empty())
        return usageFailure("--pdf belongs to calc");
    if (command == "solve" &&
        (rows || !options.pdfPath.empty() || !options.xlsxPath.empty() || !options.csvPath.empty()))
        return usageFailure("solve takes --out and --now only");

    options.inputName = file == "-" ? "standard input" : sp::core::pathToUtf8(sp::core::pathFromUtf8(file).filename());
    std::string document;
    std::string problem;
    if (!readDocument(file, document, problem)) {
        std::cerr << "socketpile-cli: " << problem << "\n";
        return 2;
    }
    try {
        if (command == "calc")
            return sp::cli::runCalc(document, options, std::cout, std::cerr);
        if (command == "solve")
            return sp::cli::runSolve(document, options, std::cout, std::cerr);
        return sp::cli::runOptimise(document, options, rows, std::cout, std::cerr);
    } catch (const sp::cli::UsageError& e) {
        std::cerr << "socketpile-cli: " << e.what() << "\n";
        return 2;
    }
}
