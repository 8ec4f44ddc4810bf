#pragma once

#include <string>

namespace timbra {
class Sheet;
}

// Prints a filled report sheet to a PDF file through the grid's own printing, without a display
// (the command-line tool's `report --pdf`). The file appears only when the whole print worked:
// it is written under a temporary name and moved into place at the end. Returns an error text,
// empty on success. Makes an offscreen QApplication for the call when the process has none.
std::string writeReportPdf(const timbra::Sheet& report, const std::string& path);
