#include "gui/input/TallyRecovery.h"

#include "core/app/ProgramProfile.h"

#include <QtConcurrent/QtConcurrentRun>

#include <ctime>
#include <utility>

TallyRecovery::TallyRecovery(const timbra::ProgramProfile& profile, std::function<std::string()> tallyText,
                             QObject* parent)
    : QObject(parent), file_(timbra::RecoveryFile::defaultFolder(), profile.executable),
      tallyText_(std::move(tallyText)) {
    setBaseline({});
    connect(&watcher_, &QFutureWatcherBase::finished, this, &TallyRecovery::finished);
    connect(&timer_, &QTimer::timeout, this, &TallyRecovery::writeIfChanged);
    timer_.start(IntervalMs);
}

// A write under way finishes (the copy on disk is whole either way); its result is not told.
TallyRecovery::~TallyRecovery() {
    watcher_.disconnect();
    watcher_.waitForFinished();
}

void TallyRecovery::setBaseline(const std::string& source) {
    baseline_ = tallyText_();
    source_ = source;
}

void TallyRecovery::adoptCopy(const std::string& source) {
    lastCopy_ = tallyText_();
    source_ = source;
}

void TallyRecovery::writeIfChanged() {
    if (stopped_) return;
    if (busy_) {
        again_ = true;
        return;
    }
    std::string text = tallyText_();
    if (text == baseline_ || text == lastCopy_) return;
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
    lastCopy_.clear();
    setBaseline(path);
}

void TallyRecovery::discard() {
    stopped_ = true;
    timer_.stop();
    again_ = false;
    waitForWrite();
    file_.remove();
}
