#pragma once

#include "core/grid/CellEditor.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// Border sides of a cell, as drawn by the outline action.
enum BorderSide : std::uint8_t { BorderLeft = 1, BorderTop = 2, BorderRight = 4, BorderBottom = 8 };

// How a cell looks; the report sheet and the reference pages use it, the tally grid mostly not.
struct CellFormat {
    float fontSize = 0; // points; 0 keeps the grid's default
    std::uint32_t borderColor = 0xC0C0C0;
    std::uint8_t borders = 0; // BorderSide bits
    bool staticText = false;  // read-only text, never edited
    bool bold = false;

    bool operator==(const CellFormat&) const = default;
};

// The spreadsheet that holds a tally, the report or a reference page. Cells are addressed
// (column, row), both from 1. Like the grid the programs were designed around, it has a current
// cell (SetCol, SetRow) and a block corner (SetCol2, SetRow2); with block mode on, text,
// formatting and actions apply to the whole block. Number reads and writes take a position and
// leave the current cell alone. Reads outside the sheet give 0 or "" and writes outside it do
// nothing, so a model may look one row past the end. Number reads remember what they parsed, so
// one sheet is read by one thread at a time; copies are independent.
class Sheet {
public:
    // Action codes of DoAction.
    static constexpr int ClearWithFormatting = 3;
    static constexpr int ClearValues = 12;
    static constexpr int DrawBorders = 16;
    // SetCellType code for read-only text.
    static constexpr int StaticTextType = 5;
    // SetBorderType mask for an outline.
    static constexpr int OutlineBorder = 16;

    Sheet(int cols = 0, int rows = 0);

    void SetMaxCols(int cols);
    void SetMaxRows(int rows);
    int GetMaxCols() const { return cols_; }
    int GetMaxRows() const { return rows_; }
    bool contains(int col, int row) const { return col >= 1 && row >= 1 && col <= cols_ && row <= rows_; }

    void SetCol(int col) { col_ = col; }
    void SetRow(int row) { row_ = row; }
    void SetCol2(int col) { col2_ = col; }
    void SetRow2(int row) { row2_ = row; }
    int GetCol() const { return col_; }
    int GetRow() const { return row_; }
    void SetBlockMode(bool on) { blockMode_ = on; }
    bool GetBlockMode() const { return blockMode_; }

    // Text of the current cell, or of every cell of the block in block mode.
    std::string GetText() const;
    void SetText(std::string_view text);

    // Positional access; the current cell does not move.
    const std::string& GetText(int col, int row) const {
        const Cell* c = cell(col, row);
        return c ? c->text : emptyText();
    }
    void SetText(int col, int row, std::string_view text);
    // SetText for a text whose number reading is already known: `number` is parseNumber(text). Open
    // parses every number of a file once, for its checks, and the Run's reads use that number.
    void setParsedText(int col, int row, std::string_view text, std::optional<double> number);
    // Empties every cell of the rows after the given one; costs only the rows that ever held text.
    void clearTextAfterRow(int row);
    // A cell whose text is not a number reads as 0; so does a number outside the 32-bit range.
    // A fraction is rounded to the nearest whole number, as an integer cell would show it.
    int GetInteger(int col, int row) const { return integerOf(cell(col, row)); }
    void SetInteger(int col, int row, int value);
    double GetFloat(int col, int row) const { return numberOf(cell(col, row)).value_or(0.0); }
    // One row's cells for a reader that takes many of them, as a Run takes ten of each tree row: the
    // row is found once, and each read gives what the positional read of that cell gives.
    class RowCells;
    RowCells rowCells(int row) const;
    // Written with the decimals of the cell's editor (one for a height: "0.0").
    void SetFloat(int col, int row, double value);

    // ClearWithFormatting, ClearValues and DrawBorders act on the block (block mode) or the
    // current cell. Codes that belong to the widget (clipboard, printing) are ignored here.
    void DoAction(int code);

    // The user's cursor, moved by the programs' cell-change rule.
    void SetActiveCell(int col, int row);
    int activeCol() const { return activeCol_; }
    int activeRow() const { return activeRow_; }

    // Numbered properties of the original grid only tuned its look; they are accepted and ignored,
    // but for PrintAsFormProperty: set true, the sheet prints as a form scaled to the page width.
    static constexpr int PrintAsFormProperty = 95;
    void SetProperty(int id, double value) {
        if (id == PrintAsFormProperty && value != 0) {
            printAsForm_ = true;
            printFit_ = PrintFit::Width;
        }
    }

    // Formatting of the current cell or block.
    void SetCellType(int type);
    void SetFontSize(double points);
    void setFontBold(bool bold);
    void SetBorderType(int mask) { borderType_ = mask; }
    void SetBorderStyle(int style) { borderStyle_ = style; }
    void SetBorderColor(std::uint32_t rgb) { borderColor_ = rgb; }

    // Sizes in the grid's units: column widths in characters, row heights in points.
    // A negative size means the grid's default.
    void SetColWidth(int col, double width);
    void SetRowHeight(int row, double height);
    double GetColWidth(int col) const;
    double GetRowHeight(int row) const;
    static constexpr double DefaultColWidth = 9.0;
    static constexpr double DefaultRowHeight = 12.75;

    // The column-heading strip above the cells; an empty heading shows the column letter.
    void setColHeading(int col, std::string text);
    std::string colHeading(int col) const;
    // Whether the screen shows the heading strip; a page that reads as plain text hides it.
    void setColHeadingsShown(bool shown) { colHeadingsShown_ = shown; }
    bool colHeadingsShown() const { return colHeadingsShown_; }

    // A paper form prints without heading strip, row numbers, grid lines or label shading, and
    // ends at its last row that shows something.
    void setPrintAsForm(bool form) { printAsForm_ = form; }
    bool printAsForm() const { return printAsForm_; }
    // How a printout meets the page: Shrink only narrows a sheet wider than the page; Width scales
    // it to the page's printable width; Page also stretches the rows of a one-page form down to the
    // page's foot (a paper form written on with a pencil).
    enum class PrintFit { Shrink, Width, Page };
    void setPrintFit(PrintFit fit) { printFit_ = fit; }
    PrintFit printFit() const { return printFit_; }

    // Editors: a cell's own, else its column's, else the sheet's default (text of at most 60).
    int addEditor(CellEditor editor);
    void setCellEditor(int col, int row, int editorId);
    void setColumnEditor(int col, int editorId);
    void setDefaultEditor(int editorId);
    const CellEditor& editorAt(int col, int row) const {
        const Cell* c = cell(col, row);
        if (c && c->editor >= 0) return editors_[static_cast<std::size_t>(c->editor)];
        if (col >= 1 && col <= cols_) {
            const std::int16_t columnEditor = columnEditors_[static_cast<std::size_t>(col - 1)];
            if (columnEditor >= 0) return editors_[static_cast<std::size_t>(columnEditor)];
        }
        return editors_[static_cast<std::size_t>(defaultEditor_)];
    }
    // The editor of cells that have neither their own nor a column's.
    const CellEditor& defaultEditor() const { return editors_[static_cast<std::size_t>(defaultEditor_)]; }
    // A caption the stored grid gives a cell (a heading of row 5, a label of the stand header). The
    // cell takes its editor's values like any other, and its caption too, so that a copied caption
    // pastes back in place and a saved one reopens unmarked.
    void setCaption(int col, int row, std::string text);
    // Calls f(col, row, caption) for every cell with a caption (a layout that must show them whole).
    template <typename F> void forEachCaption(F&& f) const {
        for (const Caption& c : captions_)
            f(c.col, c.row, c.text);
    }
    // Typed or pasted text as the cell's editor would store it (CellEditor::accept), or nothing when
    // it refuses it.
    std::optional<std::string> accept(int col, int row, std::string_view text) const;
    // The same for a text of a file whose number reading, parseNumber(text), is already known.
    std::optional<std::string> accept(int col, int row, std::string_view text,
                                      std::optional<double> number) const;
    bool accepts(int col, int row, std::string_view text) const;
    // What the cell may hold without being marked as refused (CellEditor::holds, or its caption).
    bool holds(int col, int row, std::string_view text) const;
    // The editor whose verdicts (accept, holds) are the cell's for every text; none for a read-only
    // cell or one with a caption, whose verdicts depend on more than the editor.
    // Open asks it for every cell of a tally, so it is inline.
    const CellEditor* decidingEditor(int col, int row) const {
        const Cell* c = cell(col, row);
        if (!c || c->format.staticText || (row <= lastCaptionRow_ && captionAt(col, row))) return nullptr;
        return &editorAt(col, row);
    }

    const CellFormat& formatAt(int col, int row) const;

    // The inclusive block that block-mode operations touch, clipped to the sheet.
    struct Block {
        int col1, row1, col2, row2;
        bool empty() const { return col1 > col2 || row1 > row2; }
    };
    Block currentBlock() const;

private:
    // Kept small: a tally has 15,000 cells, and a batch of runs copies and reads them all.
    struct Cell {
        std::string text;
        // The number the text reads as, parsed at the first read after a write: a Run reads every
        // number of a tally, and a batch of runs reads them again for each objective.
        mutable double number = 0;
        CellFormat format;
        std::int16_t editor = -1;
        mutable std::uint8_t numberState = NumberUnknown;

        void setText(std::string_view t) {
            text.assign(t);
            numberState = NumberUnknown;
        }
    };
    enum : std::uint8_t { NumberUnknown, IsNumber, NotNumber };
    // A Run reads nine cells of each of 1,495 rows, so the reads of a number already parsed are inline.
    static std::optional<double> numberOf(const Cell* c) {
        if (!c) return std::nullopt;
        if (c->numberState == NumberUnknown) parse(*c);
        if (c->numberState == NotNumber) return std::nullopt;
        return c->number;
    }
    static int integerOf(const Cell* c) {
        const std::optional<double> v = numberOf(c);
        if (!v) return 0;
        // Whole numbers, nearly every number of a tally, need no rounding.
        if (*v >= INT_MIN && *v <= INT_MAX && *v == static_cast<int>(*v)) return static_cast<int>(*v);
        return roundedInteger(*v);
    }
    static void parse(const Cell& c);
    static int roundedInteger(double v);
    static const std::string& emptyText();
    Cell* cell(int col, int row) {
        if (!contains(col, row)) return nullptr;
        return &cells_[static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols_) +
                       static_cast<std::size_t>(col - 1)];
    }
    const Cell* cell(int col, int row) const { return const_cast<Sheet*>(this)->cell(col, row); }
    void resize(int cols, int rows);
    template <typename F> void forBlock(F&& f);
    void outline(const Block& b);

    int cols_ = 0, rows_ = 0;
    int lastTextRow_ = 0; // no row after it holds text (it may hold none itself)
    std::vector<Cell> cells_;
    std::vector<CellEditor> editors_;
    std::vector<std::int16_t> columnEditors_;
    std::int16_t defaultEditor_ = 0;
    std::vector<double> colWidths_, rowHeights_;
    std::vector<std::string> colHeadings_;
    bool colHeadingsShown_ = true, printAsForm_ = false;
    PrintFit printFit_ = PrintFit::Shrink;
    struct Caption {
        int col, row;
        std::string text;
    };
    std::vector<Caption> captions_; // a handful of cells: looked up by a scan
    int lastCaptionRow_ = 0;        // no row below it has a caption (Open asks for every cell)
    const Caption* captionAt(int col, int row) const;
    bool isCaption(int col, int row, std::string_view text) const;
    int col_ = 1, row_ = 1, col2_ = 1, row2_ = 1;
    bool blockMode_ = false;
    int activeCol_ = 1, activeRow_ = 1;
    int borderType_ = 0, borderStyle_ = 0;
    std::uint32_t borderColor_ = 0xC0C0C0;
};

class Sheet::RowCells {
public:
    const std::string& GetText(int col) const {
        const Cell* c = at(col);
        return c ? c->text : emptyText();
    }
    int GetInteger(int col) const { return integerOf(at(col)); }
    double GetFloat(int col) const { return numberOf(at(col)).value_or(0.0); }

private:
    friend class Sheet;
    RowCells(const Cell* first, int cols) : first_(first), cols_(cols) {}
    const Cell* at(int col) const {
        return first_ && col >= 1 && col <= cols_ ? first_ + (col - 1) : nullptr;
    }

    const Cell* first_; // column 1 of the row; none for a row outside the sheet
    int cols_;
};

inline Sheet::RowCells Sheet::rowCells(int row) const {
    if (row < 1 || row > rows_) return {nullptr, 0};
    return {cells_.data() + static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(cols_), cols_};
}

// Column letter form of a column number (1 is "A", 27 is "AA"), and back; 0 for a bad name.
std::string columnName(int col);
int columnNumber(std::string_view name);

} // namespace timbra
