// Print and PDF output of the grid: every page is painted by SheetPrintLayout.
#include "grid/CSpreadSheet.h"

#include "app/Prompter.h"
#include "grid/SheetPrintLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>

#include <filesystem>
#include <memory>
#include <system_error>

using timbra::Sheet;

void CSpreadSheet::SetPrintRange(int range) {
    printRange_ = range;
}

void CSpreadSheet::SetPrintAbortText(const QString& text) {
    printAbortText_ = text;
}

void CSpreadSheet::PrintSheet() {
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompter::current().choosePrinter(this, printer)) return;
    // A print the user cancelled passes silently; only a failure is told.
    QString error;
    if (!printTo(printer, &error) && !error.isEmpty()) Prompter::current().message(this, messageCaption(), error);
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
    const Sheet::Block block = printBlock();
    if (block.empty()) {
        if (error) *error = tr("There is nothing to print.");
        return false;
    }
    if (printer.outputFormat() != QPrinter::PdfFormat) return paintPages(printer, block, QString(), error);

    // A PDF is written beside its final name and takes that name only when complete, so a failed
    // or cancelled print leaves no partial file and an older file of that name stays as it was.
    const QString target = printer.outputFileName();
    if (target.isEmpty()) {
        if (error) *error = tr("No printer is available, and no file was chosen to print to.");
        return false;
    }
    const QString partial = target + QStringLiteral(".part");
    printer.setOutputFileName(partial);
    bool ok = paintPages(printer, block, target, error);
    printer.setOutputFileName(target);
    if (ok) {
        std::error_code failed;
        std::filesystem::rename(QFile::encodeName(partial).toStdString(),
                                QFile::encodeName(target).toStdString(), failed);
        if (failed) {
            ok = false;
            if (error) *error = tr("The file \"%1\" could not be written.").arg(target);
        }
    }
    if (!ok) QFile::remove(partial);
    return ok;
}

bool CSpreadSheet::paintPages(QPrinter& printer, const Sheet::Block& block, const QString& pdfName,
                              QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (!pdfName.isEmpty()) return fail(tr("The file \"%1\" could not be written.").arg(pdfName));
        if (printer.printerName().isEmpty()) return fail(tr("No printer is available."));
        return fail(tr("The printer \"%1\" could not be started.").arg(printer.printerName()));
    }

    const SheetPrintLayout layout(sheet(), block, font(), printer,
                                  printer.pageRect(QPrinter::DevicePixel).size());
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
            if (progress->wasCanceled()) {
                printer.abort();
                painter.end();
                return fail(QString()); // cancelled by the user: nothing to report
            }
        }
        if (page > 0 && !printer.newPage()) {
            painter.end();
            return fail(tr("The printer stopped after page %1 of %2.").arg(page).arg(layout.pageCount()));
        }
        layout.paintPage(painter, page);
    }
    if (!painter.end()) return fail(tr("The print could not be finished."));
    return true;
}
