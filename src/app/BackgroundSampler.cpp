#include "app/BackgroundSampler.h"

#include <QtConcurrent/QtConcurrentRun>

namespace tervane {

BackgroundSampler::BackgroundSampler(QObject* parent) : QObject(parent) {}

BackgroundSampler::~BackgroundSampler() {
    Cancel();
}

void BackgroundSampler::Start(std::shared_ptr<CGraph> graph, const SamplingOptions& options,
                              Done done) {
    StartJob([graph, options] { return graph->GetPoints(options); },
             [graph, done = std::move(done)](bool ok) { done(graph, ok); });
}

void BackgroundSampler::StartJob(Job job, JobDone done) {
    Cancel();
    done_ = std::move(done);
    watcher_ = std::make_unique<QFutureWatcher<bool>>();
    connect(watcher_.get(), &QFutureWatcher<bool>::finished, this, &BackgroundSampler::Finished);
    watcher_->setFuture(QtConcurrent::run(std::move(job)));
    running_ = true;
    emit RunningChanged(true);
}

void BackgroundSampler::DropWatcher() {
    if (!watcher_) return;
    // Deleted later: this may run inside the watcher's own signal.
    watcher_->disconnect(this);
    watcher_.release()->deleteLater();
}

void BackgroundSampler::Cancel() {
    if (!watcher_) return;
    // The worker keeps its own reference to the copy; only the report is dropped.
    DropWatcher();
    done_ = nullptr;
    if (running_) {
        running_ = false;
        emit RunningChanged(false);
    }
}

void BackgroundSampler::WaitForFinished() {
    if (!watcher_) return;
    watcher_->waitForFinished();
    if (watcher_) Finished();
}

void BackgroundSampler::Finished() {
    if (!watcher_) return;
    const bool ok = watcher_->future().result();
    JobDone done = std::move(done_);
    DropWatcher();
    running_ = false;
    emit RunningChanged(false);
    if (done) done(ok);
}

} // namespace tervane
