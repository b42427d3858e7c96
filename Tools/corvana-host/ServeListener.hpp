// The sockets of `serve`: listens on 127.0.0.1, reads each connection's one request on a thread of its own
// and answers it through the site. What a client can hold is bounded: a request must have arrived whole
// within RequestDeadline of its connection (else 408), a response must be taken within WriteDeadline, at
// most MaxConnections are served at once (more are answered 503 at once), and the bodies being read
// together hold at most BodyBudget bytes. A call reaches the host thread only once its request is whole,
// so no client can hold the host thread by sending slowly.
#pragma once

#include "ServeSite.hpp"
#include "ServeSocket.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <set>
#include <string>

namespace CorvanaHost::Http {

struct ListenerLimits {
    std::size_t maxConnections = 32;
    std::chrono::milliseconds requestDeadline{5000};
    std::chrono::milliseconds writeDeadline{10000};
    std::size_t bodyBudget = 2 * MaxBodyBytes;
};

class ServeListener {
public:
    explicit ServeListener(ListenerLimits limits = {});
    ~ServeListener();
    ServeListener(const ServeListener&) = delete;
    ServeListener& operator=(const ServeListener&) = delete;

    // Listens on 127.0.0.1:port (0: a free port); answers the port, or -1 with the reason in `problem`.
    int Bind(int port, std::string* problem);
    // Serves connections with `site` until Stop(); returns once every connection has ended.
    void Run(const ServeSite& site);
    // Any thread: ends Run.
    void Stop();

private:
    void ServeConnection(SocketHandle fd, const ServeSite& site);
    bool ReserveBody(std::size_t bytes);
    void ReleaseBody(std::size_t bytes);
    bool Send(SocketHandle fd, const std::string& bytes, std::chrono::steady_clock::time_point deadline);

    ListenerLimits limits_;
    SocketHandle listenFd_ = NoSocket;
    SocketHandle wakeRead_ = NoSocket;
    SocketHandle wakeWrite_ = NoSocket;
    std::atomic<bool> stopping_{false};

    std::mutex mutex_;
    std::condition_variable ended_;
    std::size_t open_ = 0;  // connections being served
    std::set<SocketHandle> reading_;  // those still reading their request, ended by Stop
    std::size_t bodyBytes_ = 0;  // reserved by the bodies being read
};

}  // namespace CorvanaHost::Http
