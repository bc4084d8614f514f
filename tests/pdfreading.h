#pragma once
// Reading a written PDF back as a reader would: its text (pdftotext -layout), its fonts
// (pdffonts) and its page sizes (pdfinfo), all from poppler-utils; and a file-size limit that
// makes a write fail part-way, as a full disk does, even for a user the permissions let through.

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace sp::test {

// What `command` prints on standard output; its exit status in `status`.
inline std::string commandOutput(const std::string& command, int* status = nullptr) {
    std::string out;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int result = pclose(pipe);
    if (status)
        *status = result;
    return out;
}

// The text without its blanks: pdftotext leaves out some of those between Chinese characters and
// figures ("第 1 页" reads "第1页"), so texts that mix them are compared without any.
inline std::string withoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

inline std::string quoted(const std::string& path) { return "'" + path + "'"; }

// The text of the PDF as pdftotext lays it out; pages are separated by form feeds.
inline std::string pdfText(const std::string& path) {
    return commandOutput("pdftotext -layout -enc UTF-8 " + quoted(path) + " - 2>/dev/null");
}

// One row of pdffonts per font: its name and whether the PDF embeds it.
struct PdfFont {
    std::string name;
    bool embedded = false;
};

inline std::vector<PdfFont> pdfFonts(const std::string& path) {
    std::vector<PdfFont> fonts;
    const std::string out = commandOutput("pdffonts " + quoted(path) + " 2>/dev/null");
    std::size_t start = 0;
    int line = 0;
    while (start < out.size()) {
        std::size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string row = out.substr(start, end - start);
        start = end + 1;
        if (++line <= 2 || row.empty()) // the column titles and the rule under them
            continue;
        // name, type words…, encoding, then "emb sub uni object ID": emb is the fifth field from the end
        std::vector<std::string> fields;
        std::size_t k = 0;
        while (k < row.size()) {
            while (k < row.size() && row[k] == ' ')
                ++k;
            const std::size_t from = k;
            while (k < row.size() && row[k] != ' ')
                ++k;
            if (k > from)
                fields.push_back(row.substr(from, k - from));
        }
        if (fields.size() >= 6)
            fonts.push_back({fields.front(), fields[fields.size() - 5] == "yes"});
    }
    return fonts;
}

// Each page's width and height in points, in order.
inline std::vector<std::pair<int, int>> pdfPageSizes(const std::string& path) {
    std::vector<std::pair<int, int>> sizes;
    const std::string out = commandOutput("pdfinfo -f 1 -l 100000 " + quoted(path) + " 2>/dev/null");
    std::size_t at = 0;
    while ((at = out.find("size:", at)) != std::string::npos) {
        double width = 0;
        double height = 0;
        if (out.compare(at - 5, 5, "File ") != 0 && std::sscanf(out.c_str() + at, "size: %lf x %lf", &width, &height) == 2)
            sizes.emplace_back(static_cast<int>(width + 0.5), static_cast<int>(height + 0.5));
        at += 5;
    }
    return sizes;
}

// While it lives, no file this process writes may grow beyond `bytes`: a longer write fails with
// EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_signal)(int) = SIG_DFL;
};

} // namespace sp::test
