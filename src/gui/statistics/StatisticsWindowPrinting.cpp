// Print and Export PDF of the Stand Statistics window: both paint the one statistics page.
#include "gui/statistics/StatisticsWindow.h"

#include "core/app/ProgramProfile.h"
#include "gui/common/Prompter.h"
#include "gui/grid/PageSetup.h"
#include "gui/grid/PdfFile.h"
#include "gui/statistics/StatisticsPage.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

// The page as a PDF made in memory and saved whole through the atomic writer, or not at all.
// Returns the error naming the file and the reason, empty when it is saved.
QString writePdf(const QString& path, const timbra::StandStatistics& statistics,
                 const timbra::StandResults& results, const QString& program, const QPageLayout& layout,
                 int resolution) {
    const PdfDocument pdf = paintPdf(layout, resolution, [&](QPdfWriter& writer, QPainter& painter) {
        paintStatisticsPage(painter, QRectF(0, 0, writer.width(), writer.height()), statistics, results,
                            program);
        return QString();
    });
    if (!pdf.error.isEmpty()) return QObject::tr("\"%1\" was not written: %2").arg(path, pdf.error);
    return QString::fromStdString(savePdf(QFile::encodeName(path).toStdString(), pdf.bytes));
}

} // namespace

void StatisticsWindow::OnPrint() {
    QPrinter printer(QPrinter::HighResolution);
    useDefaultPage(printer);
    if (!Prompter::current().choosePrinter(this, printer)) return;
    const QString program = QString::fromStdString(profile_.programName);
    QString error;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // Printing to a file makes the same PDF as Export PDF, written the same safe way.
        if (printer.outputFileName().isEmpty())
            error = tr("No printer is available, and no file was chosen to print to.");
        else
            error = writePdf(printer.outputFileName(), statistics_, results_, program, printer.pageLayout(),
                             printer.resolution());
    } else {
        QPainter painter;
        if (!painter.begin(&printer)) {
            error = printer.printerName().isEmpty()
                        ? tr("No printer is available.")
                        : tr("The printer \"%1\" could not be started.").arg(printer.printerName());
        } else {
            paintStatisticsPage(painter, QRectF(0, 0, printer.width(), printer.height()), statistics_,
                                results_, program);
            if (!painter.end()) error = tr("The print could not be finished.");
        }
    }
    if (!error.isEmpty()) message(tr("The statistics were not printed. %1").arg(error));
}

void StatisticsWindow::OnExportPdf() {
    const QString path = Prompter::current().saveFileName(this, QStringLiteral("statistics.pdf"),
                                                          tr("PDF files (*.pdf)"), "pdf");
    if (path.isEmpty()) return;
    // The page Print to a PDF file would take.
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfPrinter(printer);
    if (const QString error =
            writePdf(path, statistics_, results_, QString::fromStdString(profile_.programName),
                     printer.pageLayout(), printer.resolution());
        !error.isEmpty())
        message(tr("The PDF was not saved. %1").arg(error));
}
