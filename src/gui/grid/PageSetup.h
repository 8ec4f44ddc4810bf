#pragma once

#include <QPageSize>
#include <QString>

#include <optional>

class QLocale;
class QPrinter;

// One page size for every print and PDF of the programs: the printer's where there is one, else the
// user's locale's.

// Letter in the United States and Canada, A4 elsewhere.
QPageSize localePageSize(const QLocale& locale);
// The locale that chooses the paper: LC_ALL, LC_PAPER, then LANG, as the C library reads them.
QLocale paperLocale();
// The default printer's page size, else the paper locale's.
QPageSize defaultPageSize();
// "letter" or "a4" (any case), as the command line takes them; nothing for another name.
std::optional<QPageSize> pageSizeNamed(const QString& name);

// Before the print dialog: a printer that only writes a PDF file (no printer is set up) takes the
// default page size rather than its own.
void useDefaultPage(QPrinter& printer);
// Sets up a printer that writes a PDF without a dialog (Export PDF, the command line's report) on
// `size`, or on the default page size.
void setUpPdfPrinter(QPrinter& printer, std::optional<QPageSize> size = std::nullopt);
