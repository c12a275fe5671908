#include "app/BackgroundSampler.h"

#include <QtConcurrent/QtConcurrentRun>

namespace tervane {

BackgroundSampler::BackgroundSampler(QObject* parent) : QObject(parent) {}

BackgroundSampler::~BackgroundSampler() {
    Cancel();
}

void BackgroundSampler::Start(std::shared_ptr<CGraph> graph, const SamplingOptions& options,
                              Done done) {
    Cancel();
    graph_ = std::move(graph);
    done_ = std::move(done);
    watcher_ = std::make_unique<QFutureWatcher<bool>>();
    connect(watcher_.get(), &QFutureWatcher<bool>::finished, this, &BackgroundSampler::Finished);
    std::shared_ptr<CGraph> worked = graph_;
    watcher_->setFuture(
        QtConcurrent::run([worked, options] { return worked->GetPoints(options); }));
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
    graph_.reset();
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
    std::shared_ptr<CGraph> graph = std::move(graph_);
    Done done = std::move(done_);
    DropWatcher();
    running_ = false;
    emit RunningChanged(false);
    if (done) done(std::move(graph), ok);
}

} // namespace tervane
