#include "gui/input/CInputDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "core/input/TallyCommands.h"
#include "core/input/TallyFile.h"
#include "core/input/TallyLayout.h"
#include "gui/common/Prompter.h"
#include "gui/grid/CSpreadSheet.h"
#include "gui/input/StandEditor.h"
#include "gui/input/TallyRecovery.h"

#include <QCheckBox>
#include <QFile>
#include <QStringList>
#include <QUndoStack>

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
    editor_->record(document().newTally());
}

void CInputDialog::OnClearSpreadsheet() {
    editor_->record(document().clearTally());
}

void CInputDialog::OnOpen() {
    const QString path = Prompter::current().openFileName(this, TallyFilePreset, TallyFileFilter);
    if (!path.isEmpty()) openTallyFile(path);
}

bool CInputDialog::openTallyFile(const QString& path) {
    timbra::OpenEdit opened = document().open(localPath(path));
    if (!opened.loaded.ok) {
        // Nothing of the file was taken: the grid still holds what it held.
        message(tr("The tally was not opened. %1").arg(QString::fromStdString(opened.loaded.error)));
        return false;
    }
    editor_->record(std::move(opened.edit), opened.loaded.refusedCells);
    document().markSaved();
    recovery_->opened(localPath(path));
    reportOpened(opened.loaded, path);
    return true;
}

timbra::LoadResult CInputDialog::openTallyText(std::string_view bytes, const std::string& nameForMessages,
                                               timbra::StandStep step) {
    timbra::OpenEdit opened = document().openText(bytes, nameForMessages, step);
    if (!opened.loaded.ok) return opened.loaded;
    editor_->record(std::move(opened.edit), opened.loaded.refusedCells);
    reportOpened(opened.loaded, QString::fromStdString(nameForMessages));
    return opened.loaded;
}

// What the user should know about an opened file, told in one message.
void CInputDialog::reportOpened(const timbra::LoadResult& loaded, const QString& path) {
    QStringList notes;
    const std::string file = path.toStdString();
    for (const std::string& notice :
         {timbra::windows1252Notice(loaded, file), timbra::readAsTypedNotice(loaded, file)})
        if (!notice.empty()) notes << QString::fromStdString(notice) + QLatin1Char('.');
    if (!loaded.refusedCells.empty()) {
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
    const timbra::FileResult saved = timbra::saveTallyFile(document().tally(), localPath(path));
    if (!saved.ok) return message(tr("The tally was not saved. %1").arg(QString::fromStdString(saved.error)));
    document().markSaved();
    recovery_->saved(localPath(path));
}

// Prints the stand header, the headings and the trees, all ten columns.
void CInputDialog::OnPrint() {
    timbra::Sheet& tally = grid_->sheet();
    tally.SetCol(timbra::PlotColumn);
    tally.SetCol2(timbra::LastTallyColumn);
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
