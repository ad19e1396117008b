#pragma once
// A report's tables on A4 pages: the title and the filters in words at the
// top of each page, each table's header repeated on every page it runs
// over, "page n / N" at the foot. Each column keeps the width of its texts;
// when the page is too narrow the names ("Nom", else the last column) give
// way and a long name is cut in its own column.

#include "core/platform/sheet.h"
#include "platform/reports/progress.h"

#include <string>

class QPagedPaintDevice;
class QWidget;

namespace platine {

// Draws `report` on `device`; false when `progress` said stop.
bool drawReport(const Report &report, QPagedPaintDevice &device, const ProgressFn &progress = {});

// The report as a PDF file's bytes; false with `error` (French, "annulé"
// when cancelled).
bool reportPdf(const Report &report, std::string &bytes, std::string &error,
               const ProgressFn &progress = {});

// Asks for a printer (modal over `parent`) and prints the report on it,
// its progress shown with "Annuler".
void printReport(const Report &report, QWidget *parent);

} // namespace platine
