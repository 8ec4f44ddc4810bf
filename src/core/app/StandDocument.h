#pragma once

#include "core/app/ProgramProfile.h"
#include "core/grid/CellChanges.h"
#include "core/grid/SheetClipboard.h"
#include "core/input/TallyFile.h"
#include "core/model/Objectives.h"
#include "core/model/RunOutcome.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace timbra {

// One change of the stand, as an undo step keeps it: the cells it changed with their texts before
// and after, and the objective boxes (ticks and enabled state) before and after.
struct StandEdit {
    std::string name; // what the Undo and Redo items call it: "Paste", "Clear Spreadsheet", "Open"
    CellChanges cells;
    ObjectiveBoxes boxesBefore, boxesAfter;
    // Where the cursor rule puts the cursor after an edit that changed a single cell; nothing when
    // the edit changed more than one cell or a cell the rule does not watch.
    std::optional<std::pair<int, int>> cursor;

    bool changed() const { return !cells.empty() || boxesBefore != boxesAfter; }
    // The first cell the edit changed, where undo and redo put the cursor; nothing for a change of
    // the boxes alone.
    std::optional<std::pair<int, int>> firstCell() const;
    std::size_t bytes() const { return sizeof(*this) + name.capacity() + cells.bytes(); }
};

struct PasteEdit {
    StandEdit edit;
    PasteResult result;
};

struct OpenEdit {
    StandEdit edit;    // nothing changed when the file could not be read
    LoadResult loaded; // why not, and the cells whose text their editor would refuse
};

// The stand being entered in the input dialog (and by the command line): the tally sheet, the
// objective boxes and the outcome of the last Run. Every change of the tally or the boxes goes
// through one of the operations below, which applies the program's cell-change rules and returns
// what changed as a StandEdit; undo() and redo() lay such an edit back. The document keeps no
// history itself: the window keeps the steps (Qt's undo stack) and shows what each edit changed.
class StandDocument {
public:
    // The input dialog's opening state: the stored empty grid with its tree rows blanked, the
    // cursor on A6, Objective 1 ticked, no Run yet.
    explicit StandDocument(const ProgramProfile& profile);
    static ObjectiveBoxes openingBoxes();

    const ProgramProfile& profile() const { return *profile_; }
    const Sheet& tally() const { return tally_; }
    // The sheet for the grid that shows it (it moves the cursor); edits go through the operations.
    Sheet& tallyForView() { return tally_; }
    const ObjectiveBoxes& boxes() const { return boxes_; }

    // A committed edit of one cell; nothing when the cell's editor refuses the text.
    std::optional<StandEdit> typeCell(int col, int row, std::string_view text);
    // Paste onto a block (see pasteIntoSheet).
    PasteEdit paste(const Sheet::Block& at, const TextTable& table);
    // Cut and Delete: the values of the block go; `name` is the command's ("Cut", "Delete").
    StandEdit clearBlock(const Sheet::Block& block, std::string name);
    // The menu's New and Clear Spreadsheet. New also ticks Objective 1 alone, without its rewrite.
    StandEdit newTally();
    StandEdit clearTally();
    // Open: all or nothing, as the file reader is. `stepName` names the step ("Open"; a restored
    // tally may name its own); openText reads bytes already in memory, named `name` in messages.
    OpenEdit open(const std::string& path);
    OpenEdit openText(std::string_view bytes, const std::string& name, std::string stepName);
    // A click on objective box n with the boxes as they were before it: the box toggles, and when it
    // became ticked the others untick and objective n's rewrite pass rewrites the classes.
    StandEdit clickObjective(int n);
    // The command line's choice (see the free function below).
    StandEdit chooseObjective(int n, bool keepClasses);

    // Lays an edit back (undo) or again (redo): its cells and the boxes.
    void undo(const StandEdit& edit);
    void redo(const StandEdit& edit);

    // Where the cursor rule puts the cursor once the user has changed (col, row): the crown class
    // after the DBH of a small or unacceptable tree, else the DBH cell itself; nothing for a cell
    // the rule does not watch. When the answer is the edited cell, the key that ended the edit
    // moves the cursor on as usual.
    std::optional<std::pair<int, int>> cursorRule(int col, int row) const;
    // The rules the grid raises once the user has changed (col, row): after the number of plots or
    // the province, Objective 3 is enabled only where the province has a cut-off (its tick stays);
    // returns the cursor rule's cell. The edit operations apply it to every cell they change.
    std::optional<std::pair<int, int>> cellChanged(int col, int row);

    // Run: evaluates the tally with the boxes and keeps the outcome; never writes to the tally.
    const RunOutcome& run();
    const std::optional<RunOutcome>& lastRun() const { return lastRun_; }

    // The text of the program's input-menu item for a command ("Clear Spreadsheet"), without mnemonics.
    std::string commandName(Command command) const;

private:
    // The cells a command that may touch any cell changed: texts before, compared after.
    template <typename Command> StandEdit recordWhole(std::string name, Command&& command);
    template <typename Command>
    StandEdit recordBlock(std::string name, const Sheet::Block& block, Command&& command);
    // cellChanged for every cell a user's edit changed; the cursor rule only where it was one cell.
    void applyCellRules(StandEdit& edit);

    const ProgramProfile* profile_;
    Sheet tally_;
    Sheet opening_; // the tally as the dialog opened, whose values always paste back
    ObjectiveBoxes boxes_;
    std::optional<RunOutcome> lastRun_;
};

// The command line's choice of objective for any tally: box n alone ticked (0: none), with
// objective n's rewrite pass unless `keepClasses`. Returns the rows whose classes the pass changed.
std::vector<int> chooseObjective(const ProgramProfile& profile, Sheet& tally, ObjectiveBoxes& boxes, int n,
                                 bool keepClasses);

} // namespace timbra
