#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <wincrypt.h>

#include "WindowsTestSupport.hpp"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace WinTest {
namespace {

std::string JsonText(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

const char* SecurityName(LocalServer::Security security)
{
    switch (security) {
        case LocalServer::Plain: return "plain";
        case LocalServer::Tls: return "tls";
        case LocalServer::TlsLocalhostOnly: return "tls-localhost-only";
        case LocalServer::TlsStranger: return "tls-stranger";
    }
    return "plain";
}

bool EnsureWinsock()
{
    static const bool ready = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return ready;
}

// One command to the hub, one line back (without its line break); empty when the hub cannot be reached.
std::string AskHub(const std::string& command)
{
    const char* port = std::getenv("CORVANA_TEST_HUB_PORT");
    if (port == nullptr || !EnsureWinsock())
        return std::string();
    SOCKET hub = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (hub == INVALID_SOCKET)
        return std::string();
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(std::atoi(port)));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(hub, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string line = command + "\n";
        send(hub, line.data(), static_cast<int>(line.size()), 0);
        char buffer[4096];
        int got = 0;
        while (answer.find('\n') == std::string::npos && (got = recv(hub, buffer, sizeof buffer, 0)) > 0)
            answer.append(buffer, static_cast<size_t>(got));
    }
    closesocket(hub);
    const size_t end = answer.find('\n');
    return end == std::string::npos ? std::string() : answer.substr(0, end);
}

void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), needed);
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string utf8(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

ScratchFolder::ScratchFolder(const std::string& prefix)
{
    static LONG counter = 0;
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0)
        throw std::runtime_error("no temporary folder");
    std::wstring base(temp, length);
    if (!base.empty() && base.back() == L'\\')
        base.pop_back();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring candidate = base + L"\\" + Wide(prefix) + L"-" + std::to_wstring(GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(InterlockedIncrement(&counter));
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = Utf8(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() { RemoveTree(Wide(path_)); }

std::vector<std::string> ScratchFolder::Content() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((Wide(path_) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(Utf8(name));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

LocalServer::LocalServer(Security security, const Reply& reply)
{
    std::string pieces;
    for (const auto& piece : reply.pieces)
        pieces += (pieces.empty() ? "" : ",") + JsonText(piece);
    std::string headers;
    for (const auto& header : reply.headers)
        headers += (headers.empty() ? "" : ",") + JsonText(header.first) + ":" + JsonText(header.second);
    const std::string command = std::string("{\"op\":\"start\",\"security\":\"") + SecurityName(security) +
                                "\",\"reply\":{\"status\":" + std::to_string(reply.status) + ",\"pieces\":[" + pieces +
                                "],\"pause\":" + std::to_string(reply.pauseSeconds) + ",\"headers\":{" + headers + "}}}";
    const std::string answer = AskHub(command);
    const size_t blank = answer.find(' ');
    if (answer.empty() || blank == std::string::npos || answer.rfind("error", 0) == 0)
        return;
    port_ = static_cast<UInt16>(std::atoi(answer.substr(0, blank).c_str()));
    recordFolder_ = answer.substr(blank + 1);
}

LocalServer::~LocalServer()
{
    if (port_ != 0)
        AskHub("{\"op\":\"stop\",\"port\":" + std::to_string(port_) + "}");
}

std::vector<std::string> LocalServer::Requests() const
{
    std::vector<std::string> requests;
    for (int number = 1; !recordFolder_.empty(); ++number) {
        const std::string path = recordFolder_ + "\\request-" + std::to_string(number) + ".bin";
        if (!FileExists(path))
            break;
        requests.push_back(ReadFile(path));
    }
    return requests;
}

bool TrustTestAuthority(std::string* problem)
{
    const std::string path = AskHub("{\"op\":\"authority\"}");
    const std::string der = path.empty() ? std::string() : ReadFile(path);
    if (der.empty()) {
        *problem = "the server hub gave no test authority (is CORVANA_TEST_HUB_PORT set?)";
        return false;
    }
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_CURRENT_USER, L"Root");
    if (store == nullptr) {
        *problem = "cannot open the current user's root certificates";
        return false;
    }
    const BOOL added = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING,
                                                        reinterpret_cast<const BYTE*>(der.data()),
                                                        static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING,
                                                        nullptr);
    CertCloseStore(store, 0);
    if (!added)
        *problem = "cannot add the test authority to the root certificates";
    return added != FALSE;
}

UInt16 UnusedPort()
{
    if (!EnsureWinsock())
        return 0;
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    UInt16 port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    closesocket(probe);
    return port;
}

bool FileExists(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::string& path)
{
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

void WriteFile(const std::string& path, const std::string& content)
{
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != content.size())
        throw std::runtime_error("cannot write " + path);
}

std::string WaitForFile(const std::string& path)
{
    for (int attempt = 0; attempt < 800 && !FileExists(path); ++attempt)
        Sleep(25);
    return ReadFile(path);
}

std::string HeaderValue(const std::string& request, const std::string& name)
{
    const std::string key = "\r\n" + name + ": ";
    const size_t at = request.find(key);
    if (at == std::string::npos)
        return "<missing>";
    const size_t start = at + key.size();
    return request.substr(start, request.find("\r\n", start) - start);
}

}  // namespace WinTest
