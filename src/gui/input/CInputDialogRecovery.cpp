#include "gui/input/CInputDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "core/input/RecoveryFile.h"
#include "gui/common/Prompter.h"
#include "gui/input/TallyRecovery.h"

#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <utility>

// The input dialog's side of crash recovery: offering back the tally a crashed run left, and
// writing the recovery copy when the dialog loses focus (the timer lives in TallyRecovery).

void CInputDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Asked once the dialog is on screen, so that the question stands over the grid it fills.
    if (!std::exchange(recoveryOffered_, true)) QTimer::singleShot(0, this, &CInputDialog::offerRecovery);
}

bool CInputDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) recovery_->writeIfChanged();
    return QDialog::event(event);
}

void CInputDialog::offerRecovery() {
    const timbra::RecoveryFile& copy = recovery_->file();
    if (!copy.exists()) return;
    timbra::Sheet restored = document().tally();
    const timbra::RecoveredTally read = copy.read(restored);
    const QString copyPath = QFile::decodeName(copy.tallyPath().c_str());
    if (!read.ok) {
        std::string keptPath;
        const timbra::FileResult kept = copy.keepAside(keptPath);
        message(kept.ok ? tr("A tally that was not saved could not be read back: %1 It is kept as %2.")
                              .arg(QString::fromStdString(read.error), QFile::decodeName(keptPath.c_str()))
                        : tr("A tally that was not saved could not be read back: %1 It stays in %2 (%3).")
                              .arg(QString::fromStdString(read.error), copyPath,
                                   QString::fromStdString(kept.error)));
        return;
    }

    QDateTime written = QDateTime::fromString(QString::fromStdString(read.info.writtenAt), Qt::ISODate);
    if (!written.isValid()) written = QFileInfo(copyPath).lastModified(); // a damaged side file
    const int trees = timbra::tallyTreeCount(restored);
    const QString question =
        tr("A tally typed on %1 (%2, from %3) was not saved. Restore it?")
            .arg(QLocale().toString(written.toLocalTime(), QLocale::ShortFormat),
                 trees == 1 ? tr("1 tree") : tr("%1 trees").arg(trees),
                 read.info.source.empty() ? tr("not saved") : QFile::decodeName(read.info.source.c_str()));
    if (!Prompter::current().question(this, QString::fromStdString(profile_.appName), question)) {
        copy.remove();
        return;
    }

    // Laid in as Open lays a file in, as one step that Undo takes back; the copy stays on disk until
    // the tally is saved or given up.
    if (!openTallyText(read.text, copy.tallyPath(), "Restore").ok) return; // read above without a fault
    recovery_->adoptCopy(read.info.source);
}
