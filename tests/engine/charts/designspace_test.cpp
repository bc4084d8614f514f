#include "charts/designspace.h"

#include "optimisetestsupport.h"

#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <random>
#include <set>
#include <tuple>
#include <variant>

using namespace sp;
using namespace sp::charts;
using namespace sp::optimise;
using core::SectionType;
using sp::test::editRows;

namespace {

// The small table's rows are listed where it is made (optimisetestsupport.h).
void editSmallTable(OptimisePage& page) { sp::test::editSmallChartTable(page); }

struct SmallRun : ::testing::Test {
    void SetUp() override {
        editSmallTable(page);
        ASSERT_TRUE(page.run(core::kDefaultPrecision).run);
        ASSERT_EQ(page.candidates().rowCount(), 16u);
    }
    void bounds(std::vector<std::string> ra, std::vector<std::string> rc) {
        editRows(page, {{kRowFilterRa, std::move(ra)}, {kRowFilterRc, std::move(rc)}});
    }
    OptimisePage page;
};

double roundVolume(double d, double hr) {
    return std::numbers::pi * d * d / 4.0 / 1e6 * (hr / 1000.0);
}

// Every row's socket volume and Ra worked out from its inputs by the module's calculation alone,
// and the cheapest row inside the filter's windows by plain search.
struct Expected {
    std::vector<double> volume, ra;
    std::optional<std::size_t> cheapest;
};

Expected bruteForce(const ResultTable& table, const FilterBounds& bounds) {
    Expected out;
    const CandidateStore& store = *table.store();
    const CandidateSpace& space = store.space();
    for (std::size_t row = 0; row < table.rowCount(); ++row) {
        const CandidateKey key = space.decode(table.rowId(row));
        const CandidateInputs inputs = space.inputs(key, store.precision());
        double volume = 0.0;
        if (const auto* m2 = std::get_if<module2::Inputs>(&inputs)) {
            const module2::Outcome o = module2::calculate(*m2);
            EXPECT_TRUE(o.ok());
            volume = o.values.area / 1e6 * o.values.lr;
        } else if (const auto* m3 = std::get_if<module3::Inputs>(&inputs)) {
            const module3::Outcome o = module3::calculate(*m3);
            EXPECT_TRUE(o.ok());
            volume = o.values.geometry.area / 1e6 * o.values.geometry.hr / 1000.0;
        } else {
            const module1::Outcome o = module1::calculate(std::get<module1::Inputs>(inputs));
            EXPECT_TRUE(o.ok());
            volume = o.values.geometry.area / 1e6 * o.values.geometry.hr / 1000.0;
        }
        const double ra = *core::readStrict(table.cell(row, kColRa));
        const double rc =
            table.module() == ModuleKind::Module2 ? 0.0 : *core::readStrict(table.cell(row, kColRc));
        out.volume.push_back(volume);
        out.ra.push_back(ra);
        if (!bounds.ra.contains(ra) || !bounds.rc.contains(rc))
            continue;
        if (!out.cheapest || volume < out.volume[*out.cheapest] ||
            (volume == out.volume[*out.cheapest] && ra > out.ra[*out.cheapest]))
            out.cheapest = row;
    }
    return out;
}

void expectMatchesBruteForce(const OptimisePage& page) {
    const DesignSpace space = designSpace(page);
    const BoundsReading bounds = readFilterBounds(page.optionTable());
    ASSERT_TRUE(bounds.bounds);
    const Expected expected = bruteForce(page.visibleTable(), *bounds.bounds);
    ASSERT_EQ(space.points.size(), page.visibleTable().rowCount());
    for (std::size_t row = 0; row < space.points.size(); ++row) {
        const CandidatePoint& p = space.points[row];
        ASSERT_NEAR(p.volume, expected.volume[row], 1e-12 * expected.volume[row]) << row;
        ASSERT_EQ(p.ra, expected.ra[row]) << row;
        ASSERT_EQ(p.section,
                  page.visibleTable().store()->space().decode(page.visibleTable().rowId(row)).kind);
        ASSERT_EQ(p.overStandard, page.visibleTable().overStandard(row)) << row;
    }
    EXPECT_EQ(space.cheapest, expected.cheapest);
}

} // namespace

TEST_F(SmallRun, PointsAreSocketVolumeAgainstTheRaCell) {
    const DesignSpace space = designSpace(page);
    ASSERT_EQ(space.points.size(), 16u);
    const double sizes[4][2] = {{1000, 1000}, {1000, 2000}, {1500, 1500}, {1500, 3000}};
    for (std::size_t row = 0; row < 16; ++row) {
        const CandidatePoint& p = space.points[row];
        const double volume = roundVolume(sizes[row / 4][0], sizes[row / 4][1]);
        EXPECT_NEAR(p.volume, volume, 1e-12 * volume) << row;
        EXPECT_EQ(p.ra, *core::readStrict(page.candidates().cell(row, kColRa))) << row;
        EXPECT_EQ(p.section, SectionType::Round);
        EXPECT_FALSE(p.overStandard);
    }
    EXPECT_NEAR(space.xMin, roundVolume(1000, 1000), 1e-12);
    EXPECT_NEAR(space.xMax, roundVolume(1500, 3000), 1e-12);
    EXPECT_EQ(space.yMin, space.points[0].ra);
    EXPECT_EQ(space.yMax, space.points[14].ra);
}

TEST_F(SmallRun, BandIsTheFilterRowsWithEmptyOrZeroBoundsOpen) {
    const struct {
        std::vector<std::string> ra, rc;
        BandRange expectRa, expectRc;
    } cases[] = {
        {{"12000", "16000"}, {"6000", "8000"}, {12000, 16000, false, false}, {6000, 8000, false, false}},
        {{"", "16000"}, {"7000", ""}, {0, 16000, true, false}, {7000, 1e15, false, true}},
        {{"0", "-5"}, {" ", "0"}, {0, 1e15, true, true}, {0, 1e15, true, true}},
        {{"16000", "12000"}, {"0", "0"}, {16000, 16000, false, false}, {0, 1e15, true, true}},
    };
    for (const auto& c : cases) {
        bounds(c.ra, c.rc);
        const DesignSpace space = designSpace(page);
        ASSERT_TRUE(space.band);
        EXPECT_FALSE(space.bandError);
        ASSERT_TRUE(space.band->rc);
        for (const auto& [got, want] :
             {std::pair{space.band->ra, c.expectRa}, std::pair{*space.band->rc, c.expectRc}}) {
            EXPECT_EQ(got.lower, want.lower) << c.ra[0];
            EXPECT_EQ(got.upper, want.upper) << c.ra[0];
            EXPECT_EQ(got.lowerOpen, want.lowerOpen) << c.ra[0];
            EXPECT_EQ(got.upperOpen, want.upperOpen) << c.ra[0];
        }
        for (std::size_t row = 0; row < 16; ++row) {
            const double ra = space.points[row].ra;
            const double rc = *core::readStrict(page.candidates().cell(row, kColRc));
            const bool inside = ra >= c.expectRa.lower && ra <= c.expectRa.upper && rc >= c.expectRc.lower &&
                                rc <= c.expectRc.upper;
            EXPECT_EQ(space.points[row].inBand, inside) << row;
        }
    }
}

TEST_F(SmallRun, BoundThatIsNoNumberGivesNoBandAndNoCheapest) {
    bounds({"12000", "abc"}, {"", ""});
    const DesignSpace space = designSpace(page);
    EXPECT_FALSE(space.band);
    ASSERT_TRUE(space.bandError);
    EXPECT_EQ(space.bandError->row, kRowFilterRa);
    EXPECT_EQ(space.bandError->column, kColMax);
    EXPECT_FALSE(space.cheapest);
    for (const CandidatePoint& p : space.points)
        EXPECT_TRUE(p.inBand);
}

TEST_F(SmallRun, CheapestIsTheLeastVolumeThenTheLargerRaThenTheFirstRow) {
    const struct {
        std::vector<std::string> ra, rc;
        std::optional<std::size_t> cheapest;
    } cases[] = {
        // Rows 0-3 share the least volume; frk 50 (rows 2, 3) gives the larger Ra; row 2 comes first.
        {{"12000", "16000"}, {"", ""}, 2},
        // Only frk 40 of the smallest socket: rows 0 and 1 tie in everything.
        {{"12000", "13000"}, {"", ""}, 0},
        // Rc from 7000 rules d 1000 out; the least d 1500 socket with the larger Ra.
        {{"", ""}, {"7000", ""}, 10},
        // A window no row reaches.
        {{"1", "2"}, {"", ""}, std::nullopt},
    };
    for (const auto& c : cases) {
        bounds(c.ra, c.rc);
        EXPECT_EQ(designSpace(page).cheapest, c.cheapest) << c.ra[0] << " " << c.rc[0];
    }
}

TEST_F(SmallRun, TiesGoToTheFirstRowOfTheVisibleOrder) {
    bounds({"12000", "13000"}, {"", ""});
    ASSERT_FALSE(page.headerClick(kColRa)); // ascending
    ASSERT_FALSE(page.headerClick(kColRa)); // reversed
    const DesignSpace space = designSpace(page);
    ASSERT_TRUE(space.cheapest);
    // Rows 0 and 1 of the run, wherever the sort put them; the one shown first wins.
    std::vector<std::size_t> tied;
    for (std::size_t row = 0; row < 16; ++row)
        if (page.candidates().rowId(row) <= 1)
            tied.push_back(row);
    ASSERT_EQ(tied.size(), 2u);
    EXPECT_EQ(*space.cheapest, tied.front());
}

TEST_F(SmallRun, FilteredTableShowsItsOwnRowsWithTheSameCheapestCandidate) {
    bounds({"12000", "16000"}, {"0", "0"});
    const DesignSpace all = designSpace(page);
    ASSERT_FALSE(page.filter());
    ASSERT_EQ(page.visible(), VisibleTable::Filtered);
    const DesignSpace shown = designSpace(page);
    ASSERT_EQ(shown.points.size(), page.filtered().rowCount());
    for (const CandidatePoint& p : shown.points)
        EXPECT_TRUE(p.inBand);
    ASSERT_TRUE(all.cheapest && shown.cheapest);
    EXPECT_EQ(page.filtered().rowId(*shown.cheapest), page.candidates().rowId(*all.cheapest));
}

TEST_F(SmallRun, ClickRecallsTheRowUnderThePointer) {
    bounds({"12000", "16000"}, {"", ""});
    const DesignSpace space = designSpace(page);
    const PointLocator locator(space, frameAround(space, 800, 600));
    const CandidatePoint& target = space.points[*space.cheapest];
    const std::optional<Recall> recall = recallAt(page, locator, target.volume, target.ra, 4.0);
    ASSERT_TRUE(recall);
    const std::optional<Recall> byRow = page.recall(*space.cheapest);
    EXPECT_EQ(recall->depth, byRow->depth);
    EXPECT_EQ(recall->frk, byRow->frk);
    EXPECT_EQ(recall->first, byRow->first);
    EXPECT_EQ(recall->processPosition, byRow->processPosition);
    // Far from every point nothing is recalled.
    EXPECT_FALSE(recallAt(page, locator, space.xMax * 10.0, target.ra, 4.0));
}

TEST(DesignSpace, EachModuleAgreesWithItsCalculationRowByRow) {
    OptimisePage module1(ModuleKind::Module1);
    ASSERT_TRUE(module1.run(core::kDefaultPrecision).run);
    {
        SCOPED_TRACE("module 1 default run");
        expectMatchesBruteForce(module1);
    }
    ASSERT_FALSE(module1.headerClick(kColFirst));
    {
        SCOPED_TRACE("module 1 sorted by d");
        expectMatchesBruteForce(module1);
    }

    OptimisePage module2(ModuleKind::Module2);
    ASSERT_TRUE(module2.run(core::kDefaultPrecision).run);
    {
        SCOPED_TRACE("module 2 default run");
        expectMatchesBruteForce(module2);
        const DesignSpace space = designSpace(module2);
        ASSERT_TRUE(space.band);
        EXPECT_FALSE(space.band->rc) << "module 2 filters on Ra alone";
    }

    OptimisePage module3(ModuleKind::Module3);
    ASSERT_TRUE(module3.run(core::kDefaultPrecision).run);
    {
        SCOPED_TRACE("module 3 default run");
        expectMatchesBruteForce(module3);
        const DesignSpace space = designSpace(module3);
        std::set<SectionType> overKinds;
        for (const CandidatePoint& p : space.points)
            if (p.overStandard)
                overKinds.insert(p.section);
        EXPECT_EQ(overKinds, (std::set<SectionType>{SectionType::Oblong, SectionType::Rectangular,
                                                    SectionType::Square}));
    }
}

namespace {

// A hand-made space: points at (volume, Ra) with their kind, mark and band.
DesignSpace spaceOf(std::vector<CandidatePoint> points, std::optional<std::size_t> cheapest = std::nullopt) {
    DesignSpace s;
    s.points = std::move(points);
    s.cheapest = cheapest;
    return s;
}

CandidatePoint at(double x, double y, SectionType kind = SectionType::Round, bool over = false,
                  bool in = true) {
    CandidatePoint p;
    p.volume = x;
    p.ra = y;
    p.section = kind;
    p.overStandard = over;
    p.inBand = in;
    return p;
}

const PlotFrame kTenByTen{0.0, 10.0, 0.0, 10.0, 10, 10};

DesignSpace randomSpace(std::size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> x(0.0, 10.0), y(0.0, 10.0);
    std::uniform_int_distribution<int> kind(1, 4), flag(0, 1);
    std::vector<CandidatePoint> points;
    for (std::size_t i = 0; i < n; ++i)
        points.push_back(at(x(random), y(random), static_cast<SectionType>(kind(random)), flag(random) == 1,
                            flag(random) == 1));
    // Some on top of each other, for ties.
    for (std::size_t i = 0; i < n / 10; ++i)
        points.push_back(points[i * 7 % n]);
    return spaceOf(std::move(points), n / 2);
}

} // namespace

TEST(ThinnedPoints, FirstRowOfEachPixelAndStyleInsideTheFrame) {
    const DesignSpace space = spaceOf({
        at(0.5, 0.5),                                   // 0 kept
        at(0.6, 0.6),                                   // 1 same pixel and style as 0
        at(0.6, 0.6, SectionType::Oblong),              // 2 another kind
        at(0.7, 0.7, SectionType::Round, true),         // 3 超规
        at(0.8, 0.8, SectionType::Round, false, false), // 4 outside the band
        at(5.5, 5.5),                                   // 5 another pixel
        at(20.0, 20.0),                                 // 6 outside the frame
        at(10.0, 10.0),                                 // 7 on the frame's far corner
    });
    EXPECT_EQ(thinnedPoints(space, kTenByTen, 0), (std::vector<std::uint32_t>{0, 2, 3, 4, 5, 7}));

    DesignSpace withCheapest = space;
    withCheapest.cheapest = 6;
    EXPECT_EQ(thinnedPoints(withCheapest, kTenByTen, 0), (std::vector<std::uint32_t>{0, 2, 3, 4, 5, 6, 7}))
        << "the cheapest stays even outside the frame";
    withCheapest.cheapest = 1;
    EXPECT_EQ(thinnedPoints(withCheapest, kTenByTen, 0), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 7}))
        << "and where another row stands for its pixel";
    EXPECT_EQ(thinnedPoints(withCheapest, kTenByTen, 1), (std::vector<std::uint32_t>{1}));
}

TEST(ThinnedPoints, WithoutALimitEveryPixelAndStyleKeepsItsFirstRow) {
    const DesignSpace space = randomSpace(20000, 7);
    const PlotFrame frame{0.0, 10.0, 0.0, 10.0, 40, 30};
    std::map<std::tuple<int, int, int>, std::uint32_t> first;
    for (std::uint32_t i = 0; i < space.points.size(); ++i) {
        const CandidatePoint& p = space.points[i];
        const int px = std::min(39, static_cast<int>(std::floor(p.volume * 4.0)));
        const int py = std::min(29, static_cast<int>(std::floor(p.ra * 3.0)));
        first.emplace(std::tuple{px, py, pointClass(p)}, i);
    }
    std::set<std::uint32_t> expected;
    for (const auto& [cell, row] : first)
        expected.insert(row);
    expected.insert(static_cast<std::uint32_t>(*space.cheapest));
    const std::vector<std::uint32_t> kept = thinnedPoints(space, frame, 0);
    EXPECT_EQ(std::set<std::uint32_t>(kept.begin(), kept.end()), expected);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
}

TEST(ThinnedPoints, LimitBoundsTheCountAndKeepsTheCheapest) {
    const DesignSpace space = randomSpace(50000, 11);
    const PlotFrame frame{0.0, 10.0, 0.0, 10.0, 400, 300};
    const std::size_t unlimited = thinnedPoints(space, frame, 0).size();
    for (std::size_t limit :
         {std::size_t{20000}, std::size_t{2000}, std::size_t{100}, std::size_t{17}, std::size_t{3}}) {
        const std::vector<std::uint32_t> kept = thinnedPoints(space, frame, limit);
        EXPECT_LE(kept.size(), limit) << limit;
        EXPECT_GT(kept.size(), std::min(limit, unlimited) / 8) << "no more thinning than the limit asks";
        EXPECT_TRUE(
            std::binary_search(kept.begin(), kept.end(), static_cast<std::uint32_t>(*space.cheapest)));
        EXPECT_TRUE(std::adjacent_find(kept.begin(), kept.end(), std::greater_equal<>()) == kept.end())
            << "ascending rows, each once";
    }
}

TEST(PointLocator, NearestRowWithinTheRadiusInPixels) {
    // Frame 10 × 10 units on 100 × 50 pixels: a unit is 10 pixels across and 5 up.
    const PlotFrame frame{0.0, 10.0, 0.0, 10.0, 100, 50};
    const DesignSpace space =
        spaceOf({at(1.0, 1.0), at(2.0, 1.0), at(1.0, 3.0), at(2.0, 1.0), at(15.0, 1.0)});
    const PointLocator locator(space, frame);
    EXPECT_EQ(locator.rowAt(1.2, 1.0, 5.0), 0u);
    EXPECT_EQ(locator.rowAt(1.0, 1.8, 5.0), 0u) << "0.8 up is 4 pixels";
    EXPECT_EQ(locator.rowAt(1.0, 2.2, 5.0), 2u) << "0.8 down from row 2 is 4 pixels, 1.2 up from row 0 is 6";
    EXPECT_EQ(locator.rowAt(2.0, 1.0, 1.0), 1u) << "rows 1 and 3 coincide: the first";
    EXPECT_FALSE(locator.rowAt(1.6, 1.0, 3.0)) << "4 pixels from the nearest";
    EXPECT_FALSE(locator.rowAt(15.0, 1.0, 5.0)) << "outside the frame nothing is hovered";
}

TEST(PointLocator, AgreesWithASearchOfEveryPoint) {
    const DesignSpace space = randomSpace(30000, 3);
    const PlotFrame frame{0.0, 10.0, 0.0, 10.0, 640, 480};
    const PointLocator locator(space, frame);
    std::mt19937 random(5);
    std::uniform_real_distribution<double> coordinate(-0.5, 10.5), radius(0.0, 30.0);
    for (int q = 0; q < 500; ++q) {
        const double x = coordinate(random), y = coordinate(random), r = radius(random);
        std::optional<std::size_t> best;
        double bestDistance = 0.0;
        for (std::size_t i = 0; i < space.points.size(); ++i) {
            const CandidatePoint& p = space.points[i];
            const double dx = p.volume * 64.0 - x * 64.0, dy = p.ra * 48.0 - y * 48.0;
            const double d = dx * dx + dy * dy;
            if (d <= r * r && (!best || d < bestDistance)) {
                best = i;
                bestDistance = d;
            }
        }
        const std::optional<std::size_t> found = locator.rowAt(x, y, r);
        ASSERT_EQ(found.has_value(), best.has_value()) << x << " " << y << " " << r;
        if (found) {
            const CandidatePoint& p = space.points[*found];
            const double dx = p.volume * 64.0 - x * 64.0, dy = p.ra * 48.0 - y * 48.0;
            EXPECT_NEAR(dx * dx + dy * dy, bestDistance, 1e-6);
            if (dx * dx + dy * dy == bestDistance) {
                EXPECT_LE(*found, *best);
            }
        }
    }
}

// The frame holds the points and the band's closed sides with a twentieth spare, but an axis whose
// values are all 0 or more does not run below 0; an empty space is the unit square.
TEST(PlotFrameAround, SpareOnEverySideStopsAtZero) {
    DesignSpace space;
    PlotFrame empty = frameAround(space, 800, 600);
    EXPECT_EQ(empty.xMin, 0.0);
    EXPECT_EQ(empty.xMax, 1.0);
    EXPECT_EQ(empty.yMin, 0.0);
    EXPECT_EQ(empty.yMax, 1.0);

    space.points = {{2.0, 8000.0}, {12.0, 18000.0}};
    space.xMin = 2.0, space.xMax = 12.0, space.yMin = 8000.0, space.yMax = 18000.0;
    space.band = Band{{20000.0, 1e15, false, true}, std::nullopt};
    const PlotFrame f = frameAround(space, 800, 600);
    EXPECT_DOUBLE_EQ(f.xMin, 1.5);
    EXPECT_DOUBLE_EQ(f.xMax, 12.5);
    EXPECT_DOUBLE_EQ(f.yMin, 7400.0); // 8000 … 20000, the band's lower side
    EXPECT_DOUBLE_EQ(f.yMax, 20600.0);

    space.xMin = 0.1; // a twentieth of 11.9 below 0.1 would be negative
    space.points[0].volume = 0.1;
    EXPECT_EQ(frameAround(space, 800, 600).xMin, 0.0);
}
