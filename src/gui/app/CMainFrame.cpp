#include "gui/app/CMainFrame.h"

#include "core/app/ProgramProfile.h"
#include "gui/app/CAboutDialog.h"
#include "gui/app/LockIndicators.h"
#include "gui/common/ProfileMenus.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/view/CTimbraView.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

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

// Saving writes an empty document file. A preset path that already holds something (a file
// with content, a folder) is never overwritten silently: the user is asked for a name instead.
void CMainFrame::OnFileSave() {
    QString path = qs(profile_.documentPath);
    const QFileInfo preset(path);
    if (path.isEmpty() || (preset.exists() && (!preset.isFile() || preset.size() > 0)))
        path = Prompter::current().saveFileName(this, path, tr("All Files (*)"), QString());
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Prompter::current().message(
            this, qs(profile_.appName),
            tr("Cannot save %1: %2").arg(QFileInfo(path).fileName(), file.errorString()));
}
