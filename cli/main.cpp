// socketpile-cli: the calculations, reports and files of the desktop program without a window.

#include "calccommand.h"
#include "optimisecommand.h"
#include "outputfiles.h"
#include "solvecommand.h"
#include "tableoutput.h"
#include "usageerror.h"

#include "core/inputfile.h"
#include "core/platform.h"
#include "core/text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <streambuf>
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
    "  --out DIR  write the files that \"保存\" / \"存盘\" would write into DIR (made if missing)\n"
    "  --now T    use the moment T for every time line instead of the local clock\n"
    "  --rows     (optimise) print the rows of the visible table after every step\n"
    "Beside them, calc takes --pdf F, and both take --xlsx F and --csv F:\n"
    "  --pdf F    (calc) write the calculation book to hand in as PDF\n"
    "  --xlsx F   write the pile table (calc) or the visible result table (optimise) as Excel\n"
    "  --csv F    the same table as CSV (UTF-8 with a byte-order mark)\n"
    "  F may be - for standard output (one of them only); the JSON lines are then left out.\n"
    "calc also takes a project file (.sppile): every pile of every module at its recorded time, one\n"
    "line each with its \"module\"; --out DIR writes each module's pages into DIR/module1/ and so on.\n"
    "solve takes calc's input with a \"target\" on each pile ({\"ra\": 9000, \"n\": 6000, \"step\": 50}: Ra,req\n"
    "and N in kN, the step of the depth in mm) and prints for each the least socket depth (module 2:\n"
    "the bottom layer's length) that carries it, calculated as calc calculates it.\n"
    "Exit status: 0 input understood, 1 a file or standard output could not be written, 2 unusable input.\n";

// Standard output written straight to its descriptor, keeping the system's reason for the first
// write that failed (the C library's stream forgets it), after which it writes no more.
class StandardOutputBuffer : public std::streambuf {
public:
    StandardOutputBuffer() { setp(m_buffer, m_buffer + sizeof m_buffer); }
    int error() const { return m_error; }

protected:
    int overflow(int c) override {
        if (!drain())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return drain() ? 0 : -1; }

private:
    bool drain() {
        const char* data = pbase();
        std::size_t left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0 && m_error == 0) {
            const long n = sp::core::file::write(1, data, left);
            if (n < 0)
                m_error = errno;
            else {
                data += n;
                left -= static_cast<std::size_t>(n);
            }
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return m_error == 0;
    }

    char m_buffer[1 << 16];
    int m_error = 0;
};

// Never destroyed: the standard streams flush once more after main returns.
StandardOutputBuffer& standardOutput = *new StandardOutputBuffer;

// Everything printed must have reached its place: a full disk, /dev/full or a closed pipe behind
// standard output is a failed write like any file's.
int checkedStandardOutput(int status) {
    std::cout.flush();
    if (standardOutput.error() == 0 && !std::cout.fail())
        return status;
    std::cerr << "socketpile-cli: cannot write standard output: " << std::strerror(standardOutput.error()) << "\n";
    return std::max(status, 1);
}

// Output that goes nowhere: the JSON lines while a file goes to standard output in their place.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

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
    std::cout.rdbuf(&standardOutput);
    const std::vector<std::string> args = sp::core::argumentsUtf8(argc, argv);
    if (args.empty())
        return usageFailure("no command given");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::cout << kUsage;
        return checkedStandardOutput(0);
    }
    if (args[0] == "--version") {
        std::cout << "socketpile-cli " SOCKETPILE_VERSION "\n";
        return checkedStandardOutput(0);
    }
    const std::string command = args[0];
    if (command != "calc" && command != "optimise" && command != "solve")
        return usageFailure("unknown command \"" + sp::core::excerpt(command) + "\"");

    std::string file;
    sp::cli::CommandOptions options;
    bool rows = false;
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--out" || a == "--now" || a == "--pdf" || a == "--xlsx" || a == "--csv") {
            if (k + 1 >= args.size())
                return usageFailure(a + " needs a value");
            std::string value = args[++k];
            if (value.empty() && a != "--now")
                return usageFailure(a + " needs a " + (a == "--out" ? "folder" : "file") + ", not an empty name");
            // Standard output by any of its names (/dev/stdout, the file it goes to) is "-".
            if (a != "--now" && a != "--out" && sp::core::namesStandardOutput(value))
                value = sp::cli::kStandardOutput;
            if (a == "--out") {
                if (value == sp::cli::kStandardOutput)
                    return usageFailure("--out takes a folder; - (standard output) is for --pdf, --xlsx and --csv");
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
                    return usageFailure("--now \"" + sp::core::excerpt(value) + "\" is not a moment of the form YYYY-MM-DD HH:MM:SS");
            }
        } else if (a == "--rows") {
            rows = true;
        } else if (file.empty() && (a == "-" || a.rfind("--", 0) != 0)) {
            file = a;
        } else {
            return usageFailure("unexpected argument \"" + sp::core::excerpt(a) + "\"");
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
    const int toStandardOutput = (options.pdfPath == sp::cli::kStandardOutput) +
                                 (options.xlsxPath == sp::cli::kStandardOutput) +
                                 (options.csvPath == sp::cli::kStandardOutput);
    if (toStandardOutput > 1)
        return usageFailure("only one of --pdf, --xlsx and --csv can go to standard output (-)");

    options.inputName = file == "-" ? "standard input" : sp::core::pathToUtf8(sp::core::pathFromUtf8(file).filename());
    std::string document;
    std::string problem;
    if (!readDocument(file, document, problem)) {
        std::cerr << "socketpile-cli: " << problem << "\n";
        return 2;
    }
    // A file on standard output takes the place of the JSON lines, which would spoil it.
    NullBuffer nowhere;
    std::ostream nothing(&nowhere);
    std::ostream& out = toStandardOutput > 0 ? nothing : std::cout;
    int status = 0;
    try {
        if (command == "calc")
            status = sp::cli::runCalc(document, options, out, std::cerr);
        else if (command == "solve")
            status = sp::cli::runSolve(document, options, out, std::cerr);
        else
            status = sp::cli::runOptimise(document, options, rows, out, std::cerr);
    } catch (const sp::cli::UsageError& e) {
        std::cerr << "socketpile-cli: " << e.what() << "\n";
        status = 2;
    }
    return checkedStandardOutput(status);
}
