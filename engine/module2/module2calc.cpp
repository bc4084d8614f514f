#include "module2/module2calc.h"

#include "core/calculationrun.h"
#include "core/numbers.h"
#include "core/tables.h"
#include "module2/coefficientlookup.h"

#include <cmath>

namespace sp::module2 {

using namespace sp::core;

namespace {

constexpr const char* kMsgShortSocket = "桩身嵌岩深度<0.5m，不计侧阻力";
// With every resistance 0 the shares would divide by zero.
constexpr const char* kMsgNoResistance = "单桩总极限承载力Quk为0，无法计算阻力占比";
constexpr const char* kMsgOverflow = "数据过大，计算结果溢出";
constexpr const char* kZeroFill = "0.00";
constexpr double kShortSocket = 0.5; // m: a shorter socket carries no side resistance

// Module 2's run also writes grid cells and notes.
class Run : public CalculationRun<Outcome> {
public:
    RockLayerGrid& grid = out.values.grid;

    // A note shows in the status line's present colour; the short-socket note in black.
    void note(const std::string& text) {
        out.notes.push_back(text);
        out.values.notes.push_back(text);
        out.status.text = text;
        out.status.show = true;
    }
    void blackNote(const std::string& text) {
        out.notes.push_back(text);
        out.values.notes.push_back(text);
        out.status.showMessage(text, kBlack);
    }
    void write(int layer, int column, const std::string& text) {
        grid.setCell(layer, column, text);
        for (CellText& cell : out.cells) {
            if (cell.layer == layer && cell.column == column) {
                cell.text = text;
                return;
            }
        }
        out.cells.push_back({layer, column, text});
    }
    double number(int layer, int column) const { return readLenient(grid.cell(layer, column)); }

    // A value the engineer gives in a layer's cell: a negative one stops, a missing one is taken
    // as 0 with a note and "0.00" written into the cell.
    bool readGiven(int layer, int column, const char* negative, const char* missing, double& value) {
        value = number(layer, column);
        if (value < 0.0)
            return stop("", layerMessage(layer, negative));
        if (value == 0.0) {
            note(layerMessage(layer, missing));
            write(layer, column, kZeroFill);
        }
        return true;
    }
};

int boxDigits(Precision p) { return p == Precision::Tens || p == Precision::Hundreds ? 10 : 7; }

// The field texts and choices as the calculation found them.
void recordInputs(Values& v, const Inputs& in) {
    v.section = in.section;
    v.dText = in.d;
    v.cText = in.c;
    v.settings = in.settings;
    v.precision = in.precision;
    v.grid = in.grid;
}

// Every result cell starts empty, so that no figure of an earlier calculation stays behind.
void clearResultCells(Run& run) {
    for (int i = 1; i <= run.grid.layerCount(); ++i)
        for (int column = 0; column < kColumnCount; ++column)
            if (isOutputColumn(column))
                run.write(i, column, "");
}

// The socket length, which decides whether any layer carries side resistance.
bool sumSocketLength(Run& run) {
    for (int i = 1; i <= run.grid.layerCount(); ++i) {
        double lri = 0.0;
        if (!run.readGiven(i, kColLr, "层岩石嵌岩深度<0", "层岩石嵌岩深度未输入，隐含取0.00", lri))
            return false;
        run.out.values.lr += lri;
    }
    return true;
}

// One layer's unit resistances, kPa, and the length over which its side resistance acts, m.
struct LayerResistance {
    double qpk = 0.0;
    double qsrk = 0.0;
    double sideLength = 0.0;
};

// Under the given-resistances basis the layer's qpk and qsrk are read from its cells.
bool readGivenResistances(Run& run, int i, bool shortSocket, LayerResistance& r) {
    if (!run.readGiven(i, kColQpk, "层岩石端阻qpk<0", "层岩石端阻未输入，隐含取0.00", r.qpk) ||
        !run.readGiven(i, kColQsrk, "层岩石侧阻qsrk<0", "层岩石侧阻未输入，隐含取0.00", r.qsrk))
        return false;
    if (shortSocket) {
        r.sideLength = 0.0; // the cell keeps its text
        run.blackNote(kMsgShortSocket);
    }
    return true;
}

LayerCells layerCells(const Run& run, int i) {
    LayerCells cells;
    cells.layer = i;
    cells.frk = run.number(i, kColFrk);
    cells.weathering = run.grid.cell(i, kColWeathering);
    cells.integrity = run.grid.cell(i, kColIntegrity);
    cells.kv = run.number(i, kColKv);
    cells.c1Specified = run.number(i, kColC1);
    cells.c2Specified = run.number(i, kColC2);
    return cells;
}

// Under the rock-strength basis qpk = C1·frk and qsrk = C2·frk, with the coefficients looked up
// for the layer; what the lookup settled is written into the grid even when it stops.
bool lookUpResistances(Run& run, const Settings& settings, int i, bool shortSocket, LayerResistance& out) {
    const LayerCells cells = layerCells(run, i);
    const LayerCoefficients r = determineCoefficients(cells, settings);
    if (!r.hardness.empty())
        run.write(i, kColHardness, r.hardness);
    if (r.fillC1)
        run.write(i, kColC1, kZeroFill);
    if (r.fillC2)
        run.write(i, kColC2, kZeroFill);
    for (const std::string& text : r.notes)
        run.note(text);
    if (!r.remark.empty())
        run.write(i, kColRemark, r.remark);
    if (!r.ok())
        return run.stop("", r.error);
    Values& v = run.out.values;
    if (settings.mode == CoefficientMode::Manual)
        v.overrideCount = 1;
    else
        v.overrideCount += r.overrides;
    // Outside the automatic mode a coefficient used is the specified one exactly when it equals
    // it: the larger and smaller modes take the automatic one only when it differs.
    const bool specifiedAllowed = settings.mode != CoefficientMode::Automatic;
    v.specifiedC1[static_cast<std::size_t>(i - 1)] = specifiedAllowed && r.c1 == cells.c1Specified;
    v.specifiedC2[static_cast<std::size_t>(i - 1)] = specifiedAllowed && r.c2 == cells.c2Specified;

    double c2 = r.c2;
    out.qpk = r.c1 * cells.frk * 1000.0;
    if (shortSocket) {
        c2 = 0.0;
        run.blackNote(kMsgShortSocket);
    }
    out.qsrk = c2 * cells.frk * 1000.0;
    run.write(i, kColC1Used, GeneralText(r.c1));
    run.write(i, kColC2Used, GeneralText(c2));
    run.write(i, kColQpk, GeneralText(out.qpk));
    run.write(i, kColQsrk, GeneralText(out.qsrk));
    run.write(i, kColC1Auto, GeneralText(r.c1Auto));
    run.write(i, kColC2Auto, GeneralText(r.c2Auto));
    return true;
}

// The resistances of each layer, top first: ∑Qsrik over the layers, Qpk from the bottom one.
bool sumResistances(Run& run, const Settings& settings) {
    Values& v = run.out.values;
    const int n = v.grid.layerCount();
    const bool shortSocket = v.lr < kShortSocket;
    const bool givenResistances = settings.strengthBasis == StrengthBasis::GivenResistances;
    double qpkBottom = 0.0; // kPa
    for (int i = 1; i <= n; ++i) {
        LayerResistance r;
        r.sideLength = run.number(i, kColLr);
        if (givenResistances ? !readGivenResistances(run, i, shortSocket, r)
                             : !lookUpResistances(run, settings, i, shortSocket, r))
            return false;
        const double qsrik = r.qsrk * r.sideLength * v.perimeter / 1000.0; // kPa·m·mm/1000 = kN
        v.qsrk += qsrik;
        run.write(i, kColQuk, "");
        run.write(i, kColQpkTotal, "");
        run.write(i, kColSumQsrik, GeneralText(v.qsrk));
        run.write(i, kColQsrik, GeneralText(qsrik));
        qpkBottom = r.qpk;
    }
    v.qpk = qpkBottom * v.area / 1e6; // kPa·mm²/10⁶ = kN
    v.quk = v.qpk + v.qsrk;
    run.write(n, kColQuk, GeneralText(v.quk));
    run.write(n, kColQpkTotal, GeneralText(v.qpk));
    return true;
}

// Quk divides the shares, so it has to be finite and above 0.
bool checkTotal(Run& run) {
    const Values& v = run.out.values;
    if (!std::isfinite(v.quk))
        return run.stop("", kMsgOverflow);
    if (v.quk <= 0.0)
        return run.stop("", kMsgNoResistance);
    return true;
}

// Each layer's share, from its Qsrik as the grid shows it.
void writeShares(Run& run) {
    const double quk = run.out.values.quk;
    for (int i = 1; i <= run.grid.layerCount(); ++i) {
        const double share = run.number(i, kColQsrik) * 100.0 / quk;
        run.write(i, kColShare, FixedText(share, 7, 2) + "%");
        run.write(i, kColShareBar, GeneralText(share));
    }
}

void fillResultBoxes(Outcome& out) {
    Values& v = out.values;
    v.ra = v.quk / kSafetyFactor;
    v.endShare = v.qpk * 100.0 / v.quk;
    v.sideShare = v.qsrk * 100.0 / v.quk;

    out.boxColour = v.overrideCount == 0 ? kGreen : kMagenta;
    const int digits = boxDigits(v.precision);
    out.boxes = {
        {kBoxQuk, PrecisionText(v.quk, v.precision, digits)},
        {kBoxRa, forceBoxText(v.ra, v.precision)},
        {kBoxPercent, FixedText(v.endShare, digits, shareDecimals(v.precision)) + "%"},
    };
}

} // namespace

int shareDecimals(Precision p) {
    switch (p) {
    case Precision::TwoDecimals:
        return 2;
    case Precision::OneDecimal:
        return 1;
    default:
        return 0;
    }
}

std::string forceBoxText(double kn, Precision precision) {
    return PrecisionText(kn, precision, boxDigits(precision));
}

Outcome calculate(const Inputs& in) {
    Run run;
    Values& v = run.out.values;
    recordInputs(v, in);
    if (!run.takeSection(in.section, in.d, in.c))
        return run.out;
    v.perimeter = sectionPerimeter(in.section, v.first, v.second);
    v.area = sectionArea(in.section, v.first, v.second);
    clearResultCells(run);
    if (!sumSocketLength(run) || !sumResistances(run, in.settings) || !checkTotal(run))
        return run.out;
    writeShares(run);
    fillResultBoxes(run.out);
    return run.out;
}

} // namespace sp::module2
