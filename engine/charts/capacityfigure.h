#pragma once
// The capacity chart of a one-layer pile (modules 1 and 3) as a figure of the handed-in book: Ra
// and Rc against the socket depth, broken where the calculation refuses a depth, the region past
// the table shaded, the current design marked. The book's figures are rebuilt from the inputs each
// pile recorded, so that every caller that hands in a book (PDF, print, the command line) gets
// the same one from bookWithFigures.

#include "charts/capacitycurve.h"
#include "handin/handinbook.h"
#include "report/reportdocuments.h"

#include <optional>
#include <string>

namespace sp::charts {

// The legend's and the axes' texts, as markup.
inline constexpr const char* kFigureXTitle = "嵌岩深度 h_{r} (mm)";
inline constexpr const char* kFigureYTitle = "承载力 (kN)";
inline constexpr const char* kFigureRaName = "R_{a}";
inline constexpr const char* kFigureRcName = "R_{c}";
inline constexpr const char* kFigureRaRequiredName = "R_{a,req}";
inline constexpr const char* kFigureAxialForceName = "N";
inline constexpr const char* kFigurePlateauName = "超出表格范围";
inline constexpr const char* kFigureDesignName = "当前设计";

// The caption of pile `pileName`'s figure, the book's figure number `number`:
// "图 1  ZH1 承载力随嵌岩深度变化".
std::string capacityCaption(int number, const std::string& pileName);

// The figure of a curve that calculated (curve.ok): the x axis over the sampled range, the y axis
// from 0 to a round value above everything drawn; Ra and Rc in pieces between the gaps; Ra,req
// and N as horizontal lines over the whole range when the curve has them; the plateau as a band
// when it starts inside the range; the design on both lines; one note per gap.
handin::LineChart capacityFigure(const CapacityCurve& curve, const std::string& caption);

// The curve of a pile from its recorded inputs (a JSON object in the input files' keys), entered
// into a scratch window of its module as the engineer would type them: nothing for a record that
// is empty or does not read, for a module 2 pile (no single socket depth: its record has no "hr"),
// and for a pile the calculation refuses at every depth.
std::optional<CapacityCurve> recordedCurve(const std::string& record);

// Gives each pile of `book` (the sections of `documents`, in order) the figure of its recorded
// inputs where there is one; the figures are numbered in the order they appear.
void addCapacityFigures(handin::HandInBook& book, const report::ReportDocuments& documents);

// report::bookOf with the figures added: the book the PDF export, the print preview and the
// command line's --pdf hand in.
handin::HandInBook bookWithFigures(const report::ReportDocuments& documents, handin::TitleBlock title,
                                   std::string programLine);

} // namespace sp::charts
