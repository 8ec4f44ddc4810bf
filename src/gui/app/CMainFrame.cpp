#include "gui/app/CMainFrame.h"

#include "core/app/ProgramProfile.h"
#include "gui/app/CAboutDialog.h"
#include "gui/app/LockIndicators.h"
#include "gui/common/ProfileMenus.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/view/CTimbraView.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace {

// Where a command is in a program's menus, as the user reads it: "Model > Input data".
QString menuPath(const std::vector<timbra::Menu>& menus, timbra::Command command) {
    for (const timbra::Menu& menu : menus)
        for (const timbra::MenuEntry& entry : menu.entries)
            if (entry.command == command) {
                QString path = qs(menu.title) + " > " + qs(entry.text);
                return path.remove('&').remove(QStringLiteral("..."));
            }
    return {};
}

} // namespace

CMainFrame::CMainFrame(const timbra::ProgramProfile& profile, QWidget* parent)
    : QMainWindow(parent), profile_(profile), view_(new CTimbraView(profile, this)) {
    setObjectName("mainFrame");
    setWindowTitle(qs(profile.frameTitle));
    setCentralWidget(view_);

    auto* ready = new QLabel(tr("Ready"), this);
    ready->setObjectName("messagePane");
    statusBar()->addWidget(ready, 1);
    statusBar()->addPermanentWidget(new LockIndicators(this));

    buildMenus();
    addAccelerators();
}

void CMainFrame::buildMenus() {
    using timbra::Command;
    const std::pair<Command, void (CTimbraView::*)()> viewCommands[] = {
        {Command::InputData, &CTimbraView::OnInputData},
        {Command::ViewResults, &CTimbraView::OnViewResults},
        {Command::PrintResults, &CTimbraView::OnPrintResults},
        {Command::StandStatistics, &CTimbraView::OnStandStatistics},
        {Command::GettingStarted, &CTimbraView::OnGettingStarted},
        {Command::FieldInstructions, &CTimbraView::OnFieldInstructions},
        {Command::FieldDataSheet, &CTimbraView::OnFieldDataSheet},
    };
    addProfileMenus<CTimbraView>(menuBar(), profile_.mainMenus, view_, viewCommands);
    if (QAction* toggle = findChild<QAction*>(qs(timbra::actionName(Command::StatusBar)))) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
        connect(toggle, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    }
    if (QAction* about = findChild<QAction*>(qs(timbra::actionName(Command::AppAbout))))
        connect(about, &QAction::triggered, this, &CMainFrame::OnAppAbout);
    // Stand Statistics is enabled once a run with plots is held.
    if (QAction* statistics = findChild<QAction*>(qs(timbra::actionName(Command::StandStatistics)))) {
        statistics->setEnabled(view_->hasStatistics());
        connect(view_, &CTimbraView::resultsChanged, statistics,
                [this, statistics] { statistics->setEnabled(view_->hasStatistics()); });
    }
}

// Only New, Open and Save of the standard accelerators do anything in the main window; the
// edit keys have nothing to act on there.
void CMainFrame::addAccelerators() {
    const struct {
        const char* name;
        const char* keys;
        void (CMainFrame::*slot)();
    } accelerators[] = {{"actionFileNew", "Ctrl+N", &CMainFrame::OnFileNew},
                        {"actionFileOpen", "Ctrl+O", &CMainFrame::OnFileOpen},
                        {"actionFileSave", "Ctrl+S", &CMainFrame::OnFileSave}};
    for (const auto& a : accelerators) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(a.name));
        action->setShortcut(QKeySequence(QString::fromLatin1(a.keys)));
        addAction(action);
        connect(action, &QAction::triggered, this, a.slot);
    }
    // F10 opens the menu bar, as on other desktops: two of the menus have no mnemonic letter.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("openMenuBar"));
    menuKey->setShortcut(Qt::Key_F10);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().first());
    });
}

void CMainFrame::OnAppAbout() {
    CAboutDialog about(profile_, this);
    about.exec();
}

// The document holds no data: New and Open only lay a fresh report sheet over the view.
void CMainFrame::OnFileNew() {
    view_->OnInitialUpdate();
}

void CMainFrame::OnFileOpen() {
    const QString path = Prompter::current().openFileName(this, QString(), tr("All Files (*)"));
    if (!path.isEmpty()) view_->OnInitialUpdate();
}

// The main window holds no document, so Save has nothing to write (writing an empty file could only
// destroy one); it says where a tally is saved instead.
void CMainFrame::OnFileSave() {
    statusBar()->showMessage(tr("Nothing to save here: a tally is saved in %1, with %2.")
                                 .arg(menuPath(profile_.mainMenus, timbra::Command::InputData),
                                      menuPath(profile_.inputMenus, timbra::Command::SaveAs)));
}
