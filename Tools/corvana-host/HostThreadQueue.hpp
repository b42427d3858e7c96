// Hands work from other threads to the host thread. The host is single-threaded: the module and the
// simulator may only ever run on the thread that started them. A front end that receives requests on its
// own threads (the HTTP server of `serve`) queues each piece of work here and waits; the host thread runs
// the queue and hands each piece back done.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace CorvanaHost {

class HostThreadQueue {
public:
    HostThreadQueue() = default;
    HostThreadQueue(const HostThreadQueue&) = delete;
    HostThreadQueue& operator=(const HostThreadQueue&) = delete;

    // Any thread but the host thread: queues `work` and waits until the host thread has run it. Answers
    // false, without running it, once the queue is stopped (also when it stops while `work` waits).
    bool RunOnHostThread(std::function<void()> work);

    // The host thread: runs queued work, in order, until Stop() is called or `shouldStop` answers true
    // (asked at least every `poll`). Work still waiting then is refused.
    void Run(const std::function<bool()>& shouldStop, std::chrono::milliseconds poll);

    // Any thread: ends Run and refuses all further work.
    void Stop();

private:
    struct Job {
        std::function<void()> work;
        bool finished = false;
        bool ran = false;
    };

    void RefuseWaitingJobs();  // with the lock held

    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::deque<Job*> jobs_;
    bool stopped_ = false;
};

}  // namespace CorvanaHost
