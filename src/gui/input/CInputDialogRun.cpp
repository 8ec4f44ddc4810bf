#include "gui/input/CInputDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/grid/CSpreadSheet.h"
#include "gui/input/StandEditor.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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
    // One message at a time, each box able to skip the rest; the Messages button lists them all.
    const std::size_t count = outcome.treeMessages.size() + outcome.closingMessages.size();
    std::size_t shown = 0;
    bool skipped = false;
    const auto tell = [&](const std::string& text) {
        ++shown;
        if (!skipped)
            skipped = !Prompter::current().seriesMessage(this, qs(profile_.appName), qs(text),
                                                         static_cast<int>(count - shown));
    };
    messagesButton_->setEnabled(count > 0);
    for (const auto& m : outcome.treeMessages)
        tell(m.text);
    standValueBox_->setText(QString::fromStdString(outcome.standValueText));
    decisionBox_->setText(QString::fromStdString(outcome.decisionText));
    cutoffBox_->setText(QString::fromStdString(outcome.cutoffText));
    decisionLine_->setText(QString::fromStdString(timbra::decisionLine(statistics_->sampling)));
    for (const auto& text : outcome.closingMessages)
        tell(text);
}

// The last Run's messages in one list, to read again after they were shown or skipped.
void CInputDialog::OnRunMessages() {
    const auto& last = document().lastRun();
    if (!last) return;
    const std::vector<std::string> all = last->allMessages();
    QStringList lines;
    for (const std::string& text : all)
        lines << qs(text);
    QDialog list(this);
    list.setObjectName(QStringLiteral("runMessages"));
    list.setWindowTitle(qs(profile_.appName));
    auto* layout = new QVBoxLayout(&list);
    layout->addWidget(new QLabel(
        all.size() == 1 ? tr("The message of the last Run:")
                        : tr("The %1 messages of the last Run, in order:")
                              .arg(QLocale(QLocale::English).toString(static_cast<qlonglong>(all.size()))),
        &list));
    auto* text = new QPlainTextEdit(&list);
    text->setObjectName(QStringLiteral("runMessagesText"));
    text->setReadOnly(true);
    text->setPlainText(lines.join(QLatin1Char('\n')));
    layout->addWidget(text);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &list);
    connect(close, &QDialogButtonBox::rejected, &list, &QDialog::reject);
    layout->addWidget(close);
    list.resize(dialogUnits(400, 220));
    list.exec();
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
