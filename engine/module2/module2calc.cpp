#include "module2/module2calc.h"

#include "module2/coefficientlookup.h"
#include "core/numbers.h"
#include "core/sectioncheck.h"
#include "core/tables.h"

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

// The calculation in progress: its effects so far and, on a stop, the outcome to return.
class Run {
public:
    Outcome out;
    RockLayerGrid& grid = out.values.grid;

    Outcome& stop(const char* field, const std::string& message) {
        out.kind = OutcomeKind::Check;
        out.message = message;
        out.field = field;
        out.status.showMessage(message, kRed);
        if (*field)
            out.fields.setColour(field, kRed);
        return out;
    }
    void pass(const char* field) {
        out.fields.setColour(field, kBlack);
        out.status.clearText();
    }
    // A note shows in the status line's present colour; the short-socket note in black.
    void note(const std::string& text) {
        out.notes.push_back(text);
        out.status.text = text;
        out.status.show = true;
    }
    void blackNote(const std::string& text) {
        out.notes.push_back(text);
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
};

int boxDigits(Precision p) { return p == Precision::Tens || p == Precision::Hundreds ? 10 : 7; }

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

Outcome calculate(const Inputs& in) {
    Run run;
    Values& v = run.out.values;
    v.section = in.section;
    v.dText = in.d;
    v.cText = in.c;
    v.settings = in.settings;
    v.precision = in.precision;
    v.grid = in.grid;
    const int n = v.grid.layerCount();

    const SectionCheck section = checkSection(in.section, in.d, in.c, run.out.status, run.out.fields);
    if (section.stopped())
        return run.stop(section.stopField, section.stopMessage);
    if (section.exchanged) {
        v.dText = section.firstText;
        v.cText = section.secondText;
    }
    const double first = section.first;
    const double second = section.second;
    v.square = section.square;
    v.first = first;
    v.second = second;
    v.perimeter = sectionPerimeter(in.section, first, second);
    v.area = sectionArea(in.section, first, second);

    for (int i = 1; i <= n; ++i)
        for (int column = 0; column < kColumnCount; ++column)
            if (isOutputColumn(column))
                run.write(i, column, "");

    // Pass 1: the socket length, which decides whether any layer carries side resistance.
    for (int i = 1; i <= n; ++i) {
        const double lri = run.number(i, kColLr);
        if (lri < 0.0)
            return run.stop("", layerMessage(i, "层岩石嵌岩深度<0"));
        if (lri == 0.0) {
            run.note(layerMessage(i, "层岩石嵌岩深度未输入，隐含取0.00"));
            run.write(i, kColLr, kZeroFill);
        }
        v.lr += lri;
    }
    const bool shortSocket = v.lr < kShortSocket;

    // Pass 2: the resistances of each layer, top first.
    const bool givenResistances = in.settings.strengthBasis == StrengthBasis::GivenResistances;
    double qpkBottom = 0.0; // kPa
    for (int i = 1; i <= n; ++i) {
        const double lri = run.number(i, kColLr);
        double qpk = 0.0;  // kPa
        double qsrk = 0.0; // kPa
        double sideLength = lri;
        if (givenResistances) {
            qpk = run.number(i, kColQpk);
            if (qpk < 0.0)
                return run.stop("", layerMessage(i, "层岩石端阻qpk<0"));
            if (qpk == 0.0) {
                run.note(layerMessage(i, "层岩石端阻未输入，隐含取0.00"));
                run.write(i, kColQpk, kZeroFill);
            }
            qsrk = run.number(i, kColQsrk);
            if (qsrk < 0.0)
                return run.stop("", layerMessage(i, "层岩石侧阻qsrk<0"));
            if (qsrk == 0.0) {
                run.note(layerMessage(i, "层岩石侧阻未输入，隐含取0.00"));
                run.write(i, kColQsrk, kZeroFill);
            }
            if (shortSocket) {
                sideLength = 0.0; // the cell keeps its text
                run.blackNote(kMsgShortSocket);
            }
        } else {
            LayerCells cells;
            cells.layer = i;
            cells.frk = run.number(i, kColFrk);
            cells.weathering = run.grid.cell(i, kColWeathering);
            cells.integrity = run.grid.cell(i, kColIntegrity);
            cells.kv = run.number(i, kColKv);
            cells.c1Specified = run.number(i, kColC1);
            cells.c2Specified = run.number(i, kColC2);
            const LayerCoefficients r = determineCoefficients(cells, in.settings);
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
            if (in.settings.mode == CoefficientMode::Manual)
                v.overrideCount = 1;
            else
                v.overrideCount += r.overrides;

            double c2 = r.c2;
            qpk = r.c1 * cells.frk * 1000.0;
            if (shortSocket) {
                c2 = 0.0;
                run.blackNote(kMsgShortSocket);
            }
            qsrk = c2 * cells.frk * 1000.0;
            run.write(i, kColC1Used, GeneralText(r.c1));
            run.write(i, kColC2Used, GeneralText(c2));
            run.write(i, kColQpk, GeneralText(qpk));
            run.write(i, kColQsrk, GeneralText(qsrk));
            run.write(i, kColC1Auto, GeneralText(r.c1Auto));
            run.write(i, kColC2Auto, GeneralText(r.c2Auto));
        }

        const double qsrik = qsrk * sideLength * v.perimeter / 1000.0; // kPa·m·mm/1000 = kN
        v.qsrk += qsrik;
        run.write(i, kColQuk, "");
        run.write(i, kColQpkTotal, "");
        run.write(i, kColSumQsrik, GeneralText(v.qsrk));
        run.write(i, kColQsrik, GeneralText(qsrik));
        qpkBottom = qpk;
    }
    v.qpk = qpkBottom * v.area / 1e6; // kPa·mm²/10⁶ = kN
    v.quk = v.qpk + v.qsrk;
    run.write(n, kColQuk, GeneralText(v.quk));
    run.write(n, kColQpkTotal, GeneralText(v.qpk));

    if (!std::isfinite(v.quk))
        return run.stop("", kMsgOverflow);
    if (v.quk <= 0.0)
        return run.stop("", kMsgNoResistance);

    // Pass 3: each layer's share, from its Qsrik as the grid shows it.
    for (int i = 1; i <= n; ++i) {
        const double share = run.number(i, kColQsrik) * 100.0 / v.quk;
        run.write(i, kColShare, FixedText(share, 7, 2) + "%");
        run.write(i, kColShareBar, GeneralText(share));
    }

    v.ra = v.quk / kSafetyFactor;
    v.endShare = v.qpk * 100.0 / v.quk;
    v.sideShare = v.qsrk * 100.0 / v.quk;

    run.out.boxColour = v.overrideCount == 0 ? kGreen : kMagenta;
    const int digits = boxDigits(in.precision);
    run.out.boxes = {
        {kBoxQuk, PrecisionText(v.quk, in.precision, digits)},
        {kBoxRa, PrecisionText(v.ra, in.precision, digits)},
        {kBoxPercent, FixedText(v.endShare, digits, shareDecimals(in.precision)) + "%"},
    };
    return run.out;
}

} // namespace sp::module2
