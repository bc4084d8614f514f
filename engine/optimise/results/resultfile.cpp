#include "optimise/results/resultfile.h"

#include "core/platform.h"
#include "core/text.h"
#include "optimise/profiles/moduleprofile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

namespace sp::optimise {

namespace {

constexpr const char* kNote = " 注: 采用《贵州省建筑桩基设计与施工技术规程》(DBJ 52/T088-2018)公式计算";

std::string bannerOf(const FileLayout& layout, const char* title) {
    return std::string(static_cast<std::size_t>(layout.bannerLeft), '=') + " " + title + " " +
           std::string(static_cast<std::size_t>(layout.bannerRight), '=');
}

const char* titleOf(ResultFileKind kind) {
    return kind == ResultFileKind::Raw ? "嵌岩桩优化计算原始结果" : "嵌岩桩优化计算筛选结果";
}

bool isAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Collects a line in a local buffer and hands it to the block in one piece.
class LineBuffer {
public:
    explicit LineBuffer(std::string& out) : m_out(out) {}
    ~LineBuffer() { flush(); }
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;

    void put(std::string_view text) {
        if (text.size() > sizeof m_data - m_size) {
            flush();
            if (text.size() > sizeof m_data) {
                m_out += text;
                return;
            }
        }
        std::memcpy(m_data + m_size, text.data(), text.size());
        m_size += text.size();
    }
    void blanks(int n) {
        if (n <= 0)
            return;
        const auto count = static_cast<std::size_t>(n);
        if (count > sizeof m_data - m_size)
            flush();
        if (count > sizeof m_data) {
            m_out.append(count, ' ');
            return;
        }
        std::memset(m_data + m_size, ' ', count);
        m_size += count;
    }

private:
    void flush() {
        m_out.append(m_data, m_size);
        m_size = 0;
    }

    std::string& m_out;
    char m_data[1024];
    std::size_t m_size = 0;
};

// Lays out the fields of a row line. ASCII text is padded by its length; the few other texts of
// a row (section kinds, integrity classes, processes, the deq method) are padded by display width
// and, for the file's bytes, converted to GBK once each and then reused.
class FieldWriter {
public:
    explicit FieldWriter(bool gbk) : m_gbk(gbk) {}

    void right(LineBuffer& out, std::string_view text, int width, int after) {
        if (isAscii(text)) {
            out.blanks(width - static_cast<int>(text.size()));
            out.put(text);
        } else {
            out.put(laidOut(text, width, false));
        }
        out.blanks(after);
    }

    void centre(LineBuffer& out, std::string_view text, int width, int after) {
        if (isAscii(text)) {
            const int n = width - static_cast<int>(text.size());
            out.blanks(n - n / 2);
            out.put(text);
            out.blanks(n / 2);
        } else {
            out.put(laidOut(text, width, true));
        }
        out.blanks(after);
    }

    // A whole line that is not a row.
    void line(std::string& out, const std::string& text) { out += m_gbk ? core::toGbk(text) : text; }

private:
    struct LaidOut {
        const char* at; // these texts live as long as the table: found again by their address
        std::string text;
        int width;
        bool centred;
        std::string bytes;
    };

    const std::string& laidOut(std::string_view text, int width, bool centred) {
        for (const LaidOut& known : m_laidOut)
            if (known.at == text.data() && known.text.size() == text.size() && known.width == width &&
                known.centred == centred)
                return known.bytes;
        for (LaidOut& known : m_laidOut)
            if (known.width == width && known.centred == centred && known.text == text) {
                known.at = text.data();
                return known.bytes;
            }
        const std::string padded =
            centred ? core::PadCentre(text, " ", width) : core::PadLeft(text, " ", width);
        m_laidOut.push_back(
            {text.data(), std::string(text), width, centred, m_gbk ? core::toGbk(padded) : padded});
        return m_laidOut.back().bytes;
    }

    bool m_gbk;
    std::vector<LaidOut> m_laidOut; // a dozen texts at most
};

int digitsOf(std::size_t n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

// Lays out row lines, each followed by its line end. One per thread.
class RowWriter {
public:
    RowWriter(const ResultTable& table, bool gbk, int digits)
        : m_table(table), m_layout(table.store()->profile().fileLayout()), m_fields(gbk), m_gbk(gbk),
          m_digits(digits) {}

    void rows(std::string& block, std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            LineBuffer line(block);
            row(line, i);
            line.put(m_gbk ? "\r\n" : "\n");
        }
    }

private:
    void row(LineBuffer& out, std::size_t index) {
        const CandidateStore& store = *m_table.store();
        const CandidateStore::Row row = store.row(m_table.rowId(index));
        CandidateStore::CellBuffer buffer;
        auto field = [&](int column, int width, int after, bool centred) {
            const std::string_view text = store.cellText(row, column, buffer);
            if (centred)
                m_fields.centre(out, text, width, after);
            else
                m_fields.right(out, text, width, after);
        };
        out.put(" ");
        number(out, index);
        field(kColSection, 8, 2, true);
        sizes(out, row.key.kind, field);
        for (const FileField& f : m_layout.fields)
            field(f.column, f.width, f.after, f.centred);
    }

    // The file numbers run from 1 in file order, whatever the candidates' own numbers.
    void number(LineBuffer& out, std::size_t index) {
        char number[32] = "ZH-";
        char* at = number + 3;
        const int zeros = m_digits - digitsOf(index + 1);
        if (zeros > 0)
            at = std::fill_n(at, zeros, '0');
        at = std::to_chars(at, number + sizeof number, index + 1).ptr;
        m_fields.centre(out, std::string_view(number, static_cast<std::size_t>(at - number)), 8, 2);
    }

    // d and c for round and oblong piles, a and b for the others; "-" in the two left empty.
    template <class Field> void sizes(LineBuffer& out, core::SectionType kind, Field& field) {
        auto size = [&](int column) { field(column, 6, 4, false); };
        auto none = [&] { m_fields.centre(out, "-", 8, 2); };
        switch (kind) {
        case core::SectionType::Round:
            size(kColFirst);
            none();
            none();
            none();
            break;
        case core::SectionType::Oblong:
            size(kColFirst);
            size(kColSecond);
            none();
            none();
            break;
        case core::SectionType::Rectangular:
        case core::SectionType::Square:
            none();
            none();
            size(kColFirst);
            size(kColSecond);
            break;
        }
    }

    const ResultTable& m_table;
    FileLayout m_layout;
    FieldWriter m_fields;
    bool m_gbk;
    int m_digits;
};

// Writes the lines of one file to a sink, a block at a time, always from the calling thread.
// Large tables are laid out by two threads taking blocks of rows in turn, while the calling
// thread hands the finished blocks to the sink in order.
class FileBuilder {
public:
    FileBuilder(const ResultTable& table, ResultFileKind kind, const core::Moment& moment, bool gbk)
        : m_table(table), m_kind(kind), m_moment(moment), m_gbk(gbk) {}

    template <class Sink> bool build(Sink&& sink) {
        FieldWriter lines(m_gbk);
        std::string block;
        for (const std::string& line : openingLines())
            appendLine(lines, block, line);
        if (!sink(block) || !rows(sink))
            return false;
        block.clear();
        for (const std::string& line : closingLines())
            appendLine(lines, block, line);
        return sink(block);
    }

private:
    static constexpr std::size_t kBatchRows = 8192;
    static constexpr std::size_t kSlots = 4; // blocks in flight: a few megabytes
    static constexpr int kWorkers = 2;

    template <class Sink> bool rows(Sink& sink) {
        const std::size_t rows = m_table.rowCount();
        const int digits = digitsOf(rows);
        if (rows <= 2 * kBatchRows) {
            std::string block;
            RowWriter(m_table, m_gbk, digits).rows(block, 0, rows);
            return sink(block);
        }

        struct Slot {
            std::string text;
            std::size_t batch = 0;
            bool ready = false;
        };
        std::array<Slot, kSlots> slots;
        const std::size_t batches = (rows + kBatchRows - 1) / kBatchRows;
        std::mutex mutex;
        std::condition_variable changed;
        std::size_t claimed = 0; // batches taken by a worker
        std::size_t written = 0; // batches handed to the sink
        bool stop = false;
        std::exception_ptr failure;

        auto work = [&] {
            RowWriter writer(m_table, m_gbk, digits);
            for (;;) {
                std::size_t batch = 0;
                {
                    std::unique_lock lock(mutex);
                    if (stop || claimed == batches)
                        return;
                    batch = claimed++;
                    // The batch's slot is free once the batch kSlots before it has been written.
                    changed.wait(lock, [&] { return stop || written + kSlots > batch; });
                    if (stop)
                        return;
                }
                Slot& slot = slots[batch % kSlots];
                slot.text.clear();
                try {
                    writer.rows(slot.text, batch * kBatchRows, std::min(rows, (batch + 1) * kBatchRows));
                } catch (...) {
                    const std::lock_guard lock(mutex);
                    failure = std::current_exception();
                    stop = true;
                    changed.notify_all();
                    return;
                }
                {
                    const std::lock_guard lock(mutex);
                    slot.batch = batch;
                    slot.ready = true;
                }
                changed.notify_all();
            }
        };
        std::vector<std::thread> workers;
        for (int k = 0; k < kWorkers; ++k)
            workers.emplace_back(work);

        bool ok = true;
        for (std::size_t batch = 0; batch < batches && ok; ++batch) {
            Slot& slot = slots[batch % kSlots];
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stop || (slot.ready && slot.batch == batch); });
                if (stop)
                    break;
            }
            ok = sink(slot.text);
            {
                const std::lock_guard lock(mutex);
                slot.ready = false;
                written = batch + 1;
                if (!ok)
                    stop = true;
            }
            changed.notify_all();
        }
        for (std::thread& t : workers)
            t.join();
        if (failure)
            std::rethrow_exception(failure);
        return ok;
    }

    std::vector<std::string> openingLines() const {
        const FileLayout layout = profileOf(m_table.module()).fileLayout();
        const std::string rule(static_cast<std::size_t>(layout.width), '-');
        const char* heading2 = m_kind == ResultFileKind::Raw ? layout.heading2Raw : layout.heading2Filtered;
        return {bannerOf(layout, titleOf(m_kind)), rule, layout.heading1, heading2, rule};
    }

    std::vector<std::string> closingLines() const {
        const auto width = static_cast<std::size_t>(profileOf(m_table.module()).fileLayout().width);
        return {std::string(width, '-'), kNote, std::string(width, '='),
                "计算时间：" + core::DateTimeText(m_moment)};
    }

    void appendLine(FieldWriter& lines, std::string& out, const std::string& line) const {
        lines.line(out, line);
        out += m_gbk ? "\r\n" : "\n";
    }

    const ResultTable& m_table;
    ResultFileKind m_kind;
    core::Moment m_moment;
    bool m_gbk;
};

} // namespace

const char* resultFileName(ResultFileKind kind) {
    return kind == ResultFileKind::Raw ? "嵌岩桩优化计算原始结果(依据DBJ52T088-2018)_表格.txt"
                                       : "嵌岩桩优化计算筛选结果(依据DBJ52T088-2018)_表格.txt";
}

std::vector<std::string> resultFileLines(const ResultTable& table, ResultFileKind kind,
                                         const core::Moment& moment) {
    std::vector<std::string> lines;
    FileBuilder builder(table, kind, moment, false);
    builder.build([&lines](const std::string& block) {
        std::size_t begin = 0;
        while (begin < block.size()) {
            const std::size_t end = block.find('\n', begin);
            lines.push_back(block.substr(begin, end - begin));
            begin = end + 1;
        }
        return true;
    });
    return lines;
}

std::string encodeResultFile(const ResultTable& table, ResultFileKind kind, const core::Moment& moment) {
    std::string bytes;
    FileBuilder builder(table, kind, moment, true);
    builder.build([&bytes](const std::string& block) {
        bytes += block;
        return true;
    });
    return bytes;
}

core::WriteResult writeResultFile(const std::filesystem::path& folder, const ResultTable& table,
                                  ResultFileKind kind, const core::Moment& moment) {
    // Streamed block by block, so that a table of any size is never held whole in memory.
    core::SafeFileWriter file(folder / core::pathFromUtf8(resultFileName(kind)));
    FileBuilder builder(table, kind, moment, true);
    if (builder.build([&file](const std::string& block) { return file.append(block); }))
        file.commit();
    return file.result();
}

} // namespace sp::optimise
