#pragma once
// The design space of an optimisation page: every candidate of the visible table as a point, the
// volume of its socket (Ap × hr, m³) against its Ra, with its section kind and its 超规 mark; the
// filter's windows as a band; the cheapest candidate inside the band; and what drawing a million
// of them needs: a thinned set of points to draw, and the row under the pointer.

#include "core/geometry.h"
#include "optimise/optimisepage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sp::charts {

// Row i of the visible table is point i.
struct CandidatePoint {
    double volume = 0.0; // Ap × hr in m³ (module 2: Ap × lr, the socket length)
    double ra = 0.0;     // kN, as the Ra cell reads: the figure the filter compares
    core::SectionType section = core::SectionType::Round; // the table's kind: a square is its own
    bool overStandard = false;                            // module 3: the row is "超规"
    bool inBand = true; // inside every window of the band; every point while there is none
};

// One window of the filter, both ends inclusive as the filter takes them. An open side (a bound
// left empty, 0 or below) is not drawn; the filter then compares with 0 or 10^15.
struct BandRange {
    double lower = 0.0;
    double upper = 1e15;
    bool lowerOpen = true;
    bool upperOpen = true;
};

struct Band {
    BandRange ra;
    std::optional<BandRange> rc; // modules 1 and 3; module 2 filters on Ra alone
};

struct DesignSpace {
    optimise::ModuleKind module = optimise::ModuleKind::Module1;
    std::vector<CandidatePoint> points;
    // The filter rows of the option table; no band when a bound is not a number (`bandError`
    // then names the cell as the filter would).
    std::optional<Band> band;
    std::optional<optimise::OptionError> bandError;
    // The least socket volume inside the band, among all rows; on equal volumes the larger Ra,
    // then the first row. None without a band or with no row inside it.
    std::optional<std::size_t> cheapest;
    // The points' extent (0 when there is none).
    double xMin = 0.0, xMax = 0.0, yMin = 0.0, yMax = 0.0;
};

// The rows of `table` in its present order, and the band from the filter rows of `options`.
DesignSpace designSpace(const optimise::ResultTable& table, const optimise::OptionTable& options);
// The page's visible table (candidates or filtered) and its option table.
DesignSpace designSpace(const optimise::OptimisePage& page);

// What the plot shows: its axes' ranges and its size in pixels.
struct PlotFrame {
    double xMin = 0.0, xMax = 1.0;
    double yMin = 0.0, yMax = 1.0;
    int width = 1;  // pixels
    int height = 1; // pixels
};

// The points and the band's closed sides, with a twentieth of the span spare on every side.
PlotFrame frameAround(const DesignSpace& space, int width, int height);

// The style a point is drawn in: its section kind, 超规 mark and whether it lies in the band
// (4 × 2 × 2 = 16 classes).
inline constexpr int kPointClasses = 16;
int pointClass(const CandidatePoint& point);

// The points to draw, ascending rows: inside the frame, the first row of each pixel cell and class,
// cells growing from one pixel by doubles until no more than `maxPoints` remain (0: no limit);
// the cheapest point always among them, inside the frame or not.
std::vector<std::uint32_t> thinnedPoints(const DesignSpace& space, const PlotFrame& frame,
                                         std::size_t maxPoints);

// The row nearest a plot coordinate, measured in pixels of the frame, among all the points in it.
class PointLocator {
public:
    PointLocator(const DesignSpace& space, const PlotFrame& frame);
    // Within `radius` pixels; on equal distances the first row. Nothing when no point is that close.
    std::optional<std::size_t> rowAt(double x, double y, double radius) const;

private:
    double pixelX(double x) const { return (x - m_frame.xMin) * m_xScale; }
    double pixelY(double y) const { return (y - m_frame.yMin) * m_yScale; }

    const DesignSpace* m_space;
    PlotFrame m_frame;
    double m_xScale = 0.0; // pixels per unit
    double m_yScale = 0.0;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::uint32_t> m_start; // bucket b holds m_points[m_start[b] … m_start[b + 1])
    std::vector<std::uint32_t> m_points;
};

// A click: the row under the pointer, recalled as a double click on its row recalls it.
std::optional<optimise::Recall> recallAt(const optimise::OptimisePage& page, const PointLocator& locator,
                                         double x, double y, double radius);

} // namespace sp::charts
