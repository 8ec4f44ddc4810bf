#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "app/StandDocument.h"
#include "grid/CSpreadSheet.h"
#include "input/StandEditor.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <utility>

// Objective boxes, Run and the cell-change rule of the input dialog.

void CInputDialog::showObjectiveBoxes() {
    const timbra::ObjectiveBoxes& boxes = document().boxes();
    for (std::size_t i = 0; i < objectives_.size(); ++i) {
        objectives_[i]->setChecked(boxes.checked[i]);
        objectives_[i]->setEnabled(boxes.enabled[i]);
    }
}

void CInputDialog::OnObjective(int n) {
    // The click has toggled the box already; the document takes the click from its own boxes.
    editor_->record(document().clickObjective(n));
    showObjectiveBoxes();
}

void CInputDialog::OnRun() {
    const timbra::RunOutcome& outcome = document().run();
    statistics_ = timbra::computeStandStatistics(outcome.results);
    for (const auto& m : outcome.treeMessages)
        message(QString::fromStdString(m.text));
    standValueBox_->setText(QString::fromStdString(outcome.standValueText));
    decisionBox_->setText(QString::fromStdString(outcome.decisionText));
    cutoffBox_->setText(QString::fromStdString(outcome.cutoffText));
    decisionLine_->setText(QString::fromStdString(timbra::decisionLine(statistics_->sampling)));
    for (const auto& text : outcome.closingMessages)
        message(QString::fromStdString(text));
}

// Raised by the grid once a typed edit is committed, its editor closed and the key that ended it
// has moved the cursor on (edits of blocks apply the same rules as the document records them).
void CInputDialog::OnCellChanged(int col, int row) {
    const auto rule = document().cellChanged(col, row);
    showObjectiveBoxes();
    // When the rule keeps the cursor on the edited cell, the key's own move stands (DBH, Tab: on to
    // the height); when it jumps elsewhere (to the crown class), the jump wins.
    if (rule && *rule != std::pair{col, row}) grid_->SetActiveCell(rule->first, rule->second);
}
