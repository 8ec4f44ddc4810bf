#include "gui/input/CInputDialog.h"

#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "core/input/RecoveryFile.h"
#include "core/input/TallyCommands.h"
#include "gui/common/Prompter.h"
#include "gui/input/TallyRecovery.h"

#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimer>

#include <utility>

// The input dialog's side of crash recovery: offering back the tallies left unsaved or held by a
// program that died, and writing the recovery copy when the dialog loses focus (the timers live in
// TallyRecovery).

void CInputDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Asked once the dialog is on screen, so that the question stands over the grid it fills.
    if (!std::exchange(recoveryOffered_, true)) QTimer::singleShot(0, this, &CInputDialog::offerRecovery);
}

bool CInputDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) recovery_->writeIfChanged();
    return QDialog::event(event);
}

// Each copy in turn, newest first, until the user takes one; a copy another program takes over
// meanwhile is passed by.
void CInputDialog::offerRecovery() {
    for (const timbra::RecoveryFile& copy : recovery_->copiesToOffer()) {
        if (!copy.hold()) continue;
        if (!copy.exists()) { // removed by its program since the listing
            copy.remove();
            continue;
        }
        if (offerCopy(copy)) return;
    }
}

bool CInputDialog::offerCopy(const timbra::RecoveryFile& copy) {
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
        return false;
    }
    if (timbra::isEmptyTally(restored)) { // nothing in it to restore
        copy.remove();
        return false;
    }

    QDateTime written = QDateTime::fromString(QString::fromStdString(read.info.writtenAt), Qt::ISODate);
    if (!written.isValid()) written = QFileInfo(copyPath).lastModified(); // a damaged side file
    written = written.toLocalTime();
    const int trees = timbra::tallyTreeCount(restored);
    QString about = trees == 0 ? tr("no trees") : trees == 1 ? tr("1 tree") : tr("%1 trees").arg(trees);
    if (!read.info.source.empty())
        about += tr(", based on %1").arg(QFile::decodeName(read.info.source.c_str()));
    const QLocale locale;
    const QString question =
        read.info.left ? tr("The tally you left at %1 (%2) was not saved. Restore it?")
                             .arg(written.date() == QDate::currentDate()
                                      ? locale.toString(written.time(), QLocale::ShortFormat)
                                      : locale.toString(written, QLocale::ShortFormat),
                                  about)
                       : tr("A tally typed on %1 (%2) was open when the program stopped. Restore it?")
                             .arg(locale.toString(written, QLocale::ShortFormat),
                                  read.info.source.empty() ? about + tr(", not saved to a file") : about);
    if (!Prompter::current().question(this, QString::fromStdString(profile_.appName), question)) {
        copy.remove();
        return false;
    }

    // Laid in as Open lays a file in, as one step that Undo takes back; the copy stays on disk until
    // the tally is saved or left as a file holds it.
    if (!openTallyText(read.text, copy.tallyPath(), timbra::StandStep::Restore).ok)
        return false; // read above without a fault
    recovery_->adoptCopy(copy, read.info.source);
    return true;
}
