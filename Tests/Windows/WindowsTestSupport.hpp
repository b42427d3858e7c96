// What the Windows tests share: scratch folders, files by UTF-8 path, and the local HTTP(S) servers on
// 127.0.0.1, which the server hub (server_hub.py, started by scripts/check-windows.sh) runs for them.
#pragma once

#include "Definitions.hpp"

#include <string>
#include <utility>
#include <vector>

namespace WinTest {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// A fresh folder under the system's temporary folder, removed with everything in it when the object
// goes. Its path uses backslashes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "corvana-win");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }
    // The names in the folder, "." and ".." left out.
    std::vector<std::string> Content() const;

private:
    std::string path_;
};

struct Reply {
    int status = 200;
    std::vector<std::string> pieces;  // the body, each piece sent on its own
    double pauseSeconds = 0.0;        // between pieces
    std::vector<std::pair<std::string, std::string>> headers;
};

class LocalServer {
public:
    // Tls: a certificate for localhost and 127.0.0.1 from the trusted test authority; TlsLocalhostOnly:
    // for localhost only, from the same authority; TlsStranger: for localhost, from an authority that
    // nobody trusts.
    enum Security { Plain, Tls, TlsLocalhostOnly, TlsStranger };

    LocalServer(Security security, const Reply& reply);
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    bool Started() const { return port_ != 0; }
    UInt16 Port() const { return port_; }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    // The name certificates carry; Wine matches names, not addresses, against a certificate.
    std::string NameAndPort() const { return "localhost:" + std::to_string(port_); }
    // Every request received so far, whole, in order.
    std::vector<std::string> Requests() const;

private:
    UInt16 port_ = 0;
    std::string recordFolder_;
};

// Puts the hub's test authority into the current user's trusted root certificates of the Wine prefix the
// tests run in. Each run's authority has a name of its own, so those of earlier runs stay apart from it.
bool TrustTestAuthority(std::string* problem);

// A port on 127.0.0.1 on which nothing listens.
UInt16 UnusedPort();

bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
// Waits up to 20 seconds for a file to appear; its content then, or empty.
std::string WaitForFile(const std::string& path);

// The value of a header line of a received request; "<missing>" when the request has none.
std::string HeaderValue(const std::string& request, const std::string& name);

}  // namespace WinTest
