#include "report/ReportPdf.h"

#include "grid/CSpreadSheet.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

std::string printToFile(const timbra::Sheet& report, const QString& target) {
    // The temporary file sits beside the target, so that the final rename stays on one disk.
    QTemporaryFile part(QFileInfo(target).absoluteDir().filePath(QStringLiteral(".report-XXXXXX.pdf")));
    if (!part.open())
        return "cannot write in " + QFileInfo(target).absolutePath().toStdString() + ": " +
               part.errorString().toStdString();
    part.close();

    CSpreadSheet grid;
    grid.setSheet(report);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(part.fileName());
    QString error;
    if (!grid.printTo(printer, &error)) return "cannot print the report: " + error.toStdString();

    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(target).constData()) !=
        0)
        return "cannot write " + target.toStdString() + ": " + std::strerror(errno);
    part.setAutoRemove(false); // it is the target now
    return {};
}

} // namespace

std::string writeReportPdf(const timbra::Sheet& report, const std::string& path) {
    std::unique_ptr<QApplication> app;
    if (!QApplication::instance()) {
        // The command-line tool never needs a display, even where one is set.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "timbra-cli";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    }
    return printToFile(report, QString::fromStdString(path));
}
