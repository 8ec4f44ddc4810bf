#include "gui/input/CInputDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "core/input/TallyFile.h"
#include "gui/common/Prompter.h"
#include "gui/common/QtString.h"
#include "gui/import/ImportDialog.h"

#include <QFile>

// Import: a headed tree list becomes the grid's stand, as Open lays a tally in, once the user has
// seen the import dialog's mapping, preview and audit and pressed OK.
void CInputDialog::OnImport() {
    std::string local;
    QString failure;
    const auto dialog =
        ImportDialog::askForTreeList(profile_, ImportDialog::Purpose::OneStand, this, local, failure);
    if (!dialog) {
        if (!failure.isEmpty()) message(failure);
        return;
    }
    const timbra::ImportedStand* stand = dialog->chosenStand();
    if (!stand) return;
    const timbra::LoadResult laid =
        openTallyText(timbra::formatTallyText(stand->tally), local, timbra::StandStep::Import);
    if (!laid.ok) message(tr("The tree list was not imported. %1").arg(qs(laid.error)));
}
