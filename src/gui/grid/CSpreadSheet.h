#pragma once

#include "core/grid/Sheet.h"

#include "core/grid/SheetClipboard.h"
#include "gui/grid/SheetItemDelegate.h"

#include <QString>
#include <QTableView>

#include <optional>
#include <utility>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class SheetEditTarget;
class SheetTableModel;

namespace timbra {
class CellChanges;
}

// The grid widget of the programs: a table view over one core Sheet, with the sheet's editors,
// sizes and formats, spreadsheet keys, the clipboard and printing. Code that changes the sheet
// directly (a model's rewrite pass, Open, New) calls refresh() once afterwards.
class CSpreadSheet : public QTableView {
    Q_OBJECT
public:
    // Action codes the widget handles itself; the rest go to the sheet.
    static constexpr int CopyAction = 22;
    static constexpr int CutAction = 23;
    static constexpr int PasteAction = 24;
    static constexpr int PrintAction = 32;

    explicit CSpreadSheet(QWidget* parent = nullptr);
    ~CSpreadSheet() override;
    using QTableView::edit;

    timbra::Sheet& sheet();
    const timbra::Sheet& sheet() const;
    // Replaces the whole sheet (a stored grid restored) and shows it.
    void setSheet(timbra::Sheet sheet);
    // Shows what code wrote into the sheet since the last refresh.
    void refresh();
    // Shows a sheet that a document keeps (it must outlive the grid); the user's edits, Cut, Paste
    // and Delete go to `target`, which writes them and calls showChanges.
    void attachSheet(timbra::Sheet& sheet, SheetEditTarget* target);
    // Repaints exactly the cells an edit changed.
    void showChanges(const timbra::CellChanges& cells);

    // A read-only grid (the report, the reference pages) never opens an editor.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const;

    // Moves the user's cursor.
    void SetActiveCell(int col, int row);
    // Copy, Cut, Paste and Print act on the widget's selection and the system clipboard; any
    // other code goes to the sheet, and the grid repaints.
    void DoAction(int code);

    // What Print prints: 0, the whole sheet; 1, the sheet's current block (SetCol..SetRow2).
    void SetPrintRange(int range);
    // The text of the box in which the user can cancel a print; empty shows no box.
    void SetPrintAbortText(const QString& text);
    // Asks for a printer, then prints; tells the user why when the print fails (not when the user
    // cancels it).
    void PrintSheet();
    // Prints the print range to a printer already set up. A PDF printer's file is painted in
    // memory with the printer's page layout and saved through the atomic file writer. Returns
    // false with a reason when nothing or only part was printed, or the file was not saved, and
    // with an empty reason when the user cancelled the print.
    bool printTo(QPrinter& printer, QString* error = nullptr);
    // Paints the print range's pages on a painter already begun on `device` (a PDF made in
    // memory, which may add pages of its own). Returns why it stopped, empty when all were painted.
    QString paintPrintRange(QPagedPaintDevice& device, QPainter& painter);

    // Marks cells whose text their editor would refuse (after Open), until they are edited.
    void markCells(const std::vector<std::pair<int, int>>& cells);
    bool isMarked(int col, int row) const;

    // The cells the user has selected, as a sheet block (the current cell when none is).
    timbra::Sheet::Block selectedBlock() const;

signals:
    // The user has committed an edit of a cell (not raised for writes made by code).
    void CellChanged(int col, int row);
    // A paste, cut or Delete changed the cells of this block.
    void blockChanged(int col1, int row1, int col2, int row2);
    // A cell refused what the user typed; `reason` says what it takes.
    void editRefused(int col, int row, const QString& reason);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The caption of every message is the application name, the same in both programs.
    static QString messageCaption() { return QStringLiteral("Timbra"); }
    timbra::Sheet::Block printBlock();
    bool printToPdf(QPrinter& printer, QString* error);
    static QString cancelledPrint();
    void applySizes();
    void finishEdit(QWidget* editor, SheetItemDelegate::Move move);
    void moveCursorBy(SheetItemDelegate::Move move);
    void copySelection();
    void cutSelection();
    void pasteAtSelection();
    // What a paste left out and why, one sentence per reason; empty when every value went in.
    QString pasteReport(const timbra::PasteResult& result) const;
    void clearSelectedValues();
    void announceBlock(const timbra::Sheet::Block& block);

    SheetTableModel* model_;
    SheetItemDelegate* delegate_;
    std::optional<std::pair<int, int>> editedCell_; // committed, announced once its editor closes
    int printRange_ = 0;
    double widthUnit_ = 0;       // pixels of one unit of the sheet's column widths, from the font
    bool applyingSizes_ = false; // the sheet's sizes are being shown, not changed by the user
    QString printAbortText_;
};
