// Print and PDF output of the grid: every page is painted by SheetPrintLayout.
#include "gui/grid/CSpreadSheet.h"

#include "gui/common/Prompter.h"
#include "gui/grid/PageSetup.h"
#include "gui/grid/PdfFile.h"
#include "gui/grid/SheetPrintLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProgressDialog>

#include <memory>
#include <string>

using timbra::Sheet;

// What paintPrintRange returns when the user cancelled: a print the user cancelled passes silently.
QString CSpreadSheet::cancelledPrint() {
    return tr("The print was cancelled.");
}

void CSpreadSheet::SetPrintRange(int range) {
    printRange_ = range;
}

void CSpreadSheet::SetPrintAbortText(const QString& text) {
    printAbortText_ = text;
}

void CSpreadSheet::PrintSheet() {
    QPrinter printer(QPrinter::HighResolution);
    useDefaultPage(printer);
    if (!Prompter::current().choosePrinter(this, printer)) return;
    // A print the user cancelled passes silently; only a failure is told.
    QString error;
    if (!printTo(printer, &error) && !error.isEmpty())
        Prompter::current().message(this, messageCaption(), error);
}

Sheet::Block CSpreadSheet::printBlock() {
    Sheet& s = sheet();
    if (printRange_ != 1) return {1, 1, s.GetMaxCols(), s.GetMaxRows()};
    // The block spans the current cell and the far corner whether or not block mode is on.
    const bool blockMode = s.GetBlockMode();
    s.SetBlockMode(true);
    const Sheet::Block block = s.currentBlock();
    s.SetBlockMode(blockMode);
    return block;
}

bool CSpreadSheet::printTo(QPrinter& printer, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    if (printBlock().empty()) return fail(tr("There is nothing to print."));
    if (printer.outputFormat() == QPrinter::PdfFormat) return printToPdf(printer, error);

    QPainter painter;
    if (!painter.begin(&printer)) {
        if (printer.printerName().isEmpty()) return fail(tr("No printer is available."));
        return fail(tr("The printer \"%1\" could not be started.").arg(printer.printerName()));
    }
    if (const QString why = paintPrintRange(printer, painter); !why.isEmpty()) {
        printer.abort(); // the spooler drops the pages sent so far
        painter.end();
        return fail(why == cancelledPrint() ? QString() : why);
    }
    if (!painter.end()) return fail(tr("The print could not be finished."));
    return true;
}

// A PDF printer writes its file itself and reports no failed write, so the pages are painted in
// memory with the printer's page layout and saved as every file of the programs is.
bool CSpreadSheet::printToPdf(QPrinter& printer, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QString target = printer.outputFileName();
    if (target.isEmpty()) return fail(tr("No printer is available, and no file was chosen to print to."));
    const PdfDocument pdf =
        paintPdf(printer.pageLayout(), printer.resolution(),
                 [this](QPdfWriter& writer, QPainter& painter) { return paintPrintRange(writer, painter); });
    if (!pdf.error.isEmpty()) return fail(pdf.error == cancelledPrint() ? QString() : pdf.error);
    if (const std::string why = savePdf(QFile::encodeName(target).toStdString(), pdf.bytes); !why.empty())
        return fail(tr("The print was not saved. %1").arg(QString::fromStdString(why)));
    return true;
}

QString CSpreadSheet::paintPrintRange(QPagedPaintDevice& device, QPainter& painter) {
    const Sheet::Block block = printBlock();
    if (block.empty()) return tr("There is nothing to print.");
    const QSizeF room = device.pageLayout().paintRectPixels(device.logicalDpiX()).size();
    const SheetPrintLayout layout(sheet(), block, font(), device, room);
    std::unique_ptr<QProgressDialog> progress;
    if (!printAbortText_.isEmpty()) {
        progress =
            std::make_unique<QProgressDialog>(printAbortText_, tr("Cancel"), 0, layout.pageCount(), this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(0);
    }
    for (int page = 0; page < layout.pageCount(); ++page) {
        if (progress) {
            progress->setValue(page);
            QCoreApplication::processEvents();
            if (progress->wasCanceled()) return cancelledPrint();
        }
        if (page > 0 && !device.newPage())
            return tr("The printer stopped after page %1 of %2.").arg(page).arg(layout.pageCount());
        layout.paintPage(painter, page);
    }
    return {};
}
