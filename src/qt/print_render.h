#pragma once
// Prints the unit data printout with Qt: one font family throughout (Arial, or its
// metric-compatible substitute where the system has no Arial), a tab column being the
// average character width of the line's font, and the lines flowing onto new pages.

#include <QString>
#include <string>

#include "print/printout.h"

class QPagedPaintDevice;

namespace zav {

// "Arial" when the system has it, else an installed family with Arial's metrics, else
// "Arial" (left to the font matcher).
QString printFontFamily();

// Paints the lines onto the device (a printer or a PDF writer), starting at the top
// left of its printable area. False when painting could not start (no printer, a file
// that cannot be written).
bool renderPrintout(const Printout& printout, QPagedPaintDevice& device);

// Writes the printout as a PDF file (A4, 15 mm margins); false with a reason on failure.
bool writePrintoutPdf(const Printout& printout, const std::string& path, QString* error = nullptr);

}  // namespace zav
