#include "gui/input/StandEditor.h"

#include "gui/grid/CSpreadSheet.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

// One step of the history: the edit as the document returned it, already made when pushed.
class StandEditCommand : public QUndoCommand {
public:
    StandEditCommand(StandEditor& editor, timbra::StandEdit edit, std::vector<std::pair<int, int>> marked)
        : QUndoCommand(QString::fromStdString(edit.name)), editor_(editor), edit_(std::move(edit)),
          marked_(std::move(marked)) {}

    void undo() override {
        editor_.document().undo(edit_);
        editor_.showLaidBack(edit_);
    }

    void redo() override {
        if (std::exchange(firstRedo_, false)) return; // pushing it: the document has made it
        editor_.document().redo(edit_);
        editor_.showLaidBack(edit_, marked_);
    }

private:
    StandEditor& editor_;
    timbra::StandEdit edit_;
    std::vector<std::pair<int, int>> marked_;
    bool firstRedo_ = true;
};

} // namespace

StandEditor::StandEditor(const timbra::ProgramProfile& profile, CSpreadSheet* grid, QObject* parent)
    : QObject(parent), document_(profile), grid_(grid), undoStack_(new QUndoStack(this)) {
    undoStack_->setUndoLimit(UndoLimit);
    grid_->attachSheet(document_.tallyForView(), this);
}

void StandEditor::record(timbra::StandEdit edit, std::vector<std::pair<int, int>> marked) {
    if (!edit.changed()) return grid_->markCells(marked); // a file reopened as it is
    show(edit);
    grid_->markCells(marked);
    if (edit.cursor && edit.cursor != edit.firstCell())
        grid_->SetActiveCell(edit.cursor->first, edit.cursor->second);
    undoStack_->push(new StandEditCommand(*this, std::move(edit), std::move(marked)));
}

void StandEditor::showLaidBack(const timbra::StandEdit& edit,
                               const std::vector<std::pair<int, int>>& marked) {
    show(edit);
    grid_->markCells(marked);
    if (const auto first = edit.firstCell()) grid_->SetActiveCell(first->first, first->second);
}

void StandEditor::show(const timbra::StandEdit& edit) {
    grid_->showChanges(edit.cells);
    if (edit.boxesBefore != edit.boxesAfter) emit boxesChanged();
}

bool StandEditor::typeCell(int col, int row, const std::string& text) {
    auto edit = document_.typeCell(col, row, text);
    if (!edit) return false;
    // The grid raises CellChanged once its editor has closed and the key has moved the cursor;
    // the cursor rule is applied then.
    edit->cursor.reset();
    record(std::move(*edit));
    return true;
}

timbra::PasteResult StandEditor::paste(const timbra::Sheet::Block& at, const timbra::TextTable& table) {
    timbra::PasteEdit pasted = document_.paste(at, table);
    record(std::move(pasted.edit));
    return pasted.result;
}

void StandEditor::clearBlock(const timbra::Sheet::Block& block, bool cut) {
    record(document_.clearBlock(block, cut ? document_.commandName(timbra::Command::Cut) : "Delete"));
}
