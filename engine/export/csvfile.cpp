#include "export/cellformat.h"
#include "export/sheetfiles.h"

#include <string>
#include <string_view>

namespace sp::sheets {

namespace {

// RFC 4180: a field with a comma, a quote or a line break goes in quotes, its quotes doubled.
void appendField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// CR LF ends every record, as RFC 4180 has it and as the program's other text files do; the
// byte-order mark in front is what makes a Chinese Excel read the file as UTF-8 rather than GBK.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRecordEnd = "\r\n";
constexpr std::size_t kPiece = 1 << 20; // bytes gathered before each write

} // namespace

bool writeCsv(const handin::SheetSource& sheet, core::SafeFileWriter& writer) {
    std::string buffer(kByteOrderMark);
    const std::vector<handin::SheetColumn>& columns = sheet.columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0)
            buffer += ',';
        appendField(buffer, headerText(columns[c]));
    }
    buffer += kRecordEnd;

    handin::SheetRow row;
    const std::size_t rows = sheet.rowCount();
    for (std::size_t index = 0; index < rows; ++index) {
        sheet.row(index, row);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            if (c > 0)
                buffer += ',';
            if (c < row.size())
                appendField(buffer, row[c].text);
        }
        buffer += kRecordEnd;
        if (buffer.size() >= kPiece) {
            if (!writer.append(buffer))
                return false;
            buffer.clear();
        }
    }
    return writer.append(buffer);
}

core::WriteResult writeCsv(const handin::SheetSource& sheet, const std::filesystem::path& path) {
    core::SafeFileWriter writer(path);
    if (writeCsv(sheet, writer))
        writer.commit();
    return writer.result();
}

} // namespace sp::sheets
