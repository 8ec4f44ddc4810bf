#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "app/Prompter.h"
#include "app/ReferencePageDialog.h"
#include "grid/CSpreadSheet.h"
#include "input/DialogUnits.h"
#include "input/TallyCommands.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using timbra::ProgramProfile;

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QPushButton* makeButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setMinimumSize(dialogUnits(50, 14));
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
        box->setMinimumWidth(dialogUnits(52, 10).width());
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
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(run);
    buttons->addStretch();
    top->addLayout(buttons);
    layout->addLayout(top);

    // The tally grid takes the room that is left and grows with the dialog.
    grid_ = new CSpreadSheet(this);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setMinimumHeight(dialogUnits(0, 179).height());
    connect(grid_, &CSpreadSheet::CellChanged, this, &CInputDialog::OnCellChanged);
    layout->addWidget(grid_, 1);

    // Foot: the hint (where the program has one), then the three result boxes on the right.
    auto* foot = new QHBoxLayout;
    if (!profile_.hint.empty()) {
        auto* hint = new QLabel(qs(profile_.hint), this);
        hint->setObjectName(QStringLiteral("hint"));
        hint->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        foot->addWidget(hint, 0, Qt::AlignBottom);
    }
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
}

void CInputDialog::buildMenuBar() {
    using Handler = void (CInputDialog::*)();
    const std::pair<int, Handler> handlers[] = {
        {profile_.newId, &CInputDialog::OnNew},
        {profile_.clearId, &CInputDialog::OnClearSpreadsheet},
        {profile_.openId, &CInputDialog::OnOpen},
        {profile_.saveAsId, &CInputDialog::OnSaveAs},
        {profile_.printId, &CInputDialog::OnPrint},
        {profile_.cutId, &CInputDialog::OnCut},
        {profile_.copyId, &CInputDialog::OnCopy},
        {profile_.pasteId, &CInputDialog::OnPaste},
        {profile_.inputHelpId, &CInputDialog::OnInputHelp},
    };

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    for (const auto& menu : profile_.inputMenus) {
        QMenu* qmenu = bar->addMenu(qs(menu.title));
        for (const auto& entry : menu.entries) {
            if (entry.separator()) {
                qmenu->addSeparator();
                continue;
            }
            QAction* action = qmenu->addAction(qs(entry.text));
            action->setObjectName(QStringLiteral("action%1").arg(entry.id));
            for (const auto& [id, handler] : handlers)
                if (id != 0 && id == entry.id) connect(action, &QAction::triggered, this, handler);
        }
    }
    layout()->setMenuBar(bar);
}

// The stored empty grid, blanked by the tally conventions, with Objective 1 ticked and the
// cursor on the first plot number. Run afresh for every dialog, so no tally survives a dialog.
void CInputDialog::OnInitDialog() {
    timbra::Sheet tally = profile_.loadTallyGrid();
    timbra::prepareTallyForDialog(tally, profile_.tally);
    grid_->setSheet(std::move(tally));
    checkOnlyObjective1();
    grid_->SetActiveCell(1, 6);
    grid_->setFocus();

    // Wide enough to show every column of the tally without scrolling sideways.
    int gridWidth = grid_->verticalHeader()->sizeHint().width() +
                    grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth();
    for (int c = 0; c < grid_->sheet().GetMaxCols(); ++c)
        gridWidth += grid_->columnWidth(c);
    const QMargins margins = layout()->contentsMargins();
    resize(std::max(sizeHint().width(), gridWidth + margins.left() + margins.right()), sizeHint().height());
}

bool CInputDialog::confirmLeaving(const std::string& question) {
    return Prompter::current().question(this, qs(profile_.appName), qs(question));
}

void CInputDialog::accept() {
    if (confirmLeaving(profile_.leaveQuestion)) QDialog::accept();
}

void CInputDialog::reject() {
    if (confirmLeaving(profile_.leaveQuestion)) QDialog::reject();
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
