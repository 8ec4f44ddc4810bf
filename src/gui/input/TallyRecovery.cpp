#include "gui/input/TallyRecovery.h"

#include "core/app/ProgramProfile.h"
#include "core/app/StandDocument.h"
#include "core/input/TallyFile.h"

#include <QtConcurrent/QtConcurrentRun>

#include <ctime>
#include <utility>

TallyRecovery::TallyRecovery(const timbra::ProgramProfile& profile, const timbra::StandDocument& document,
                             QObject* parent)
    : QObject(parent), folder_(timbra::RecoveryFile::defaultFolder()), program_(profile.executable),
      file_(timbra::RecoveryFile::own(folder_, program_)), document_(document) {
    opening_ = tallyText();
    connect(&watcher_, &QFutureWatcherBase::finished, this, &TallyRecovery::finished);
    connect(&timer_, &QTimer::timeout, this, &TallyRecovery::writeIfChanged);
    timer_.start(IntervalMs);
    pause_.setSingleShot(true);
    connect(&pause_, &QTimer::timeout, this, &TallyRecovery::writeIfChanged);
}

// A write under way finishes (the copy on disk is whole either way); its result is not told.
TallyRecovery::~TallyRecovery() {
    watcher_.disconnect();
    watcher_.waitForFinished();
}

std::string TallyRecovery::tallyText() const {
    return timbra::formatTallyText(document_.tally());
}

bool TallyRecovery::unchanged(const std::string& text) const {
    return text == opening_ || text == document_.savedText();
}

void TallyRecovery::opened(const std::string& source) {
    source_ = source;
}

std::vector<timbra::RecoveryFile> TallyRecovery::copiesToOffer() const {
    return timbra::RecoveryFile::offerable(folder_, program_);
}

void TallyRecovery::adoptCopy(const timbra::RecoveryFile& copy, const std::string& source) {
    waitForWrite();
    file_ = copy;
    lastCopy_ = tallyText();
    source_ = source;
}

void TallyRecovery::edited() {
    if (!stopped_) pause_.start(PauseMs);
}

void TallyRecovery::writeIfChanged() {
    if (stopped_) return;
    if (busy_) {
        again_ = true;
        return;
    }
    std::string text = tallyText();
    if (unchanged(text) || text == lastCopy_) return;
    writing_ = std::move(text);
    const timbra::RecoveryInfo info{timbra::localIsoTime(std::time(nullptr)), source_};
    // The worker gets its own copies: the dialog may change or go while it writes.
    busy_ = true;
    watcher_.setFuture(
        QtConcurrent::run([file = file_, text = writing_, info] { return file.write(text, info); }));
}

void TallyRecovery::finished() {
    if (!std::exchange(busy_, false)) return; // already taken by waitForWrite
    const timbra::FileResult result = watcher_.result();
    if (result.ok) {
        lastCopy_ = std::move(writing_);
        if (failing_) emit statusChanged({});
        failing_ = false;
    } else if (!failing_) {
        failing_ = true;
        emit statusChanged(tr("The recovery copy of the tally could not be written: %1")
                               .arg(QString::fromStdString(result.error)));
    }
    if (std::exchange(again_, false)) writeIfChanged();
}

void TallyRecovery::waitForWrite() {
    if (!busy_) return;
    watcher_.waitForFinished();
    finished();
}

void TallyRecovery::saved(const std::string& path) {
    again_ = false;
    waitForWrite();
    file_.remove();
    file_ = timbra::RecoveryFile::own(folder_, program_); // an adopted copy is gone with the save
    lastCopy_.clear();
    source_ = path;
}

timbra::FileResult TallyRecovery::leave(bool empty) {
    stopped_ = true;
    timer_.stop();
    pause_.stop();
    again_ = false;
    waitForWrite();
    const std::string text = tallyText();
    if (empty || unchanged(text)) {
        file_.remove();
        return {};
    }
    return file_.write(text, {timbra::localIsoTime(std::time(nullptr)), source_, true});
}
