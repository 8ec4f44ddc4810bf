#include "input/CInputDialog.h"

#include "app/ProgramProfile.h"
#include "app/Prompter.h"
#include "grid/CSpreadSheet.h"
#include "input/TallyCommands.h"
#include "input/TallyFile.h"

#include <QCheckBox>
#include <QFile>
#include <QStringList>

// The spreadsheet commands of the input dialog's menu bar.

namespace {
const QString TallyFilePreset = QStringLiteral("*.txt");
const QString TallyFileFilter = QStringLiteral("TEXT FILES (.txt) (*.txt)");
const QString TallyFileSuffix = QStringLiteral("txt");

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
} // namespace

void CInputDialog::OnNew() {
    // The boxes are set directly: New runs no rewrite pass.
    setObjectiveBoxes({});
    timbra::newTally(grid_->sheet(), profile_.tally);
    checkOnlyObjective1();
    grid_->refresh();
}

void CInputDialog::OnClearSpreadsheet() {
    timbra::clearTally(grid_->sheet(), profile_.tally);
    grid_->refresh();
}

void CInputDialog::OnOpen() {
    const QString path = Prompter::current().openFileName(this, TallyFilePreset, TallyFileFilter);
    if (path.isEmpty()) return;
    const timbra::LoadResult loaded = timbra::loadTallyFile(grid_->sheet(), localPath(path));
    if (!loaded.ok) {
        // Nothing of the file was taken: the grid still holds what it held.
        message(tr("The tally was not opened. %1").arg(QString::fromStdString(loaded.error)));
        return;
    }
    grid_->refresh();
    // What the user should know about the file, told in one message.
    QStringList notes;
    if (const auto bytes = loaded.windows1252Bytes; bytes > 0)
        notes << (bytes == 1
                      ? tr("1 byte of %1 is not UTF-8 and was read as a Windows-1252 character.").arg(path)
                      : tr("%1 bytes of %2 are not UTF-8 and were read as Windows-1252 characters.")
                            .arg(bytes)
                            .arg(path));
    if (!loaded.refusedCells.empty()) {
        grid_->markCells(loaded.refusedCells);
        const auto count = loaded.refusedCells.size();
        notes << (count == 1 ? tr("1 cell of %1 holds a value that its column does not accept; it is marked "
                                  "in the grid.")
                                   .arg(path)
                             : tr("%1 cells of %2 hold values that their column does not accept; they are "
                                  "marked in the "
                                  "grid.")
                                   .arg(count)
                                   .arg(path));
    }
    if (!notes.isEmpty()) message(notes.join(QLatin1Char(' ')));
}

void CInputDialog::OnSaveAs() {
    const QString path =
        Prompter::current().saveFileName(this, TallyFilePreset, TallyFileFilter, TallyFileSuffix);
    if (path.isEmpty()) return;
    const timbra::FileResult saved = timbra::saveTallyFile(grid_->sheet(), localPath(path));
    if (!saved.ok) message(tr("The tally was not saved. %1").arg(QString::fromStdString(saved.error)));
}

// Prints the stand header, the headings and the trees, all ten columns.
void CInputDialog::OnPrint() {
    timbra::Sheet& tally = grid_->sheet();
    tally.SetCol(1);
    tally.SetCol2(10);
    tally.SetRow(1);
    tally.SetRow2(timbra::lastPrintRow(tally, profile_.tally));
    grid_->SetPrintRange(1);
    grid_->SetPrintAbortText(QString::fromStdString(profile_.printAbortText));
    grid_->PrintSheet();
}

void CInputDialog::OnCut() {
    grid_->DoAction(CSpreadSheet::CutAction);
}

void CInputDialog::OnCopy() {
    grid_->DoAction(CSpreadSheet::CopyAction);
}

void CInputDialog::OnPaste() {
    grid_->DoAction(CSpreadSheet::PasteAction);
}
