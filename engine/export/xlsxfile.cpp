#include "export/cellformat.h"
#include "export/rowbatches.h"
#include "export/sheetfiles.h"

#include "core/platform.h"

#include <xlsxwriter.h>

#if defined(__linux__)
#include <dlfcn.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <set>
#include <string>

// libxlsxwriter packs a workbook with minizip at zlib's default level, and offers no setting for
// it. For a million rows that level costs more than all the rest of the writing: the fastest
// level takes half the time for a file a third larger. So the call through which the library
// opens each part of the package is taken here first (the program's own definition comes before
// the shared library's) and passed on to minizip with the fastest level. Where the library is
// built with a minizip of its own, this is never called and the files are only slower to make.
#if defined(__linux__) // where the shared library finds the program's definition first
extern "C" int zipOpenNewFileInZip4_64(void* file, const char* filename, const void* fileInfo,
                                       const void* localExtra, unsigned localExtraSize, const void* globalExtra,
                                       unsigned globalExtraSize, const char* comment, int method, int level, int raw,
                                       int windowBits, int memLevel, int strategy, const char* password,
                                       unsigned long crcForCrypting, unsigned long versionMadeBy,
                                       unsigned long flagBase, int zip64) {
    using Open = int (*)(void*, const char*, const void*, const void*, unsigned, const void*, unsigned, const char*,
                         int, int, int, int, int, int, const char*, unsigned long, unsigned long, unsigned long, int);
    static const auto minizip = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    if (!minizip)
        return -102; // ZIP_PARAMERROR: no minizip behind us, which cannot be when the library called us
    constexpr int kFastest = 1;
    constexpr int kDefault = -1; // Z_DEFAULT_COMPRESSION
    return minizip(file, filename, fileInfo, localExtra, localExtraSize, globalExtra, globalExtraSize, comment, method,
                   level == kDefault ? kFastest : level, raw, windowBits, memLevel, strategy, password, crcForCrypting,
                   versionMadeBy, flagBase, zip64);
}
#endif

namespace sp::sheets {

namespace {

// The cell formats of one workbook, each made the first time a cell needs it (a workbook keeps
// every format it was given, so they are made once rather than per cell).
class Formats {
public:
    explicit Formats(lxw_workbook* workbook) : m_workbook(workbook) {}

    lxw_format* header() {
        if (!m_header) {
            m_header = workbook_add_format(m_workbook);
            format_set_bold(m_header);
            format_set_bottom(m_header, LXW_BORDER_THIN);
        }
        return m_header;
    }
    // Texts take the default format; only a red row needs one.
    lxw_format* text(bool red) {
        if (!red)
            return nullptr;
        if (!m_redText) {
            m_redText = workbook_add_format(m_workbook);
            format_set_font_color(m_redText, LXW_COLOR_RED);
        }
        return m_redText;
    }
    lxw_format* number(const NumberShape& shape, bool red) {
        lxw_format*& format = m_numbers[static_cast<std::size_t>(shape.decimals)][shape.percent][red];
        if (!format) {
            format = workbook_add_format(m_workbook);
            format_set_num_format(format, numberFormat(shape).c_str());
            if (red)
                format_set_font_color(format, LXW_COLOR_RED);
        }
        return format;
    }

private:
    lxw_workbook* m_workbook;
    lxw_format* m_header = nullptr;
    lxw_format* m_redText = nullptr;
    std::array<std::array<std::array<lxw_format*, 2>, 2>, kMaxDecimals + 1> m_numbers{};
};

std::string systemReason(int error) { return std::strerror(error); }

// libxlsxwriter's error, or the system's reason behind it when the library reports a failed
// file operation (it leaves errno as the system set it).
std::string libraryReason(lxw_error error, int systemError) {
    switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        if (systemError != 0)
            return systemReason(systemError);
        break;
    default:
        break;
    }
    return lxw_strerror(error);
}

// The names of a workbook's sheets, different from each other as a workbook requires.
class SheetNames {
public:
    std::string next(const std::string& name, std::size_t part) {
        std::string candidate = part == 0 ? sheetName(name) : sheetName(name, " (" + std::to_string(part + 1) + ")");
        for (int extra = 2; !m_used.insert(lowerAscii(candidate)).second; ++extra)
            candidate = sheetName(name, " (" + std::to_string(part + 1) + "-" + std::to_string(extra) + ")");
        return candidate;
    }

private:
    // A workbook compares sheet names without case.
    static std::string lowerAscii(std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return s;
    }
    std::set<std::string> m_used;
};

// Room for a sheet's spooled rows before each write to its temporary file: the library leaves
// the stream at the C library's few kilobytes, which makes a million rows hundreds of thousands
// of system calls. Held until the workbook is closed, which is when the library is done with it.
using SpoolBuffer = std::unique_ptr<char[]>;
constexpr std::size_t kSpoolBufferSize = 1 << 20;

// Writes rows [first, last) of the source as one sheet. Returns the library's error, or
// LXW_NO_ERROR; `systemError` gets errno when the rows could not be spooled to disk.
lxw_error writeSheet(lxw_workbook* workbook, Formats& formats, const handin::SheetSource& source,
                     const std::string& name, std::size_t first, std::size_t last, std::vector<SpoolBuffer>& spools,
                     int& systemError) {
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.c_str());
    if (!sheet) {
        // In constant-memory mode a sheet is refused when its temporary file cannot be made.
        systemError = errno;
        return LXW_ERROR_CREATING_TMPFILE;
    }
    if (sheet->optimize_tmpfile) {
        spools.push_back(std::make_unique<char[]>(kSpoolBufferSize));
        std::setvbuf(sheet->optimize_tmpfile, spools.back().get(), _IOFBF, kSpoolBufferSize);
    }
    const std::vector<handin::SheetColumn>& columns = source.columns();
    const auto columnCount = static_cast<lxw_col_t>(columns.size());
    std::vector<int> widths(columns.size(), 0);
    for (lxw_col_t c = 0; c < columnCount; ++c) {
        const std::string text = headerText(columns[c]);
        if (const lxw_error error = worksheet_write_string(sheet, 0, c, text.c_str(), formats.header()))
            return error;
        // Room for the filter's drop-down button beside the name.
        widths[c] = cellWidth(text) + 3;
    }

    RowBatches batches(source, first, last);
    lxw_row_t sheetRow = 1;
    while (const RowBatch* batch = batches.next()) {
        for (std::size_t r = 0; r < batch->count; ++r, ++sheetRow) {
            const handin::SheetRow& row = batch->rows[r];
            const bool red = batch->flagged[r] != 0;
            for (lxw_col_t c = 0; c < columnCount; ++c) {
                const handin::SheetCell& cell = row[c];
                lxw_error error = LXW_NO_ERROR;
                if (cell.number && std::isfinite(*cell.number))
                    error = worksheet_write_number(sheet, sheetRow, c, *cell.number,
                                                   formats.number(batch->shapes[r * columnCount + c], red));
                else if (!cell.text.empty())
                    error = worksheet_write_string(sheet, sheetRow, c, cell.text.c_str(), formats.text(red));
                if (error)
                    return error;
            }
        }
        for (lxw_col_t c = 0; c < columnCount; ++c)
            widths[c] = std::max(widths[c], batch->widths[c]);
    }

    for (lxw_col_t c = 0; c < columnCount; ++c)
        worksheet_set_column(sheet, c, c, std::min(widths[c] + 2, 80), nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    if (columnCount > 0)
        worksheet_autofilter(sheet, 0, 0, sheetRow - 1, columnCount - 1);

    // The rows went to the sheet's temporary file; a full disk shows here and not later, when the
    // library copies that file into the workbook without looking.
    if (sheet->optimize_tmpfile && (std::fflush(sheet->optimize_tmpfile) != 0 || std::ferror(sheet->optimize_tmpfile))) {
        systemError = errno;
        return LXW_ERROR_ZIP_FILE_OPERATION;
    }
    return LXW_NO_ERROR;
}

} // namespace

namespace {

// The workbook written by the library under the writer's own name for it.
bool writeWorkbook(const std::vector<const handin::SheetSource*>& sheets, core::SafeFileWriter& writer,
                   const std::filesystem::path& spoolFolder, const XlsxOptions& options) {
    // libxlsxwriter opens the writer's new file by name only when the workbook is closed, and
    // truncates it, which keeps its inode, so that the writer syncs and puts in place what the
    // library wrote.
    //
    // The library spools each sheet's rows to a temporary file: beside the target rather than in
    // the system's temporary folder, which may be a RAM disk that a million rows would fill.
    std::string spool = core::pathToUtf8(spoolFolder);
    if (spool.empty())
        spool = ".";
    lxw_workbook_options workbookOptions{};
    workbookOptions.constant_memory = LXW_TRUE;
    workbookOptions.tmpdir = spool.data();
    lxw_workbook* workbook = workbook_new_opt(writer.libraryName().c_str(), &workbookOptions);
    if (!workbook)
        return writer.failWith(systemReason(ENOMEM));

    Formats formats(workbook);
    SheetNames names;
    std::vector<SpoolBuffer> spools;
    const std::size_t perSheet = std::max<std::size_t>(1, std::min(options.rowsPerSheet, kMaxSheetRows));
    lxw_error error = LXW_NO_ERROR;
    int systemError = 0;
    std::string thrown;
    try {
        for (const handin::SheetSource* source : sheets) {
            const std::size_t rows = source->rowCount();
            const std::size_t parts = std::max<std::size_t>(1, (rows + perSheet - 1) / perSheet);
            for (std::size_t part = 0; part < parts && !error; ++part)
                error = writeSheet(workbook, formats, *source, names.next(source->name(), part), part * perSheet,
                                   std::min(rows, (part + 1) * perSheet), spools, systemError);
            if (error)
                break;
        }
    } catch (const std::exception& e) {
        // A source that could not make its rows (out of memory): the file is given up like any other.
        thrown = e.what();
    }

    // Closed even after a failure: closing is what releases the sheets' spool files.
    errno = 0;
    const lxw_error closed = workbook_close(workbook);
    if (!error) {
        error = closed;
        systemError = errno;
    }
    if (!thrown.empty())
        return writer.failWith(thrown);
    if (error)
        return writer.failWith(libraryReason(error, systemError));
    return true;
}

} // namespace

bool writeXlsx(const std::vector<const handin::SheetSource*>& sheets, core::SafeFileWriter& writer,
               const XlsxOptions& options) {
    if (!writer.result().ok)
        return false;
    if (sheets.empty())
        return writer.failWith("no table to write");
    if (!writer.direct())
        return writeWorkbook(sheets, writer, core::pathFromUtf8(writer.target()).parent_path(), options);
    // The library seeks in the file it writes, which a pipe cannot do: the workbook is made in
    // the system's temporary folder and passed on whole.
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    core::SafeFileWriter scratch((error ? std::filesystem::path(".") : folder) / "socketpile-workbook.xlsx");
    if (!scratch.result().ok)
        return writer.failWith(scratch.result().reason);
    if (!writeWorkbook(sheets, scratch, core::pathFromUtf8(scratch.target()).parent_path(), options))
        return writer.failWith(scratch.result().reason);
    return scratch.passOn(writer);
}

core::WriteResult writeXlsx(const std::vector<const handin::SheetSource*>& sheets, const std::filesystem::path& path,
                            const XlsxOptions& options) {
    core::SafeFileWriter writer(path);
    if (writeXlsx(sheets, writer, options))
        writer.commit();
    return writer.result();
}

} // namespace sp::sheets
