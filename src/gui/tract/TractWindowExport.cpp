// The Stands window's exports: CSV and workbook of the stands in view under every objective, and
// the PDF tract report of the chosen one. All go through the one atomic writer.
#include "gui/tract/TractWindow.h"

#include "core/app/ProgramProfile.h"
#include "core/file/AtomicFile.h"
#include "core/tract/SummaryTable.h"
#include "core/tract/TractWorkbook.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/grid/PdfFile.h"
#include "gui/tract/FrozenColumnTable.h"
#include "gui/tract/TractChart.h"
#include "gui/tract/TractModel.h"
#include "gui/tract/TractReport.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

std::vector<timbra::StandVerdict> TractWindow::shownVerdicts() const {
    std::vector<timbra::StandVerdict> shown;
    for (int row = 0; row < sortModel_->rowCount(); ++row)
        shown.push_back(model_->verdict(sortModel_->mapToSource(sortModel_->index(row, 0)).row()));
    return shown;
}

QString TractWindow::exportName(const QString& suffix) const {
    const QString base =
        tractPath_.isEmpty() ? QStringLiteral("stands") : QFileInfo(tractPath_).completeBaseName();
    return base + QLatin1Char('.') + suffix;
}

void TractWindow::OnExportCsv() {
    const QString path = Prompter::current().saveFileName(this, exportName("csv"), tr("CSV files (*.csv)"),
                                                          QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const timbra::FileResult saved =
        timbra::writeFileAtomically(localPath(path), timbra::summaryCsv(profile_, shownVerdicts()));
    if (!saved.ok) message(tr("The CSV file was not saved. %1").arg(qs(saved.error)));
}

void TractWindow::OnExportWorkbook() {
    const QString path = Prompter::current().saveFileName(
        this, exportName("xlsx"), tr("Excel workbooks (*.xlsx)"), QStringLiteral("xlsx"));
    if (path.isEmpty()) return;
    const timbra::FileResult saved = timbra::saveTractWorkbook(profile_, shownVerdicts(), localPath(path));
    if (!saved.ok) message(tr("The workbook was not saved. %1").arg(qs(saved.error)));
}

TractReportContent TractWindow::reportContent() const {
    TractReportContent content;
    const QString tract = tractPath_.isEmpty() ? tr("tract not saved") : tractPath_;
    content.heading = tr("%1 - Stands - %2 - %3")
                          .arg(qs(profile_.programName), tract,
                               QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    content.objective = tr("Objective %1").arg(model_->objective());
    for (int c = 0; c < model_->columnCount(); ++c) {
        content.columns << model_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        content.rightAligned.push_back(false);
    }
    for (int row = 0; row < sortModel_->rowCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < sortModel_->columnCount(); ++c) {
            const QModelIndex index = sortModel_->index(row, c);
            cells << index.data().toString();
            if (index.data(TractModel::SortRole).typeId() == QMetaType::Double)
                content.rightAligned[static_cast<std::size_t>(c)] = true;
        }
        content.rows.push_back(cells);
    }
    content.lines = chart_->lines();
    for (TractChartLine& line : content.lines)
        line.selected = false;
    return content;
}

void TractWindow::OnExportPdf() {
    const QString path = Prompter::current().saveFileName(this, exportName("pdf"), tr("PDF files (*.pdf)"),
                                                          QStringLiteral("pdf"));
    if (path.isEmpty()) return;
    // Letter, as the other prints; landscape, for the table's many columns.
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(15, 15, 15, 15),
                             QPageLayout::Millimeter);
    const TractReportContent content = reportContent();
    const PdfDocument pdf = paintPdf(letter, 300, [&](QPdfWriter& writer, QPainter& painter) {
        return paintTractReport(writer, painter, content);
    });
    QString error = pdf.error.isEmpty() ? qs(savePdf(localPath(path), pdf.bytes))
                                        : tr("\"%1\" was not written: %2").arg(path, pdf.error);
    if (!error.isEmpty()) message(tr("The PDF report was not saved. %1").arg(error));
}
