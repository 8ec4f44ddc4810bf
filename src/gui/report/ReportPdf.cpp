#include "gui/report/ReportPdf.h"

#include "gui/grid/CSpreadSheet.h"
#include "gui/grid/PageSetup.h"
#include "gui/grid/PdfFile.h"
#include "gui/statistics/StatisticsPage.h"

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <memory>

namespace {

// The command line's standard error holds its own lines only. Qt's warnings there (an unset runtime
// folder of the offscreen platform, font notes) are nothing its user can act on; critical and fatal
// messages still go through.
QtMessageHandler qtDefaultHandler = nullptr;

void keepQtWarningsOut(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) qtDefaultHandler(type, context, text);
}

// The report sheet's pages, printed as the report window's Print prints them.
QString paintReportSheet(const timbra::Sheet& report, QPdfWriter& writer, QPainter& painter) {
    CSpreadSheet grid;
    grid.setSheet(report);
    grid.sheet().SetProperty(timbra::Sheet::PrintAsFormProperty, 1);
    return grid.paintPrintRange(writer, painter);
}

} // namespace

std::string writeReportPdf(const timbra::Sheet& report, const timbra::StandResults& results,
                           const timbra::StandStatistics& statistics, const std::string& program,
                           const std::string& pageSize, const std::string& path) {
    std::unique_ptr<QApplication> app;
    if (!QApplication::instance()) {
        // The command-line tool never needs a display, even where one is set.
        qtDefaultHandler = qInstallMessageHandler(keepQtWarningsOut);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "timbra-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    // The pages the programs' Print to a PDF file uses.
    QPrinter pdfPrinter(QPrinter::HighResolution);
    setUpPdfPrinter(pdfPrinter, pageSizeNamed(QString::fromStdString(pageSize)));
    const PdfDocument pdf = paintPdf(
        pdfPrinter.pageLayout(), pdfPrinter.resolution(), [&](QPdfWriter& writer, QPainter& painter) {
            const QString error = paintReportSheet(report, writer, painter);
            if (!error.isEmpty()) return error;
            if (!writer.newPage()) return QObject::tr("The statistics page could not be started.");
            painter.resetTransform(); // whatever the sheet's pages left
            painter.setClipping(false);
            paintStatisticsPage(painter, QRectF(0, 0, writer.width(), writer.height()), statistics, results,
                                QString::fromStdString(program));
            return QString();
        });
    if (!pdf.error.isEmpty()) return "cannot print the report: " + pdf.error.toStdString();
    return savePdf(path, pdf.bytes);
}
