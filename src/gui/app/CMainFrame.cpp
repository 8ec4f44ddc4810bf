#include "app/CMainFrame.h"

#include "app/CAboutDialog.h"
#include "app/LockIndicators.h"
#include "app/ProgramProfile.h"
#include "common/Prompter.h"
#include "report/CTimbraView.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
QString commandName(int id) {
    return QStringLiteral("command%1").arg(id);
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

QAction* CMainFrame::command(int id) const {
    return findChild<QAction*>(commandName(id));
}

void CMainFrame::buildMenus() {
    for (const auto& menu : profile_.mainMenus) {
        QMenu* m = menuBar()->addMenu(qs(menu.title));
        for (const auto& entry : menu.entries) {
            if (entry.separator()) {
                m->addSeparator();
                continue;
            }
            QAction* action = m->addAction(qs(entry.text));
            action->setObjectName(commandName(entry.id));
            action->setStatusTip(qs(entry.prompt));
            connectCommand(action, entry.id);
        }
    }
}

void CMainFrame::connectCommand(QAction* action, int id) {
    using P = timbra::ProgramProfile;
    if (id == P::StatusBarId) {
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    } else if (id == P::AboutId) {
        connect(action, &QAction::triggered, this, &CMainFrame::OnAppAbout);
    } else if (id == profile_.inputDataId) {
        connect(action, &QAction::triggered, view_, &CTimbraView::OnInputData);
    } else if (id == profile_.viewResultsId) {
        connect(action, &QAction::triggered, view_, &CTimbraView::OnViewResults);
    } else if (id == profile_.printResultsId) {
        connect(action, &QAction::triggered, view_, &CTimbraView::OnPrintResults);
    } else if (id == profile_.standStatisticsId) {
        // Enabled once a run with plots is held.
        action->setEnabled(view_->hasStatistics());
        connect(view_, &CTimbraView::resultsChanged, action,
                [this, action] { action->setEnabled(view_->hasStatistics()); });
        connect(action, &QAction::triggered, view_, &CTimbraView::OnStandStatistics);
    } else if (id == profile_.gettingStartedId) {
        connect(action, &QAction::triggered, view_, &CTimbraView::OnGettingStarted);
    } else if (id == profile_.fieldInstructionsId) {
        connect(action, &QAction::triggered, view_, &CTimbraView::OnFieldInstructions);
    } else if (id == profile_.fieldDataSheetId) {
        connect(action, &QAction::triggered, view_, &CTimbraView::OnFieldDataSheet);
    }
}

// Only New, Open and Save of the standard accelerators do anything in the main window; the
// edit keys have nothing to act on there.
void CMainFrame::addAccelerators() {
    const struct {
        int id;
        const char* keys;
        void (CMainFrame::*slot)();
    } accelerators[] = {{NewId, "Ctrl+N", &CMainFrame::OnFileNew},
                        {OpenId, "Ctrl+O", &CMainFrame::OnFileOpen},
                        {SaveId, "Ctrl+S", &CMainFrame::OnFileSave}};
    for (const auto& a : accelerators) {
        auto* action = new QAction(this);
        action->setObjectName(commandName(a.id));
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
