#include "gui/input/CInputDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/input/TallyFile.h"
#include "core/input/TallyLayout.h"
#include "gui/common/DialogUnits.h"
#include "gui/common/ProfileMenus.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/grid/CSpreadSheet.h"
#include "gui/input/StandEditor.h"
#include "gui/input/TallyRecovery.h"
#include "gui/pages/ReferencePageDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using timbra::ProgramProfile;

namespace {

// Grid heights in dialog units: the template's, and the least the dialog keeps (a few rows).
constexpr int OpeningGridHeight = 179;
constexpr int MinimumGridHeight = 60;

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setMinimumSize(
        dialogUnits(50, 14).expandedTo(button->sizeHint())); // the template's size, or the caption's
    return button;
}

// A read-only result box with its label above it.
QLineEdit* makeResultBox(QBoxLayout* row, const std::string& label, const char* name, QWidget* parent) {
    auto* column = new QVBoxLayout;
    auto* caption = new QLabel(qs(label), parent);
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFixedWidth(dialogUnits(56, 14).width());
    caption->setBuddy(box);
    column->addWidget(caption);
    column->addWidget(box);
    row->addLayout(column);
    return box;
}

} // namespace

CInputDialog::CInputDialog(const ProgramProfile& profile, QWidget* parent)
    : QDialog(parent), profile_(profile) {
    setObjectName(QStringLiteral("inputDialog"));
    setWindowTitle(qs(profile_.inputCaption));
    setWindowFlag(Qt::WindowMaximizeButtonHint, profile_.inputMaximizeBox);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    buildControls();
    buildMenuBar();
    OnInitDialog();
    recovery_ = new TallyRecovery(
        profile_, [this] { return timbra::formatTallyText(document().tally()); }, this);
    connect(recovery_, &TallyRecovery::statusChanged, recoveryStatus_, [this](const QString& text) {
        recoveryStatus_->setText(text);
        recoveryStatus_->setVisible(!text.isEmpty());
    });
}

CInputDialog::~CInputDialog() = default;

void CInputDialog::buildControls() {
    auto* layout = new QVBoxLayout(this);

    // Top: the objectives with their descriptions button, and OK, Cancel, Run on the right.
    auto* top = new QHBoxLayout;
    auto* objectivesColumn = new QVBoxLayout;
    auto* group = new QGroupBox(tr("Objectives"), this);
    group->setObjectName(QStringLiteral("objectivesGroup"));
    auto* boxes = new QHBoxLayout(group);
    for (int n = 1; n <= profile_.objectiveCount; ++n) {
        auto* box = new QCheckBox(tr("Objective %1").arg(n), group);
        box->setObjectName(QStringLiteral("objective%1").arg(n));
        // Never narrower than its caption: "Objective 1" and "Objective 4" must stay told apart.
        box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
        connect(box, &QCheckBox::clicked, this, [this, n] { OnObjective(n); });
        boxes->addWidget(box);
        objectives_.push_back(box);
    }
    objectivesColumn->addWidget(group);
    auto* descriptions = makeButton(tr("Objective Descriptions"), "objectiveDescriptions", this);
    connect(descriptions, &QPushButton::clicked, this, &CInputDialog::OnObjectiveDescriptions);
    objectivesColumn->addWidget(descriptions);
    top->addStretch(1);
    top->addLayout(objectivesColumn, 4);
    top->addStretch(1);

    auto* buttons = new QVBoxLayout;
    auto* ok = makeButton(tr("OK"), "ok", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CInputDialog::accept);
    auto* cancel = makeButton(tr("Cancel"), "cancel", this);
    connect(cancel, &QPushButton::clicked, this, &CInputDialog::reject);
    auto* run = makeButton(tr("Run"), "run", this);
    connect(run, &QPushButton::clicked, this, &CInputDialog::OnRun);
    // F5 and Ctrl+R run from anywhere in the dialog; taking the focus first commits an open cell edit.
    // The focus then goes back where the user was typing (the grid, on the cell it came from).
    auto* runKeys = new QAction(this);
    runKeys->setObjectName(QStringLiteral("runShortcut"));
    runKeys->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
    connect(runKeys, &QAction::triggered, run, [this, run] {
        const QPointer<QWidget> from = QApplication::focusWidget();
        const bool inGrid = from && (from == grid_ || grid_->isAncestorOf(from));
        run->setFocus(Qt::ShortcutFocusReason);
        run->click();
        // An editor the commit closed (it is hidden, then deleted) hands the focus back to its grid; one
        // that stays open with a refused value keeps it.
        QWidget* back = from && from->isVisible() ? from.data() : inGrid ? grid_ : nullptr;
        if (back && back != run) back->setFocus(Qt::ShortcutFocusReason);
    });
    addAction(runKeys);
    run->setToolTip(tr("Run (F5, Ctrl+R)"));
    messagesButton_ = makeButton(tr("Messages..."), "messages", this);
    messagesButton_->setToolTip(tr("Every message of the last Run"));
    messagesButton_->setEnabled(false);
    connect(messagesButton_, &QPushButton::clicked, this, &CInputDialog::OnRunMessages);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(run);
    buttons->addWidget(messagesButton_);
    buttons->addStretch();
    top->addLayout(buttons);
    layout->addLayout(top);

    // The tally grid takes the room that is left and grows with the dialog; in a dialog made smaller
    // than it opens, the grid gives up room and scrolls.
    grid_ = new CSpreadSheet(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setMinimumHeight(dialogUnits(0, MinimumGridHeight).height());
    connect(grid_, &CSpreadSheet::CellChanged, this, &CInputDialog::OnCellChanged);
    editor_ = new StandEditor(profile_, grid_, this);
    connect(editor_, &StandEditor::boxesChanged, this, &CInputDialog::showObjectiveBoxes);
    layout->addWidget(grid_, 1);

    // Foot: the hint (where the program has one), then the three result boxes on the right.
    auto* foot = new QHBoxLayout;
    if (!profile_.hint.empty()) {
        auto* hint = new QLabel(qs(profile_.hint), this);
        hint->setObjectName(QStringLiteral("hint"));
        hint->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        foot->addWidget(hint, 0, Qt::AlignBottom);
    }
    recoveryStatus_ = new QLabel(this);
    recoveryStatus_->setObjectName(QStringLiteral("recoveryStatus"));
    recoveryStatus_->setWordWrap(true);
    recoveryStatus_->hide();
    foot->addWidget(recoveryStatus_, 1, Qt::AlignBottom);
    foot->addStretch();
    decisionBox_ = makeResultBox(foot, profile_.decisionLabel, "decisionBox", this);
    standValueBox_ = makeResultBox(foot, profile_.standValueLabel, "standValueBox", this);
    cutoffBox_ = makeResultBox(foot, profile_.cutoffLabel, "cutoffBox", this);
    layout->addLayout(foot);

    // Under the boxes: how sure the plots make the decision, filled by Run.
    decisionLine_ = new QLabel(this);
    decisionLine_->setObjectName(QStringLiteral("decisionLine"));
    decisionLine_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    decisionLine_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(decisionLine_);

    // Tab order: the objectives, their descriptions, the buttons, then the grid; Ctrl+Tab leaves the grid.
    QWidget* order[] = {descriptions, ok, cancel, run, messagesButton_, grid_};
    QWidget* previous = objectives_.back();
    for (std::size_t i = 1; i < objectives_.size(); ++i)
        setTabOrder(objectives_[i - 1], objectives_[i]);
    for (QWidget* next : order) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void CInputDialog::buildMenuBar() {
    using timbra::Command;
    const std::pair<Command, void (CInputDialog::*)()> handlers[] = {
        {Command::New, &CInputDialog::OnNew},
        {Command::ClearSpreadsheet, &CInputDialog::OnClearSpreadsheet},
        {Command::Open, &CInputDialog::OnOpen},
        {Command::SaveAs, &CInputDialog::OnSaveAs},
        {Command::Import, &CInputDialog::OnImport},
        {Command::Print, &CInputDialog::OnPrint},
        {Command::Cut, &CInputDialog::OnCut},
        {Command::Copy, &CInputDialog::OnCopy},
        {Command::Paste, &CInputDialog::OnPaste},
        {Command::InputHelp, &CInputDialog::OnInputHelp},
    };

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    addProfileMenus<CInputDialog>(
        bar, profile_.inputMenus, this, handlers,
        [this](const timbra::MenuEntry& entry, QMenu* menu) { return undoRedoAction(entry, menu); });
    layout()->setMenuBar(bar);
}

// The undo history's items name the step ("Undo Paste") and are disabled when there is none; their
// keys work wherever the focus is in the dialog, except in an open cell editor, which has its own.
QAction* CInputDialog::undoRedoAction(const timbra::MenuEntry& entry, QMenu* menu) {
    const bool undo = entry.command == timbra::Command::Undo;
    if (!undo && entry.command != timbra::Command::Redo) return nullptr;
    QUndoStack* stack = editor_->undoStack();
    QAction* action =
        undo ? stack->createUndoAction(menu, qs(entry.text)) : stack->createRedoAction(menu, qs(entry.text));
    action->setShortcuts(undo ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)}
                              : QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                                    QKeySequence(Qt::CTRL | Qt::Key_Y)});
    menu->addAction(action);
    addAction(action);
    return action;
}

// The stored empty grid, blanked by the tally conventions, with Objective 1 ticked and the
// cursor on the first plot number. Run afresh for every dialog, so no tally survives a dialog.
void CInputDialog::OnInitDialog() {
    // The document starts in the dialog's opening state, and the grid shows it from its creation.
    showObjectiveBoxes();
    grid_->SetActiveCell(timbra::PlotColumn, timbra::FirstTreeRow);
    grid_->setFocus();

    // Opens with the grid as tall as the dialog template has it and wide enough to show every column
    // of the tally without scrolling sideways.
    grid_->setMinimumHeight(dialogUnits(0, OpeningGridHeight).height());
    int gridWidth = grid_->verticalHeader()->sizeHint().width() +
                    grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
    for (int c = 0; c < grid_->sheet().GetMaxCols(); ++c)
        gridWidth += grid_->columnWidth(c);
    const QMargins margins = layout()->contentsMargins();
    const QSize opening(std::max(sizeHint().width(), gridWidth + margins.left() + margins.right()),
                        sizeHint().height());
    grid_->setMinimumHeight(dialogUnits(0, MinimumGridHeight).height());
    resize(opening);
    grid_->scrollToTop(); // the stand header stays in sight; the cursor is on the first plot number
}

const timbra::StandResults& CInputDialog::results() const {
    static const timbra::StandResults reset;
    const auto& last = document().lastRun();
    return last ? last->results : reset;
}

timbra::StandDocument& CInputDialog::document() const {
    return editor_->document();
}

QUndoStack* CInputDialog::undoStack() const {
    return editor_->undoStack();
}

bool CInputDialog::confirmLeaving(const std::string& question) {
    return Prompter::current().cautiousQuestion(this, qs(profile_.appName), qs(question));
}

// Leaving gives the tally up, so its recovery copy goes too.
void CInputDialog::accept() {
    if (!confirmLeaving(profile_.leaveQuestion)) return;
    recovery_->discard();
    QDialog::accept();
}

void CInputDialog::reject() {
    if (!confirmLeaving(profile_.leaveQuestion)) return;
    recovery_->discard();
    QDialog::reject();
}

void CInputDialog::closeEvent(QCloseEvent* event) {
    // A dialog that has already ended has nothing left to lose.
    if (!isVisible()) {
        event->accept();
        return;
    }
    if (!confirmLeaving(profile_.closeQuestion)) {
        event->ignore();
        return;
    }
    // The question has been answered: take the cancel path without asking it a second time.
    recovery_->discard();
    QDialog::reject();
    event->accept();
}

void CInputDialog::showPage(const timbra::ReferencePage& page) {
    ReferencePageDialog dialog(profile_, page, this);
    dialog.exec();
}

void CInputDialog::OnObjectiveDescriptions() {
    showPage(profile_.objectiveDescriptions);
}

void CInputDialog::OnInputHelp() {
    showPage(profile_.inputHelp);
}

void CInputDialog::message(const QString& text) {
    Prompter::current().message(this, qs(profile_.appName), text);
}
