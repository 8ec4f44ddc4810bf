#include "gui/tract/TractLoader.h"

#include "core/tract/StandJudge.h"

#include <QtConcurrent>

TractLoader::TractLoader(const timbra::ProgramProfile& profile, QObject* parent)
    : QObject(parent), profile_(profile), cancel_(std::make_shared<std::atomic<bool>>(false)) {
    // Often enough that rows appear as they are ready; seldom enough that the table is not re-sorted
    // for every stand.
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, &TractLoader::handOver);
}

TractLoader::~TractLoader() {
    *cancel_ = true;
    for (QFuture<void>& f : work_)
        f.waitForFinished();
}

void TractLoader::load(std::vector<std::string> files) {
    if (files.empty()) return;
    if (!busy()) done_ = total_ = 0;
    // Files added after a cancel are judged: the cancel stopped only the loads before it.
    if (*cancel_) cancel_ = std::make_shared<std::atomic<bool>>(false);
    total_ += static_cast<int>(files.size());
    emit progress(done_, total_);
    work_.push_back(QtConcurrent::run([this, cancel = cancel_, files = std::move(files)] {
        timbra::judgeStands(
            profile_, files.size(),
            [&](timbra::StandJudge& judge, std::size_t i) { return judge.judgeFile(files[i]); },
            [&](std::size_t, timbra::StandVerdict&& verdict) {
                const std::lock_guard lock(mutex_);
                ready_.push_back(std::move(verdict));
            },
            cancel.get());
    }));
    timer_.start();
}

void TractLoader::cancel() {
    *cancel_ = true;
}

void TractLoader::waitForFinished() {
    for (QFuture<void>& f : work_)
        f.waitForFinished();
    handOver();
}

void TractLoader::handOver() {
    // Whether any worker runs, asked before taking the batch: a worker that has ended has put all
    // its stands in it.
    const bool running =
        std::any_of(work_.begin(), work_.end(), [](const QFuture<void>& f) { return !f.isFinished(); });
    std::vector<timbra::StandVerdict> batch;
    {
        const std::lock_guard lock(mutex_);
        batch.swap(ready_);
    }
    done_ += static_cast<int>(batch.size());
    if (!batch.empty()) emit judged(std::move(batch));
    if (running) {
        emit progress(done_, total_);
        return;
    }
    // Every worker has ended: what a cancel left out is dropped, and the next load starts afresh.
    timer_.stop();
    work_.clear();
    done_ = total_;
    emit progress(done_, total_);
    emit finished();
}
