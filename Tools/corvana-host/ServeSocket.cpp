#include "ServeSocket.hpp"

#include <cerrno>
#include <cstring>
#include <mutex>

namespace CorvanaHost::Http {

#if defined(_WIN32)

bool StartSockets(std::string* problem)
{
    static std::once_flag once;
    static int result = 0;
    std::call_once(once, [] {
        WSADATA data{};
        result = WSAStartup(MAKEWORD(2, 2), &data);
    });
    if (result != 0 && problem != nullptr)
        *problem = "the system's sockets cannot be started (" + std::to_string(result) + ")";
    return result == 0;
}

void CloseSocket(SocketHandle socket) { closesocket(socket); }

int PollSockets(pollfd* sockets, unsigned count, int milliseconds) { return WSAPoll(sockets, count, milliseconds); }

SocketHandle NewStreamSocket()
{
    return WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_OVERLAPPED | WSA_FLAG_NO_HANDLE_INHERIT);
}

SocketHandle AcceptConnection(SocketHandle listener)
{
    SocketHandle connection = accept(listener, nullptr, nullptr);
    if (connection == NoSocket)
        return NoSocket;
    u_long nonBlocking = 1;
    if (ioctlsocket(connection, FIONBIO, &nonBlocking) != 0 ||
        !SetHandleInformation(reinterpret_cast<HANDLE>(connection), HANDLE_FLAG_INHERIT, 0)) {
        closesocket(connection);
        return NoSocket;
    }
    return connection;
}

bool LastErrorIsInterrupted() { return WSAGetLastError() == WSAEINTR; }
bool LastErrorIsWouldBlock() { return WSAGetLastError() == WSAEWOULDBLOCK; }
bool LastErrorIsOutOfResources()
{
    const int code = WSAGetLastError();
    return code == WSAEMFILE || code == WSAENOBUFS;
}

std::string LastSocketErrorText()
{
    const int code = WSAGetLastError();
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), reinterpret_cast<char*>(&text), 0,
        nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    if (text != nullptr)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "socket error " + std::to_string(code) : message;
}

// Winsock has no pipe to poll: a datagram socket of the loopback interface stands in for its reading end.
bool MakeWakePair(SocketHandle* reader, SocketHandle* writer, std::string* problem)
{
    *reader = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    *writer = WSASocketW(AF_INET, SOCK_DGRAM, IPPROTO_UDP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    SocketLength length = sizeof address;
    u_long nonBlocking = 1;
    if (*reader == NoSocket || *writer == NoSocket ||
        bind(*reader, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(*reader, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        connect(*writer, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ioctlsocket(*reader, FIONBIO, &nonBlocking) != 0) {
        *problem = LastSocketErrorText();
        return false;
    }
    return true;
}

void Wake(SocketHandle writer)
{
    const char byte = 1;
    send(writer, &byte, 1, 0);
}

#else

bool StartSockets(std::string*) { return true; }

void CloseSocket(SocketHandle socket) { close(socket); }

int PollSockets(pollfd* sockets, unsigned count, int milliseconds) { return poll(sockets, count, milliseconds); }

SocketHandle NewStreamSocket() { return socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0); }

SocketHandle AcceptConnection(SocketHandle listener)
{
    return accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
}

bool LastErrorIsInterrupted() { return errno == EINTR; }
bool LastErrorIsWouldBlock() { return errno == EAGAIN || errno == EWOULDBLOCK; }
bool LastErrorIsOutOfResources() { return errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM; }
std::string LastSocketErrorText() { return std::strerror(errno); }

bool MakeWakePair(SocketHandle* reader, SocketHandle* writer, std::string* problem)
{
    int wake[2];
    if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        *problem = std::strerror(errno);
        return false;
    }
    *reader = wake[0];
    *writer = wake[1];
    return true;
}

void Wake(SocketHandle writer)
{
    const char byte = 1;
    (void)!write(writer, &byte, 1);
}

#endif

}  // namespace CorvanaHost::Http
