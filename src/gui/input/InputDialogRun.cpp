#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "grid/CSpreadSheet.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

// Objective boxes, Run and the cell-change rule of the input dialog.

namespace {
constexpr int DbhColumn = 5;
constexpr int SpeciesClassColumn = 4;
constexpr int CrownClassColumn = 9;
constexpr int ProvinceColumn = 10;
constexpr int FirstTreeRow = 6;
} // namespace

timbra::ObjectiveBoxes CInputDialog::objectiveBoxes() const {
    timbra::ObjectiveBoxes boxes;
    for (std::size_t i = 0; i < objectives_.size(); ++i) {
        boxes.checked[i] = objectives_[i]->isChecked();
        boxes.enabled[i] = objectives_[i]->isEnabled();
    }
    return boxes;
}

void CInputDialog::setObjectiveBoxes(const timbra::ObjectiveBoxes& boxes) {
    for (std::size_t i = 0; i < objectives_.size(); ++i)
        objectives_[i]->setChecked(boxes.checked[i]);
}

// Ticks Objective 1 alone without running its rewrite pass, as the dialog's start and New do.
void CInputDialog::checkOnlyObjective1() {
    timbra::ObjectiveBoxes boxes;
    boxes.checked[0] = true;
    setObjectiveBoxes(boxes);
}

void CInputDialog::OnObjective(int n) {
    // The click has already toggled the box: hand the core the state from before it.
    timbra::ObjectiveBoxes boxes = objectiveBoxes();
    auto& clicked = boxes.checked[static_cast<std::size_t>(n - 1)];
    clicked = !clicked;
    const bool ticked = timbra::clickObjective(boxes, profile_.objectiveCount, n);
    setObjectiveBoxes(boxes);
    if (!ticked) return;
    profile_.rewriteForObjective(grid_->sheet(), n);
    grid_->refresh();
}

void CInputDialog::OnRun() {
    const timbra::RunOutcome outcome = profile_.run(grid_->sheet(), objectiveBoxes());
    results_ = outcome.results;
    statistics_ = timbra::computeStandStatistics(grid_->sheet(), results_);
    for (const auto& text : outcome.treeMessages)
        message(QString::fromStdString(text));
    standValueBox_->setText(QString::fromStdString(outcome.standValueText));
    decisionBox_->setText(QString::fromStdString(outcome.decisionText));
    cutoffBox_->setText(QString::fromStdString(outcome.cutoffText));
    decisionLine_->setText(QString::fromStdString(timbra::decisionLine(statistics_->sampling)));
    for (const auto& text : outcome.closingMessages)
        message(QString::fromStdString(text));
}

void CInputDialog::OnCellChanged(int col, int row) {
    const timbra::Sheet& tally = grid_->sheet();

    if (profile_.objective3ByProvince && col == ProvinceColumn && row < 4 && objectives_.size() >= 3) {
        const auto& without = profile_.provincesWithoutObjective3;
        const bool noCutoff =
            std::find(without.begin(), without.end(), tally.GetText(ProvinceColumn, 3)) != without.end();
        objectives_[2]->setEnabled(!noCutoff); // its tick stays as it is
    }

    if (col == DbhColumn && row >= FirstTreeRow) {
        // Small and unacceptable trees need no height, grade or vigor: skip to the crown class.
        const int dbh = tally.GetInteger(DbhColumn, row);
        const bool skip = tally.GetText(SpeciesClassColumn, row) == "Unacceptable" || (dbh > 5 && dbh < 12);
        // The grid announces the change after its own move for the key that ended the edit, so the
        // rule decides where the cursor rests.
        grid_->SetActiveCell(skip ? CrownClassColumn : DbhColumn, row);
    }
}
