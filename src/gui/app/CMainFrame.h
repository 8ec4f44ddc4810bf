#pragma once

#include <QMainWindow>

namespace timbra {
struct ProgramProfile;
}

class CTimbraView;
class LockIndicators;
class QAction;
class TractWindow;

// The main window: the profile's menus over the report view, and a status bar with the
// highlighted menu item's prompt or "Ready", and the CAP, NUM and SCRL indicators.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);

    CTimbraView* view() const { return view_; }
    // The Stands window, made by the first Stands command; nullptr before.
    TractWindow* tractWindow() const { return tractWindow_; }
    // Shows the Stands window with a tract file's stands (the command line's FILE.tract).
    void openTract(const QString& path);

public slots:
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnStands();

private:
    void buildMenus();
    void addAccelerators();

    const timbra::ProgramProfile& profile_;
    CTimbraView* view_;
    TractWindow* tractWindow_ = nullptr;
};
