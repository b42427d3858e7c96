// The few places where the sockets of `serve` differ between systems: the handle type, closing, polling,
// the last error and its text, and making a socket non-blocking and private to the process. Everything
// else is the Berkeley socket interface that Winsock shares.
#pragma once

#if defined(_WIN32)
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <string>

namespace CorvanaHost::Http {

#if defined(_WIN32)
using SocketHandle = SOCKET;
constexpr SocketHandle NoSocket = INVALID_SOCKET;
using SocketLength = int;
using ByteCount = int;
constexpr int NoSignalFlag = 0;  // Winsock raises no signal for a closed connection
constexpr int ShutReceive = SD_RECEIVE;
constexpr int ShutSend = SD_SEND;
#else
using SocketHandle = int;
constexpr SocketHandle NoSocket = -1;
using SocketLength = socklen_t;
using ByteCount = ssize_t;
constexpr int NoSignalFlag = MSG_NOSIGNAL;
constexpr int ShutReceive = SHUT_RD;
constexpr int ShutSend = SHUT_WR;
#endif

// Once per process before the first socket; false with the reason when the system has no sockets.
bool StartSockets(std::string* problem);
void CloseSocket(SocketHandle socket);
// poll() on one or more sockets; the same events and results on every system.
int PollSockets(pollfd* sockets, unsigned count, int milliseconds);
// A new TCP socket that no started program inherits.
SocketHandle NewStreamSocket();
// The next waiting connection of `listener`, non-blocking and not inherited; NoSocket when none.
SocketHandle AcceptConnection(SocketHandle listener);

// The last socket error of this thread, as the error kinds the listener tells apart.
bool LastErrorIsInterrupted();
bool LastErrorIsWouldBlock();
bool LastErrorIsOutOfResources();
std::string LastSocketErrorText();

// A pair for waking a poll from another thread: bytes sent to `writer` arrive at `reader`.
bool MakeWakePair(SocketHandle* reader, SocketHandle* writer, std::string* problem);
void Wake(SocketHandle writer);

}  // namespace CorvanaHost::Http
