#include "charts/designspace.h"

#include "core/numbers.h"
#include "optimise/results/filter.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace sp::charts {

using namespace sp::optimise;

namespace {

// What a socket's volume depends on: the section and its sizes, and the depth. Candidates that
// differ only in rock, integrity, grade, process or method share it, so a run's million rows
// need the calculation's geometry for a few hundred of them.
struct GeometryKey {
    core::SectionType kind;
    std::uint32_t first;
    std::uint32_t second;
    std::uint32_t depth;
    bool operator==(const GeometryKey&) const = default;
};

struct GeometryKeyHash {
    std::size_t operator()(const GeometryKey& k) const {
        std::uint64_t h = static_cast<std::uint64_t>(k.kind);
        for (std::uint64_t part : {std::uint64_t{k.first}, std::uint64_t{k.second}, std::uint64_t{k.depth}})
            h = (h ^ part) * 0x100000001b3ull + 0x9e3779b97f4a7c15ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

// Ap (mm²) × hr (mm) in m³, from the candidate's calculation; module 2's depth is the socket
// length of its grid cell, in m.
double volumeOf(ModuleKind module, const Evaluation& e) {
    const double area = e.geometry.area / 1e6;
    if (module == ModuleKind::Module2)
        return area * e.module2.lr;
    return area * (e.geometry.hr / 1000.0);
}

class Volumes {
public:
    explicit Volumes(const CandidateSpace& space) : m_space(space) {}

    double of(const CandidateKey& key) {
        const GeometryKey g{key.kind, key.first, key.second, key.depth};
        if (m_hasLast && g == m_last)
            return m_lastVolume;
        auto found = m_known.find(g);
        if (found == m_known.end())
            found = m_known.emplace(g, volumeOf(m_space.module(), m_space.evaluate(key))).first;
        m_last = g;
        m_lastVolume = found->second;
        m_hasLast = true;
        return m_lastVolume;
    }

private:
    const CandidateSpace& m_space;
    std::unordered_map<GeometryKey, double, GeometryKeyHash> m_known;
    GeometryKey m_last{};
    double m_lastVolume = 0.0;
    bool m_hasLast = false;
};

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

struct BandReading {
    std::optional<Band> band;
    FilterBounds windows;
    std::optional<OptionError> error;
};

// The filter rows read as the filter reads them, except that an empty cell is an open side.
BandReading readBand(const OptionTable& table) {
    BandReading out;
    const ModuleProfile& profile = profileOf(table.module());
    auto range = [&](int row, BandRange& r, Window& w) {
        double bound[2] = {0.0, 0.0};
        for (int c = 0; c < 2; ++c) {
            const std::string& text = table.cell(row, kColMin + c);
            if (blank(text))
                continue;
            const auto value = core::readStrict(text);
            if (!value) {
                out.error = unreadCell(table, row, kColMin + c);
                return false;
            }
            bound[c] = *value;
        }
        w = windowOf(bound[0], bound[1]);
        r.lower = w.lower;
        r.upper = w.upper;
        r.lowerOpen = !(bound[0] > 0.0);
        r.upperOpen = !(bound[1] > 0.0);
        return true;
    };
    Band band;
    if (!range(profile.filterRaRow(), band.ra, out.windows.ra))
        return out;
    if (const std::optional<int> rcRow = profile.filterRcRow()) {
        band.rc.emplace();
        if (!range(*rcRow, *band.rc, out.windows.rc))
            return out;
    }
    out.band = band;
    return out;
}

// Less volume first; on equal volumes the larger Ra; then the first row.
bool cheaper(const CandidatePoint& a, std::size_t rowA, const CandidatePoint& b, std::size_t rowB) {
    if (a.volume != b.volume)
        return a.volume < b.volume;
    if (a.ra != b.ra)
        return a.ra > b.ra;
    return rowA < rowB;
}

bool finite(const CandidatePoint& p) {
    return std::isfinite(p.volume) && std::isfinite(p.ra);
}

// Pixel coordinates of the frame: x from the left, y from the bottom, both from 0.
struct Pixels {
    double x0, xScale, y0, yScale;
    explicit Pixels(const PlotFrame& f)
        : x0(f.xMin), xScale(f.xMax > f.xMin ? f.width / (f.xMax - f.xMin) : 0.0), y0(f.yMin),
          yScale(f.yMax > f.yMin ? f.height / (f.yMax - f.yMin) : 0.0) {}
    double x(double v) const { return (v - x0) * xScale; }
    double y(double v) const { return (v - y0) * yScale; }
};

// The pixel a point falls in, or false outside the frame.
bool pixelOf(const Pixels& px, const PlotFrame& f, const CandidatePoint& p, int& cx, int& cy) {
    const double x = std::floor(px.x(p.volume));
    const double y = std::floor(px.y(p.ra));
    // The right and top edges belong to the last pixel.
    const double xi = x == f.width && p.volume == f.xMax ? f.width - 1 : x;
    const double yi = y == f.height && p.ra == f.yMax ? f.height - 1 : y;
    if (!(xi >= 0.0 && xi < f.width && yi >= 0.0 && yi < f.height))
        return false;
    cx = static_cast<int>(xi);
    cy = static_cast<int>(yi);
    return true;
}

} // namespace

int pointClass(const CandidatePoint& p) {
    const int kind = static_cast<int>(p.section) - 1; // 0 … 3
    return (kind & 3) * 4 + (p.overStandard ? 2 : 0) + (p.inBand ? 1 : 0);
}

DesignSpace designSpace(const ResultTable& table, const OptionTable& options) {
    DesignSpace out;
    out.module = table.module();
    const BandReading band = readBand(options);
    out.band = band.band;
    out.bandError = band.error;

    const std::size_t n = table.rowCount();
    if (n == 0 || !table.store())
        return out;
    const CandidateStore& store = *table.store();
    const CandidateSpace& space = store.space();
    const ModuleProfile& profile = space.profile();
    const bool withVerdict = out.module == ModuleKind::Module3;
    Volumes volumes(space);
    out.points.resize(n);
    const std::vector<RowId>& order = table.order();
    std::optional<std::size_t> cheapest;
    for (std::size_t row = 0; row < n; ++row) {
        const RowId id = order[row];
        const CandidateKey key = space.decode(id);
        CandidatePoint& p = out.points[row];
        p.volume = volumes.of(key);
        p.ra = store.raKey(id);
        p.section = key.kind;
        p.overStandard = withVerdict && profile.overStandard(space, key);
        if (band.band) {
            p.inBand =
                band.windows.ra.contains(p.ra) && band.windows.rc.contains(store.rcKey(id)) && finite(p);
            if (p.inBand && (!cheapest || cheaper(p, row, out.points[*cheapest], *cheapest)))
                cheapest = row;
        }
    }
    out.cheapest = cheapest;

    bool any = false;
    for (const CandidatePoint& p : out.points) {
        if (!finite(p))
            continue;
        if (!any) {
            out.xMin = out.xMax = p.volume;
            out.yMin = out.yMax = p.ra;
            any = true;
            continue;
        }
        out.xMin = std::min(out.xMin, p.volume);
        out.xMax = std::max(out.xMax, p.volume);
        out.yMin = std::min(out.yMin, p.ra);
        out.yMax = std::max(out.yMax, p.ra);
    }
    return out;
}

DesignSpace designSpace(const OptimisePage& page) {
    return designSpace(page.visibleTable(), page.optionTable());
}

PlotFrame frameAround(const DesignSpace& space, int width, int height) {
    PlotFrame f;
    f.width = std::max(1, width);
    f.height = std::max(1, height);
    double x0 = space.xMin, x1 = space.xMax, y0 = space.yMin, y1 = space.yMax;
    if (space.band) {
        auto include = [&](const BandRange& r) {
            if (!r.lowerOpen) {
                y0 = std::min(y0, r.lower);
                y1 = std::max(y1, r.lower);
            }
            if (!r.upperOpen) {
                y0 = std::min(y0, r.upper);
                y1 = std::max(y1, r.upper);
            }
        };
        include(space.band->ra);
    }
    auto pad = [](double& lo, double& hi) {
        const double span = hi - lo;
        const double spare = span > 0.0 ? span / 20.0 : std::max(1.0, std::abs(lo) / 20.0);
        // Volumes and resistances are never negative: an axis that starts at or above 0 does
        // not run below it for the spare.
        lo = lo >= 0.0 ? std::max(0.0, lo - spare) : lo - spare;
        hi += spare;
    };
    pad(x0, x1);
    pad(y0, y1);
    f.xMin = x0;
    f.xMax = x1;
    f.yMin = y0;
    f.yMax = y1;
    return f;
}

std::vector<std::uint32_t> thinnedPoints(const DesignSpace& space, const PlotFrame& frame,
                                         std::size_t maxPoints) {
    const Pixels px(frame);
    // One bit per class in every cell; a cell is `cell` × `cell` pixels.
    std::vector<std::uint16_t> seen;
    auto thin = [&](const std::vector<std::uint32_t>* from, int cell) {
        const int columns = (frame.width + cell - 1) / cell;
        const int rows = (frame.height + cell - 1) / cell;
        seen.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0);
        std::vector<std::uint32_t> kept;
        auto visit = [&](std::uint32_t i) {
            const CandidatePoint& p = space.points[i];
            int cx = 0, cy = 0;
            if (!finite(p) || !pixelOf(px, frame, p, cx, cy))
                return;
            std::uint16_t& mask =
                seen[static_cast<std::size_t>(cy / cell) * static_cast<std::size_t>(columns) +
                     static_cast<std::size_t>(cx / cell)];
            const auto bit = static_cast<std::uint16_t>(1u << pointClass(p));
            if (mask & bit)
                return;
            mask = static_cast<std::uint16_t>(mask | bit);
            kept.push_back(i);
        };
        if (from) {
            for (std::uint32_t i : *from)
                visit(i);
        } else {
            for (std::uint32_t i = 0; i < space.points.size(); ++i)
                visit(i);
        }
        return kept;
    };
    static_assert(kPointClasses <= 16, "a cell's classes are the bits of a 16-bit mask");

    std::vector<std::uint32_t> kept = thin(nullptr, 1);
    const bool hasCheapest = space.cheapest.has_value();
    const auto cheapest = static_cast<std::uint32_t>(space.cheapest.value_or(0));
    auto missingCheapest = [&](const std::vector<std::uint32_t>& points) {
        return hasCheapest && !std::binary_search(points.begin(), points.end(), cheapest);
    };
    auto count = [&](const std::vector<std::uint32_t>& points) {
        return points.size() + (missingCheapest(points) ? 1 : 0);
    };
    // The first row of a coarse cell is the first of its fine cells, so thinning the kept points
    // again gives what thinning every point at the coarse size would.
    int cell = 1;
    const int largest = std::max(frame.width, frame.height);
    while (maxPoints > 0 && count(kept) > maxPoints && cell < largest) {
        cell *= 2;
        kept = thin(&kept, cell);
    }
    if (maxPoints > 0 && count(kept) > maxPoints) {
        // More classes than room even in one cell: the first rows.
        const std::size_t room = hasCheapest ? maxPoints - 1 : maxPoints;
        std::vector<std::uint32_t> first;
        for (std::uint32_t i : kept)
            if (first.size() < room && (!hasCheapest || i != cheapest))
                first.push_back(i);
        kept = std::move(first);
    }
    if (missingCheapest(kept))
        kept.insert(std::lower_bound(kept.begin(), kept.end(), cheapest), cheapest);
    return kept;
}

// The locator's buckets are this many pixels square.
constexpr int kBucket = 8;

PointLocator::PointLocator(const DesignSpace& space, const PlotFrame& frame)
    : m_space(&space), m_frame(frame) {
    const Pixels px(frame);
    m_xScale = px.xScale;
    m_yScale = px.yScale;
    // Filled by counting, so that the rows of each bucket stay ascending.
    m_columns = std::max(1, (frame.width + kBucket - 1) / kBucket);
    m_rows = std::max(1, (frame.height + kBucket - 1) / kBucket);
    const std::size_t buckets = static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows);
    std::vector<std::uint32_t> bucketOf(space.points.size(), UINT32_MAX);
    m_start.assign(buckets + 1, 0);
    for (std::size_t i = 0; i < space.points.size(); ++i) {
        int cx = 0, cy = 0;
        if (!finite(space.points[i]) || !pixelOf(px, frame, space.points[i], cx, cy))
            continue;
        const auto b = static_cast<std::uint32_t>((cy / kBucket) * m_columns + cx / kBucket);
        bucketOf[i] = b;
        ++m_start[b + 1];
    }
    for (std::size_t b = 0; b < buckets; ++b)
        m_start[b + 1] += m_start[b];
    m_points.resize(m_start[buckets]);
    std::vector<std::uint32_t> fill(m_start.begin(), m_start.end() - 1);
    for (std::size_t i = 0; i < bucketOf.size(); ++i)
        if (bucketOf[i] != UINT32_MAX)
            m_points[fill[bucketOf[i]]++] = static_cast<std::uint32_t>(i);
}

std::optional<std::size_t> PointLocator::rowAt(double x, double y, double radius) const {
    if (!(radius >= 0.0) || m_points.empty())
        return std::nullopt;
    const double cx = pixelX(x);
    const double cy = pixelY(y);
    if (!std::isfinite(cx) || !std::isfinite(cy))
        return std::nullopt;
    auto bucketRange = [&](double centre, int count, int& lo, int& hi) {
        lo = static_cast<int>(std::max(0.0, std::floor((centre - radius) / kBucket)));
        hi = static_cast<int>(
            std::min(static_cast<double>(count - 1), std::floor((centre + radius) / kBucket)));
        return lo <= hi;
    };
    int c0 = 0, c1 = 0, r0 = 0, r1 = 0;
    if (!bucketRange(cx, m_columns, c0, c1) || !bucketRange(cy, m_rows, r0, r1))
        return std::nullopt;
    const double limit = radius * radius;
    std::optional<std::size_t> best;
    double bestDistance = 0.0;
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            const std::size_t b = static_cast<std::size_t>(r) * static_cast<std::size_t>(m_columns) +
                                  static_cast<std::size_t>(c);
            for (std::uint32_t k = m_start[b]; k < m_start[b + 1]; ++k) {
                const std::uint32_t i = m_points[k];
                const CandidatePoint& p = m_space->points[i];
                const double dx = pixelX(p.volume) - cx;
                const double dy = pixelY(p.ra) - cy;
                const double d = dx * dx + dy * dy;
                if (d > limit)
                    continue;
                if (!best || d < bestDistance || (d == bestDistance && i < *best)) {
                    best = i;
                    bestDistance = d;
                }
            }
        }
    }
    return best;
}

std::optional<Recall> recallAt(const OptimisePage& page, const PointLocator& locator, double x, double y,
                               double radius) {
    const std::optional<std::size_t> row = locator.rowAt(x, y, radius);
    if (!row)
        return std::nullopt;
    return page.recall(*row);
}

} // namespace sp::charts
