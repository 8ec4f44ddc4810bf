#pragma once

#include <QMainWindow>

namespace timbra {
struct ProgramProfile;
}

class CTimbraView;
class LockIndicators;
class QAction;

// The main window: the profile's menus over the report view, and a status bar with the
// highlighted menu item's prompt or "Ready", and the CAP, NUM and SCRL indicators.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);

    CTimbraView* view() const { return view_; }

public slots:
    void OnAppAbout();
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();

private:
    void buildMenus();
    void addAccelerators();

    const timbra::ProgramProfile& profile_;
    CTimbraView* view_;
};
