#include "core/app/StandDocument.h"

#include "core/input/TallyCommands.h"
#include "core/input/TallyLayout.h"
#include "core/model/TreeClasses.h"
#include "core/model/TreeFactors.h"

#include <algorithm>
#include <vector>

namespace timbra {

namespace {

// The texts of a block, row by row, to compare with after a command.
std::vector<std::string> textsOf(const Sheet& sheet, const Sheet::Block& b) {
    std::vector<std::string> texts;
    if (b.empty()) return texts;
    texts.reserve(static_cast<std::size_t>(b.col2 - b.col1 + 1) *
                  static_cast<std::size_t>(b.row2 - b.row1 + 1));
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c)
            texts.push_back(sheet.GetText(c, r));
    return texts;
}

void addDifferences(CellChanges& changes, const Sheet& sheet, const Sheet::Block& b,
                    const std::vector<std::string>& before) {
    if (b.empty()) return;
    std::size_t i = 0;
    for (int r = b.row1; r <= b.row2; ++r)
        for (int c = b.col1; c <= b.col2; ++c, ++i)
            if (const std::string& now = sheet.GetText(c, r); now != before[i])
                changes.add(c, r, before[i], now);
    changes.shrink();
}

Sheet::Block clipped(const Sheet& sheet, const Sheet::Block& b) {
    return {std::max(b.col1, 1), std::max(b.row1, 1), std::min(b.col2, sheet.GetMaxCols()),
            std::min(b.row2, sheet.GetMaxRows())};
}

Sheet::Block wholeSheet(const Sheet& sheet) {
    return {1, 1, sheet.GetMaxCols(), sheet.GetMaxRows()};
}

Sheet openingTally(const ProgramProfile& profile) {
    Sheet tally = profile.loadTallyGrid();
    prepareTallyForDialog(tally);
    return tally;
}

std::string withoutMnemonics(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

// Every step's name: the text of its input-menu item where the step is a menu command, else its own.
struct StepName {
    StandStep step;
    Command command;
    const char* text;
};
constexpr StepName StepNames[] = {
    {StandStep::Typing, Command::None, "Typing"},
    {StandStep::Cut, Command::Cut, nullptr},
    {StandStep::Delete, Command::None, "Delete"},
    {StandStep::Paste, Command::Paste, nullptr},
    {StandStep::New, Command::New, nullptr},
    {StandStep::ClearSpreadsheet, Command::ClearSpreadsheet, nullptr},
    {StandStep::Open, Command::Open, nullptr},
    {StandStep::Import, Command::None, "Import"},
    {StandStep::Restore, Command::None, "Restore"},
    {StandStep::Objective, Command::None, "Objective "}, // and the box's number
};

} // namespace

std::optional<std::pair<int, int>> StandEdit::firstCell() const {
    if (cells.empty()) return std::nullopt;
    const CellChanges::Change first = cells[0];
    return std::pair{first.col, first.row};
}

StandDocument::StandDocument(const ProgramProfile& profile)
    : profile_(&profile), tally_(openingTally(profile)), opening_(tally_), boxes_(openingBoxes()) {}

ObjectiveBoxes StandDocument::openingBoxes() {
    ObjectiveBoxes boxes;
    boxes.checked[0] = true;
    return boxes;
}

template <typename Command>
StandEdit StandDocument::recordBlock(std::string name, const Sheet::Block& block, Command&& command) {
    StandEdit edit;
    edit.name = std::move(name);
    edit.boxesBefore = boxes_;
    const Sheet::Block b = clipped(tally_, block);
    const std::vector<std::string> before = textsOf(tally_, b);
    command();
    addDifferences(edit.cells, tally_, b, before);
    edit.boxesAfter = boxes_;
    return edit;
}

template <typename Command> StandEdit StandDocument::recordWhole(std::string name, Command&& command) {
    return recordBlock(std::move(name), wholeSheet(tally_), std::forward<Command>(command));
}

void StandDocument::applyCellRules(StandEdit& edit) {
    for (std::size_t i = 0; i < edit.cells.size(); ++i) {
        const auto cell = cellChanged(edit.cells[i].col, edit.cells[i].row);
        if (edit.cells.size() == 1) edit.cursor = cell;
    }
    edit.boxesAfter = boxes_;
}

std::optional<std::pair<int, int>> StandDocument::cellChanged(int col, int row) {
    if (col == ProvinceCell.col && row <= ProvinceCell.row) {
        const std::string& province = tally_.GetText(ProvinceCell.col, ProvinceCell.row);
        for (int n = 1; n <= profile_->objectiveCount; ++n)
            boxes_.enabled[static_cast<std::size_t>(n - 1)] = profile_->model->allowsObjective(n, province);
    }
    return cursorRule(col, row);
}

std::optional<StandEdit> StandDocument::typeCell(int col, int row, std::string_view text) {
    const auto accepted = tally_.accept(col, row, text);
    if (!accepted) return std::nullopt;
    StandEdit edit = recordBlock(stepName(StandStep::Typing), {col, row, col, row},
                                 [&] { tally_.SetText(col, row, *accepted); });
    applyCellRules(edit);
    return edit;
}

PasteEdit StandDocument::paste(const Sheet::Block& at, const TextTable& table) {
    // The cells the paste may reach: the whole target for one copied cell, else the table's extent.
    Sheet::Block reach = at;
    if (table.size() != 1 || table.front().size() != 1) {
        std::size_t width = 0;
        for (const auto& row : table)
            width = std::max(width, row.size());
        reach = {at.col1, at.row1, at.col1 + static_cast<int>(std::min<std::size_t>(width, 1 << 20)) - 1,
                 at.row1 + static_cast<int>(std::min<std::size_t>(table.size(), 1 << 20)) - 1};
    }
    PasteEdit pasted;
    pasted.edit = recordBlock(stepName(StandStep::Paste), reach,
                              [&] { pasted.result = pasteIntoSheet(tally_, at, table, &opening_); });
    applyCellRules(pasted.edit);
    return pasted;
}

StandEdit StandDocument::clearBlock(const Sheet::Block& block, StandStep step) {
    StandEdit edit = recordBlock(stepName(step), block, [&] { clearBlockValues(tally_, block); });
    applyCellRules(edit);
    return edit;
}

StandEdit StandDocument::newTally() {
    return recordWhole(stepName(StandStep::New), [this] {
        boxes_.checked = openingBoxes().checked;
        timbra::newTally(tally_);
    });
}

StandEdit StandDocument::clearTally() {
    return recordWhole(stepName(StandStep::ClearSpreadsheet), [this] { timbra::clearTally(tally_); });
}

OpenEdit StandDocument::open(const std::string& path) {
    OpenEdit opened;
    opened.edit =
        recordWhole(stepName(StandStep::Open), [&] { opened.loaded = loadTallyFile(tally_, path); });
    return opened;
}

OpenEdit StandDocument::openText(std::string_view bytes, const std::string& name, StandStep step) {
    OpenEdit opened;
    opened.edit = recordWhole(stepName(step), [&] { opened.loaded = loadTallyText(tally_, bytes, name); });
    return opened;
}

StandEdit StandDocument::clickObjective(int n) {
    return recordWhole(stepName(StandStep::Objective, n), [&] {
        if (timbra::clickObjective(boxes_, profile_->objectiveCount, n))
            profile_->model->rewriteForObjective(tally_, n);
    });
}

StandEdit StandDocument::chooseObjective(int n, bool keepClasses) {
    return recordWhole(stepName(StandStep::Objective, n),
                       [&] { timbra::chooseObjective(*profile_, tally_, boxes_, n, keepClasses); });
}

std::vector<int> chooseObjective(const ProgramProfile& profile, Sheet& tally, ObjectiveBoxes& boxes, int n,
                                 bool keepClasses) {
    boxes.checked = {};
    if (clickObjective(boxes, profile.objectiveCount, n) && !keepClasses)
        return profile.model->rewriteForObjective(tally, n);
    return {};
}

std::vector<int> chooseObjective(const ProgramProfile& profile, TreeRows& rows, ObjectiveBoxes& boxes,
                                 int n) {
    boxes.checked = {};
    if (clickObjective(boxes, profile.objectiveCount, n)) return profile.model->rewriteForObjective(rows, n);
    return {};
}

void StandDocument::undo(const StandEdit& edit) {
    edit.cells.writeBefore(tally_);
    boxes_ = edit.boxesBefore;
}

void StandDocument::redo(const StandEdit& edit) {
    edit.cells.writeAfter(tally_);
    boxes_ = edit.boxesAfter;
}

std::optional<std::pair<int, int>> StandDocument::cursorRule(int col, int row) const {
    if (col != DbhColumn || row < FirstTreeRow) return std::nullopt;
    // Small and unacceptable trees need no height, grade or vigor: on to the crown class.
    const int dbh = tally_.GetInteger(DbhColumn, row);
    const bool skip = speciesClassOf(tally_.GetText(SpeciesClassColumn, row)) == SpeciesClass::Unacceptable ||
                      (dbh >= SmallestMerchantableDbh && dbh < SmallestSawtimberDbh);
    return std::pair{skip ? CrownClassColumn : DbhColumn, row};
}

const StandRun& StandDocument::run() {
    StandRun run{profile_->model->run(tally_, boxes_), {}};
    run.statistics = computeStandStatistics(run.outcome.results);
    lastRun_ = std::move(run);
    return *lastRun_;
}

std::string StandDocument::stepName(StandStep step, int objective) const {
    const auto named = std::find_if(std::begin(StepNames), std::end(StepNames),
                                    [step](const StepName& name) { return name.step == step; });
    if (named->text)
        return step == StandStep::Objective ? named->text + std::to_string(objective) : named->text;
    for (const Menu& menu : profile_->inputMenus)
        for (const MenuEntry& entry : menu.entries)
            if (entry.command == named->command) return withoutMnemonics(entry.text);
    return {};
}

} // namespace timbra
