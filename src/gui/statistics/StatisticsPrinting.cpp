// Print and Export PDF of the Stand Statistics window: both paint the one statistics page.
#include "statistics/StatisticsWindow.h"

#include "app/Prompter.h"
#include "input/AtomicFile.h"
#include "statistics/StatisticsPage.h"

#include <QBuffer>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <string_view>

namespace {

// The page as a PDF made in memory, so that the file is written whole by the atomic writer or not
// at all. Returns the error naming the file and the reason, empty when it is saved.
QString savePdf(const QString& path, const timbra::StandStatistics& statistics,
                const timbra::StandResults& results, const QPageLayout& layout, int resolution) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        writer.setTitle(QStringLiteral("Stand Statistics"));
        QPainter painter;
        if (!painter.begin(&writer)) return QObject::tr("The PDF for \"%1\" could not be started.").arg(path);
        paintStatisticsPage(painter, QRectF(0, 0, writer.width(), writer.height()), statistics, results);
        if (!painter.end()) return QObject::tr("The PDF for \"%1\" could not be finished.").arg(path);
    }
    const timbra::FileResult saved = timbra::writeFileAtomically(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return saved.ok ? QString() : QString::fromStdString(saved.error);
}

} // namespace

void StatisticsWindow::OnPrint() {
    QPrinter printer(QPrinter::HighResolution);
    if (!Prompter::current().choosePrinter(this, printer)) return;
    QString error;
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // Printing to a file makes the same PDF as Export PDF, written the same safe way.
        if (printer.outputFileName().isEmpty())
            error = tr("No printer is available, and no file was chosen to print to.");
        else
            error = savePdf(printer.outputFileName(), statistics_, results_, printer.pageLayout(),
                            printer.resolution());
    } else {
        QPainter painter;
        if (!painter.begin(&printer)) {
            error = printer.printerName().isEmpty()
                        ? tr("No printer is available.")
                        : tr("The printer \"%1\" could not be started.").arg(printer.printerName());
        } else {
            paintStatisticsPage(painter, QRectF(0, 0, printer.width(), printer.height()), statistics_,
                                results_);
            if (!painter.end()) error = tr("The print could not be finished.");
        }
    }
    if (!error.isEmpty()) message(tr("The statistics were not printed. %1").arg(error));
}

void StatisticsWindow::OnExportPdf() {
    const QString path = Prompter::current().saveFileName(this, QStringLiteral("statistics.pdf"),
                                                          tr("PDF files (*.pdf)"), "pdf");
    if (path.isEmpty()) return;
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                             QPageLayout::Millimeter);
    if (const QString error = savePdf(path, statistics_, results_, letter, 300); !error.isEmpty())
        message(tr("The PDF was not saved. %1").arg(error));
}
