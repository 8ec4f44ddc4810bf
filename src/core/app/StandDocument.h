#pragma once

#include "core/app/ProgramProfile.h"
#include "core/grid/CellChanges.h"
#include "core/grid/SheetClipboard.h"
#include "core/input/TallyFile.h"
#include "core/model/Objectives.h"
#include "core/model/RunOutcome.h"
#include "core/statistics/StandStatistics.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace timbra {

// One change of the stand, as an undo step keeps it: the cells it changed with their texts before
// and after, and the objective boxes (ticks and enabled state) before and after.
struct StandEdit {
    std::string name; // what the Undo and Redo items call it (see StandDocument::stepName)
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

// What a Run leaves for the report and Stand Statistics: its outcome, and how sure its plots make
// the decision, worked out once from the outcome's results.
struct StandRun {
    RunOutcome outcome;
    StandStatistics statistics;
};

// The kinds of step the Undo and Redo items name ("Undo Paste"). A step that is a command of the
// input menus takes that item's text in the program; stepName has every name.
enum class StandStep { Typing, Cut, Delete, Paste, New, ClearSpreadsheet, Open, Import, Restore, Objective };

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
    // Cut and Delete: the values of the block go; `step` is StandStep::Cut or StandStep::Delete.
    StandEdit clearBlock(const Sheet::Block& block, StandStep step);
    // The menu's New and Clear Spreadsheet. New also ticks Objective 1 alone, without its rewrite.
    StandEdit newTally();
    StandEdit clearTally();
    // Open: all or nothing, as the file reader is. `step` names the step (Open, Import, Restore);
    // openText reads bytes already in memory, named `name` in messages.
    OpenEdit open(const std::string& path);
    OpenEdit openText(std::string_view bytes, const std::string& name, StandStep step);
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
    // The saved state: the tally's text as a file held it when it was last opened or saved; nothing
    // before either. Undo back to that state makes the tally saved again.
    void markSaved() { savedText_ = formatTallyText(tally_); }
    const std::optional<std::string>& savedText() const { return savedText_; }

    // Run: evaluates the tally with the boxes and keeps the outcome with its statistics; never
    // writes to the tally.
    const StandRun& run();
    const std::optional<StandRun>& lastRun() const { return lastRun_; }

    // What the Undo and Redo items call a step ("Clear Spreadsheet", "Objective 2"); `objective`
    // is the box of an Objective step.
    std::string stepName(StandStep step, int objective = 0) const;

private:
    // The cells a command that may touch any cell changed: texts before, compared after.
    template <typename Command> StandEdit recordWhole(std::string name, Command&& command);
    template <typename Command>
    StandEdit recordBlock(std::string name, const Sheet::Block& block, Command&& command);
    // The rules of a cell the user has changed (col, row): after the number of plots or the
    // province, Objective 3 is enabled only where the province has a cut-off (its tick stays);
    // returns the cursor rule's cell.
    std::optional<std::pair<int, int>> cellChanged(int col, int row);
    // cellChanged for every cell a user's edit changed; the cursor rule only where it was one cell.
    void applyCellRules(StandEdit& edit);

    const ProgramProfile* profile_;
    Sheet tally_;
    Sheet opening_; // the tally as the dialog opened, whose values always paste back
    ObjectiveBoxes boxes_;
    std::optional<StandRun> lastRun_;
    std::optional<std::string> savedText_;
};

// The command line's choice of objective for any tally: box n alone ticked (0: none), with
// objective n's rewrite pass unless `keepClasses`. Returns the rows whose classes the pass changed.
std::vector<int> chooseObjective(const ProgramProfile& profile, Sheet& tally, ObjectiveBoxes& boxes, int n,
                                 bool keepClasses);
// The same choice, with the rewrite pass made over tree rows read from a tally, which stays as it
// is: a summary's Run of each objective. Returns the rows whose classes the pass changed.
std::vector<int> chooseObjective(const ProgramProfile& profile, TreeRows& rows, ObjectiveBoxes& boxes, int n);

} // namespace timbra
