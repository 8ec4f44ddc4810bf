#pragma once

#include "core/app/StandDocument.h"
#include "gui/grid/SheetEditTarget.h"

#include <QObject>

#include <utility>
#include <vector>

class CSpreadSheet;
class QUndoStack;

// The input dialog's stand document with its undo history: every edit of the tally (typed, pasted,
// cut, deleted, or a command of the dialog) is recorded as one step on the undo stack, and what an
// edit, an undo or a redo changed is shown in the grid cell by cell. The history lives as long as
// the dialog and holds the last UndoLimit steps.
class StandEditor : public QObject, public SheetEditTarget {
    Q_OBJECT
public:
    static constexpr int UndoLimit = 100;

    StandEditor(const timbra::ProgramProfile& profile, CSpreadSheet* grid, QObject* parent);

    timbra::StandDocument& document() { return document_; }
    const timbra::StandDocument& document() const { return document_; }
    QUndoStack* undoStack() const { return undoStack_; }

    // Records an edit the document has made as one step (an edit that changed nothing is no step)
    // and shows it; the cursor follows the cursor rule where the edit gave one. `marked` are cells
    // an opened file filled with text their editor refuses: marked now and again on redo.
    void record(timbra::StandEdit edit, std::vector<std::pair<int, int>> marked = {});
    // Shows an edit laid back by undo or redo, with the cursor on the first cell it changed.
    void showLaidBack(const timbra::StandEdit& edit, const std::vector<std::pair<int, int>>& marked = {});

    bool typeCell(int col, int row, const std::string& text) override;
    timbra::PasteResult paste(const timbra::Sheet::Block& at, const timbra::TextTable& table) override;
    void clearBlock(const timbra::Sheet::Block& block, bool cut) override;

signals:
    // The objective boxes of the document may have changed: the dialog shows them.
    void boxesChanged();

private:
    void show(const timbra::StandEdit& edit);

    timbra::StandDocument document_;
    CSpreadSheet* grid_;
    QUndoStack* undoStack_;
};
