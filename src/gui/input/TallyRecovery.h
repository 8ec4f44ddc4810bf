#pragma once

#include "core/file/AtomicFile.h"
#include "core/input/RecoveryFile.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>

namespace timbra {
struct ProgramProfile;
}

// Keeps the recovery copy of the input dialog's tally while the grid holds changes that no Save as
// has written: on a timer and whenever the dialog asks (it loses focus), and only when the tally
// differs from the last copy. The user-interface thread only formats the text; the write and its
// sync run on a worker thread, one at a time, so typing never waits for the disk.
class TallyRecovery : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 30000;

    // `tallyText` gives the grid's tally in the tally file format.
    TallyRecovery(const timbra::ProgramProfile& profile, std::function<std::string()> tallyText,
                  QObject* parent = nullptr);
    ~TallyRecovery() override;

    const timbra::RecoveryFile& file() const { return file_; }

    // The grid now holds what a tally file holds (`source`; empty for the opening grid), so there
    // is nothing to recover until it changes.
    void setBaseline(const std::string& source);
    // The grid holds the copy on disk, just restored from it: it stays unsaved, from `source`.
    void adoptCopy(const std::string& source);
    // Writes the copy when the tally differs from what was last saved or opened and from the last
    // copy. With a write under way, the check runs again once it has finished.
    void writeIfChanged();
    // Save as wrote the tally to `path`: the copy goes.
    void saved(const std::string& path);
    // The user left the dialog and gave the tally up: the copy goes, and no more are written.
    void discard();
    // Blocks until a write under way has finished (used before removing the copy, and by tests).
    void waitForWrite();

signals:
    // The first failure to write the copy, told once; an empty text once a write succeeds again.
    void statusChanged(const QString& text);

private:
    void finished();

    timbra::RecoveryFile file_;
    std::function<std::string()> tallyText_;
    std::string baseline_, lastCopy_, writing_, source_;
    bool busy_ = false;    // a write is under way or its result not yet taken
    bool again_ = false;   // the tally was to be checked while a write was under way
    bool failing_ = false; // the last write failed and the user has been told
    bool stopped_ = false; // the user has left the dialog: no more copies
    QTimer timer_;
    QFutureWatcher<timbra::FileResult> watcher_;
};
