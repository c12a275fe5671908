#pragma once

#include "graph/CGraph.h"
#include "graph/Sampler.h"

#include <QFutureWatcher>
#include <QObject>

#include <functional>
#include <memory>

namespace tervane {

/// Samples one graph, or runs one sampling job, in a worker thread and reports back on the GUI
/// thread. The graph is a copy (the job's data are its own) that nothing else touches while it
/// is sampled; cancelling drops the result (the worker finishes its pass on its own, the copy is
/// then thrown away).
class BackgroundSampler : public QObject {
    Q_OBJECT
public:
    /// Called on the GUI thread with the sampled copy and whether sampling succeeded.
    using Done = std::function<void(std::shared_ptr<CGraph> graph, bool ok)>;
    /// Work for the worker thread; true when it succeeded.
    using Job = std::function<bool()>;
    /// Called on the GUI thread with the job's outcome.
    using JobDone = std::function<void(bool ok)>;

    explicit BackgroundSampler(QObject* parent = nullptr);
    ~BackgroundSampler() override;

    /// Starts sampling graph; a sampling still running is cancelled first.
    void Start(std::shared_ptr<CGraph> graph, const SamplingOptions& options, Done done);
    /// Starts a job; a sampling still running is cancelled first. The job must own or share
    /// everything it touches: a cancelled job runs on with nobody waiting for it.
    void StartJob(Job job, JobDone done);
    /// Drops the running sampling: done is not called.
    void Cancel();
    [[nodiscard]] bool Running() const { return running_; }
    /// Waits for the worker (tests, shut-down); done runs if the sampling was not cancelled.
    void WaitForFinished();

signals:
    /// Running() changed.
    void RunningChanged(bool running);

private:
    void Finished();
    void DropWatcher();

    std::unique_ptr<QFutureWatcher<bool>> watcher_;
    JobDone done_;
    bool running_ = false;
};

} // namespace tervane
