#include "ServeListener.hpp"

#include "ServeSocket.hpp"

#include <algorithm>
#include <thread>
#include <vector>

namespace CorvanaHost::Http {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(std::min<long long>(left, 60000));
}

// After a response, what the client still sends (a body refused unread, say) is read and dropped for a
// moment: closing with unread bytes would reset the connection, and the client could lose the response.
void DrainBriefly(SocketHandle fd)
{
    shutdown(fd, ShutSend);
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(500);
    char sink[16384];
    for (int wait = MillisecondsUntil(until); wait > 0; wait = MillisecondsUntil(until)) {
        pollfd one{fd, POLLIN, 0};
        if (PollSockets(&one, 1, wait) <= 0)
            return;
        const ByteCount n = recv(fd, sink, sizeof sink, 0);
        if (n == 0 || (n < 0 && !LastErrorIsInterrupted() && !LastErrorIsWouldBlock()))
            return;
    }
}

}  // namespace

ServeListener::ServeListener(ListenerLimits limits) : limits_(limits) {}

ServeListener::~ServeListener()
{
    for (SocketHandle socket : {listenFd_, wakeRead_, wakeWrite_})
        if (socket != NoSocket)
            CloseSocket(socket);
}

int ServeListener::Bind(int port, std::string* problem)
{
    if (!StartSockets(problem) || !MakeWakePair(&wakeRead_, &wakeWrite_, problem))
        return -1;
    listenFd_ = NewStreamSocket();
    if (listenFd_ == NoSocket) {
        *problem = LastSocketErrorText();
        return -1;
    }
    // Only a port left in TIME_WAIT is taken over; a port another server listens on stays refused.
    int yes = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&yes), sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listenFd_, 64) != 0) {
        *problem = LastSocketErrorText();
        return -1;
    }
    SocketLength length = sizeof address;
    if (getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        *problem = LastSocketErrorText();
        return -1;
    }
    return ntohs(address.sin_port);
}

void ServeListener::Stop()
{
    stopping_ = true;
    if (wakeWrite_ != NoSocket)
        Wake(wakeWrite_);
    // Connections still waiting for their request are ended now; those being answered finish.
    std::lock_guard<std::mutex> lock(mutex_);
    for (SocketHandle fd : reading_)
        shutdown(fd, ShutReceive);
}

void ServeListener::Run(const ServeSite& site)
{
    while (!stopping_) {
        pollfd watched[2] = {{listenFd_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
        if (PollSockets(watched, 2, -1) < 0) {
            if (LastErrorIsInterrupted())
                continue;
            break;
        }
        if (watched[1].revents != 0 || stopping_)
            break;
        if ((watched[0].revents & POLLIN) == 0)
            continue;
        const SocketHandle fd = AcceptConnection(listenFd_);
        if (fd == NoSocket) {
            if (LastErrorIsOutOfResources())
                std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the connection waits in the queue
            continue;
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (open_ < limits_.maxConnections) {
                ++open_;
                reading_.insert(fd);
                std::thread([this, fd, &site] {
                    ServeConnection(fd, site);
                    std::lock_guard<std::mutex> ended(mutex_);
                    reading_.erase(fd);
                    CloseSocket(fd);
                    --open_;
                    ended_.notify_all();
                }).detach();
                continue;
            }
        }
        const std::string busy = WriteResponse(ErrorResponse(503, "the server is serving as many connections as it takes"));
        // The connection is non-blocking: what does not fit at once is dropped with it.
        (void)!send(fd, busy.data(), static_cast<int>(busy.size()), NoSignalFlag);
        CloseSocket(fd);
    }
    CloseSocket(listenFd_);
    listenFd_ = NoSocket;
    std::unique_lock<std::mutex> lock(mutex_);
    for (SocketHandle fd : reading_)
        shutdown(fd, ShutReceive);
    ended_.wait(lock, [this] { return open_ == 0; });
}

bool ServeListener::ReserveBody(std::size_t bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (bodyBytes_ + bytes > limits_.bodyBudget)
        return false;
    bodyBytes_ += bytes;
    return true;
}

void ServeListener::ReleaseBody(std::size_t bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    bodyBytes_ -= bytes;
}

bool ServeListener::Send(SocketHandle fd, const std::string& bytes, Clock::time_point deadline)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const size_t chunk = std::min<size_t>(bytes.size() - sent, 1u << 20);
        const ByteCount n = send(fd, bytes.data() + sent, static_cast<int>(chunk), NoSignalFlag);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && LastErrorIsInterrupted())
            continue;
        if (n < 0 && !LastErrorIsWouldBlock())
            return false;
        const int wait = MillisecondsUntil(deadline);
        pollfd one{fd, POLLOUT, 0};
        if (wait == 0 || PollSockets(&one, 1, wait) <= 0)
            return false;  // the client takes nothing within the deadline
    }
    return true;
}

void ServeListener::ServeConnection(SocketHandle fd, const ServeSite& site)
{
    const Clock::time_point deadline = Clock::now() + limits_.requestDeadline;
    HttpRequestReader reader;
    bool screened = false;
    std::size_t reserved = 0;
    std::vector<char> buffer(64 * 1024);
    auto answer = [&](const HttpResponse& response) {
        if (Send(fd, WriteResponse(response), Clock::now() + limits_.writeDeadline))
            DrainBriefly(fd);
    };

    while (reader.GetState() == HttpRequestReader::State::Head || reader.GetState() == HttpRequestReader::State::Body) {
        const int wait = MillisecondsUntil(deadline);
        if (wait == 0) {
            ReleaseBody(reserved);
            return answer(ErrorResponse(408, "the request did not arrive whole within " +
                                                 std::to_string(limits_.requestDeadline.count()) + " ms"));
        }
        pollfd one{fd, POLLIN, 0};
        const int ready = PollSockets(&one, 1, wait);
        if (ready < 0 && !LastErrorIsInterrupted())
            break;
        if (ready <= 0)
            continue;
        const ByteCount n = recv(fd, buffer.data(), static_cast<int>(buffer.size()), 0);
        if (n == 0)
            break;  // the client went, or the server stops
        if (n < 0) {
            if (LastErrorIsInterrupted() || LastErrorIsWouldBlock())
                continue;
            break;
        }
        const HttpRequestReader::State state = reader.Feed(buffer.data(), static_cast<size_t>(n));
        if (screened || state == HttpRequestReader::State::Head)
            continue;
        screened = true;
        if (state == HttpRequestReader::State::Refused)
            break;
        if (std::optional<HttpResponse> refused = site.Screen(reader.Request()))
            return answer(*refused);
        if (state == HttpRequestReader::State::Body) {
            if (!ReserveBody(reader.BodyLength()))
                return answer(ErrorResponse(503, "the server is reading as many request bodies as it takes"));
            reserved = reader.BodyLength();
            if (reader.ExpectsContinue() && !Send(fd, "HTTP/1.1 100 Continue\r\n\r\n", deadline)) {
                ReleaseBody(reserved);
                return;
            }
        }
    }

    switch (reader.GetState()) {
        case HttpRequestReader::State::Refused:
            answer(reader.Refusal());
            break;
        case HttpRequestReader::State::Complete: {
            {
                // Being answered now: a stop lets it finish.
                std::lock_guard<std::mutex> lock(mutex_);
                reading_.erase(fd);
            }
            HttpResponse response = site.Handle(reader.Request());
            ReleaseBody(reserved);
            reserved = 0;
            answer(response);
            break;
        }
        default:
            break;
    }
    ReleaseBody(reserved);
}

}  // namespace CorvanaHost::Http
