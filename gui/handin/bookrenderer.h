#pragma once
// The handed-in book on paper: painted onto any paged device (the PDF writer for a file, a printer
// and its preview), and written as a PDF file that replaces the old one only when it is complete.

#include "booklayout.h"
#include "core/safefilewriter.h"
#include "handin/handinbook.h"

#include <QByteArray>

#include <filesystem>

class QPagedPaintDevice;

namespace sp::handin {

enum class LandscapePages {
    Turned,  // a page of its own, turned (a PDF holds pages of both orientations)
    Rotated, // set a quarter turn onto portrait paper, its top at the binding (a printer's paper is portrait)
};

// Paints every page of the laid-out book. The device's origin must be the paper's corner (a
// QPrinter in full-page mode; the PDF writer is given pages without margins here). Returns the
// number of pages painted, 0 when the device could not be painted on.
int paintBook(const LaidOutBook& book, QPagedPaintDevice& device, LandscapePages landscape);

// The book as the bytes of a PDF file; empty when it could not be drawn.
QByteArray pdfOf(const HandInBook& book);

// Writes the PDF to `path` through a temporary file beside it: on failure the old file stays as
// it was, and the result names the path and the system's reason.
core::WriteResult writePdf(const HandInBook& book, const std::filesystem::path& path);

} // namespace sp::handin
