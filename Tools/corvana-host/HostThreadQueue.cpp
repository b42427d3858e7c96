#include "HostThreadQueue.hpp"

namespace CorvanaHost {

bool HostThreadQueue::RunOnHostThread(std::function<void()> work)
{
    Job job;
    job.work = std::move(work);
    std::unique_lock<std::mutex> lock(mutex_);
    if (stopped_)
        return false;
    jobs_.push_back(&job);
    queued_.notify_one();
    // The job lives on this stack frame: the host thread marks it finished (ran or refused) and never
    // touches it afterwards, so returning once it is finished is safe.
    finished_.wait(lock, [&job] { return job.finished; });
    return job.ran;
}

void HostThreadQueue::Run(const std::function<bool()>& shouldStop, std::chrono::milliseconds poll)
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopped_) {
        if (jobs_.empty()) {
            queued_.wait_for(lock, poll, [this] { return stopped_ || !jobs_.empty(); });
            if (!stopped_ && jobs_.empty() && shouldStop())
                break;
            continue;
        }
        if (shouldStop())
            break;
        Job* job = jobs_.front();
        jobs_.pop_front();
        lock.unlock();
        try {
            job->work();
        } catch (...) {
            // The work answers its caller itself; an escaping exception must not end the host thread.
        }
        lock.lock();
        job->finished = true;
        job->ran = true;
        finished_.notify_all();
    }
    stopped_ = true;
    RefuseWaitingJobs();
}

void HostThreadQueue::Stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    stopped_ = true;
    queued_.notify_all();
    // Run refuses what is still queued when it sees the stop; without a running Run nobody else would.
    RefuseWaitingJobs();
}

void HostThreadQueue::RefuseWaitingJobs()
{
    for (Job* job : jobs_)
        job->finished = true;
    jobs_.clear();
    finished_.notify_all();
}

}  // namespace CorvanaHost
