// Copy, Cut, Paste and Delete of the grid: the selected block travels as tab-separated text (and an
// HTML table), the form other spreadsheets read and write; what is pasted is checked cell by cell.
#include "gui/grid/CSpreadSheet.h"

#include "core/grid/SheetClipboard.h"
#include "gui/common/Prompter.h"
#include "gui/grid/SheetEditTarget.h"
#include "gui/grid/SheetTableModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

using timbra::Sheet;

namespace {

QString htmlTable(const Sheet& sheet, const Sheet::Block& block) {
    QString html = QStringLiteral("<table>");
    for (int r = block.row1; r <= block.row2; ++r) {
        html += QStringLiteral("<tr>");
        for (int c = block.col1; c <= block.col2; ++c)
            html += QStringLiteral("<td>") + QString::fromStdString(sheet.GetText(c, r)).toHtmlEscaped() +
                    QStringLiteral("</td>");
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

} // namespace

void CSpreadSheet::copySelection() {
    const Sheet::Block block = selectedBlock();
    if (block.empty()) return;
    auto* mime = new QMimeData;
    mime->setText(QString::fromStdString(timbra::formatClipboardText(sheet(), block)));
    mime->setHtml(htmlTable(sheet(), block));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void CSpreadSheet::cutSelection() {
    copySelection();
    if (isReadOnly()) return;
    const Sheet::Block block = selectedBlock();
    if (SheetEditTarget* target = model_->editTarget()) return target->clearBlock(block, true);
    timbra::clearBlockValues(sheet(), block);
    announceBlock(block);
}

void CSpreadSheet::pasteAtSelection() {
    if (isReadOnly()) return;
    const Sheet::Block at = selectedBlock();
    if (at.empty()) return;
    const timbra::TextTable table =
        timbra::parseClipboardText(QGuiApplication::clipboard()->text().toStdString());
    if (table.empty()) return;
    SheetEditTarget* target = model_->editTarget();
    const timbra::PasteResult result =
        target ? target->paste(at, table) : timbra::pasteIntoSheet(sheet(), at, table);
    if (!target) announceBlock(result.changed);
    const QString told = pasteReport(result);
    if (!told.isEmpty()) Prompter::current().message(this, messageCaption(), told);
}

QString CSpreadSheet::pasteReport(const timbra::PasteResult& result) const {
    QStringList said;
    const QString lastRow = QString::number(sheet().GetMaxRows());
    const QString lastColumn = QString::fromStdString(timbra::columnName(sheet().GetMaxCols()));
    if (result.rowsPastLastRow > 0)
        said
            << (result.rowsPastLastRow == 1
                    ? tr("The paste ran past row %1, the last row of the grid; 1 pasted row was left out.")
                          .arg(lastRow)
                    : tr("The paste ran past row %1, the last row of the grid; %2 pasted rows were left out.")
                          .arg(lastRow)
                          .arg(result.rowsPastLastRow));
    if (result.outside > 0)
        said << (result.outside == 1 ? tr("The paste ran past column %1, the last column of the grid; 1 "
                                          "pasted value was left out.")
                                           .arg(lastColumn)
                                     : tr("The paste ran past column %1, the last column of the grid; %2 "
                                          "pasted values were left out.")
                                           .arg(lastColumn)
                                           .arg(result.outside));
    if (result.refused > 0)
        said << (result.refused == 1
                     ? tr("1 pasted value does not fit its cell and was left out; that cell keeps what it "
                          "held.")
                     : tr("%1 pasted values do not fit their cells and were left out; those cells keep what "
                          "they held.")
                           .arg(result.refused));
    if (result.refusedControl > 0)
        said << (result.refusedControl == 1
                     ? tr("1 pasted value holds a control character, which no cell takes, and was left out; "
                          "that cell keeps what it held.")
                     : tr("%1 pasted values hold control characters, which no cell takes, and were left out; "
                          "those cells keep what they held.")
                           .arg(result.refusedControl));
    return said.join(QLatin1Char('\n'));
}

void CSpreadSheet::clearSelectedValues() {
    if (isReadOnly()) return;
    const Sheet::Block block = selectedBlock();
    if (block.empty()) return;
    if (SheetEditTarget* target = model_->editTarget()) return target->clearBlock(block, false);
    const bool single = block.col1 == block.col2 && block.row1 == block.row2;
    const bool wasBlank = single && sheet().GetText(block.col1, block.row1).empty();
    timbra::clearBlockValues(sheet(), block);
    announceBlock(block);
    // Clearing one cell is an edit of that cell, as typing over it would be.
    if (single && !wasBlank && sheet().GetText(block.col1, block.row1).empty())
        emit CellChanged(block.col1, block.row1);
}
