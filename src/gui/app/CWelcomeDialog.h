#pragma once

#include <QDialog>

namespace timbra {
struct ProgramProfile;
}

// The greeting shown at every start: credits, the software disclaimer and where to begin.
class CWelcomeDialog : public QDialog {
    Q_OBJECT
public:
    explicit CWelcomeDialog(const timbra::ProgramProfile& profile, QWidget* parent = nullptr);
};
