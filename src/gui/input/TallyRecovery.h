#pragma once

#include "core/file/AtomicFile.h"
#include "core/input/RecoveryFile.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <string>
#include <vector>

namespace timbra {
struct ProgramProfile;
class StandDocument;
} // namespace timbra

// Keeps the recovery copy of the input dialog's tally while the grid holds changes that no Save as
// has written: a few seconds after typing stops, on a timer and whenever the dialog asks (it loses
// focus), and only when the tally differs from the last copy and from the opening grid. The
// user-interface thread only formats the text; the write and its sync run on a worker thread, one at
// a time, so typing never waits for the disk. Leaving the dialog keeps the copy of a tally that no
// file holds, for the next dialog to offer.
class TallyRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 30000;
    static constexpr int PauseMs = 3000; // after the last edit

    // Keeps the copy of `document`'s tally, which must outlive it.
    TallyRecovery(const timbra::ProgramProfile& profile, const timbra::StandDocument& document,
                  QObject* parent = nullptr);
    ~TallyRecovery() override;

    const timbra::RecoveryFile& file() const { return file_; }
    // The copies the dialog may offer back, newest first: its program's own and those of programs
    // that died.
    std::vector<timbra::RecoveryFile> copiesToOffer() const;

    // The document now holds what the tally file `source` holds (it has marked it saved), so there
    // is nothing to recover until it changes.
    void opened(const std::string& source);
    // The grid holds `copy`, just restored from it: it stays unsaved, from `source`, and later
    // copies are written to it.
    void adoptCopy(const timbra::RecoveryFile& copy, const std::string& source);
    // The tally was edited: the copy is written once typing has paused.
    void edited();
    // Writes the copy when the tally differs from what was last saved or opened and from the last
    // copy. With a write under way, the check runs again once it has finished.
    void writeIfChanged();
    // Save as wrote the tally to `path` (the document has marked it saved): the copy goes.
    void saved(const std::string& path);
    // The user left the dialog: no more copies are written. A tally that no file holds and that is
    // not `empty` is kept as the copy, marked as left, for the next dialog to offer; otherwise the
    // copy goes.
    timbra::FileResult leave(bool empty);
    // Blocks until a write under way has finished (used before removing the copy, and by tests).
    void waitForWrite();

signals:
    // The first failure to write the copy, told once; an empty text once a write succeeds again.
    void statusChanged(const QString& text);

private:
    void finished();
    std::string tallyText() const;
    // Nothing to recover: the tally is as the dialog opened or as a file holds it.
    bool unchanged(const std::string& text) const;

    std::string folder_, program_;
    timbra::RecoveryFile file_;
    const timbra::StandDocument& document_;
    std::string opening_, lastCopy_, writing_, source_;
    bool busy_ = false;    // a write is under way or its result not yet taken
    bool again_ = false;   // the tally was to be checked while a write was under way
    bool failing_ = false; // the last write failed and the user has been told
    bool stopped_ = false; // the user has left the dialog: no more copies
    QTimer timer_, pause_;
    QFutureWatcher<timbra::FileResult> watcher_;
};
