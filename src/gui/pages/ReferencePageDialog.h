#pragma once

#include <QDialog>

class CSpreadSheet;

namespace timbra {
struct ProgramProfile;
struct ReferencePage;
} // namespace timbra

// A reference page: a modal dialog that shows one of the program's stored sheets read-only, with
// an OK button and, where the page has one, a Print button. The stored sheet is restored at every
// opening, so nothing the user does on a page outlives it. A page without a grid shows its stored
// texts as labels: the first cell titles a group box, the cells below it are the lines.
class ReferencePageDialog : public QDialog {
    Q_OBJECT
public:
    ReferencePageDialog(const timbra::ProgramProfile& profile, const timbra::ReferencePage& page,
                        QWidget* parent = nullptr);

    // The page's grid; nullptr on a page of static texts.
    CSpreadSheet* grid() const { return grid_; }

public slots:
    // Prints the page's whole sheet; the page stays open.
    void OnPrintPage();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildGrid(const timbra::ProgramProfile& profile, const timbra::ReferencePage& page);
    void buildTexts(const timbra::ProgramProfile& profile, const timbra::ReferencePage& page);

    CSpreadSheet* grid_ = nullptr;
};
