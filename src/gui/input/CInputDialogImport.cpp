#include "gui/input/CInputDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/input/TallyFile.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/import/ImportDialog.h"

#include <QFile>

// Import: a headed tree list becomes the grid's stand, as Open lays a tally in, once the user has
// seen the import dialog's mapping, preview and audit and pressed OK.
void CInputDialog::OnImport() {
    const QString path = Prompter::current().openFileName(
        this, QStringLiteral("*.csv"), tr("Tree lists (*.csv *.txt *.tsv);;All files (*)"));
    if (path.isEmpty()) return;
    const std::string local = QFile::encodeName(path).toStdString();
    timbra::SourceRead read = timbra::readSourceFile(local);
    if (!read.ok) return message(tr("The tree list was not imported. %1").arg(qs(read.error)));
    ImportDialog dialog(profile_, local, std::move(read.table), ImportDialog::Purpose::OneStand, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const timbra::ImportedStand* stand = dialog.chosenStand();
    if (!stand) return;
    const timbra::LoadResult laid = openTallyText(timbra::formatTallyText(stand->tally), local, "Import");
    if (!laid.ok) message(tr("The tree list was not imported. %1").arg(qs(laid.error)));
}
