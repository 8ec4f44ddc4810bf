#pragma once

#include <QDialog>

namespace timbra {
struct ProgramProfile;
}

// The about box of the Help menu: the program's name and version, and an OK button.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);
};
