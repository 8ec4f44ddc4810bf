#pragma once

#include "core/tract/StandVerdict.h"

#include <QFuture>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace timbra {
struct ProgramProfile;
}

// Reads and judges tally files on worker threads (the core's judge, as `summary` runs it) while the
// window stays responsive: finished stands are handed over in batches a few times a second, with
// how many of the files asked for are done. Cancel stops the work; stands already judged stay.
class TractLoader : public QObject {
    Q_OBJECT
public:
    explicit TractLoader(const timbra::ProgramProfile& profile, QObject* parent = nullptr);
    ~TractLoader() override;

    void load(std::vector<std::string> files);
    void cancel();
    bool busy() const { return done_ < total_; }
    // Waits for the workers, then hands over what they judged (tests, closing).
    void waitForFinished();

signals:
    void judged(std::vector<timbra::StandVerdict> verdicts);
    void progress(int done, int total);
    void finished();

private:
    void handOver();

    const timbra::ProgramProfile& profile_;
    QTimer timer_;
    std::shared_ptr<std::atomic<bool>> cancel_; // the running loads' flag; the workers share it
    std::vector<QFuture<void>> work_;
    std::mutex mutex_;
    std::vector<timbra::StandVerdict> ready_; // judged on the workers, not yet handed over
    int done_ = 0, total_ = 0;
};
