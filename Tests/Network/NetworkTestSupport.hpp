// What the network tests share: scratch folders, a test certificate authority with server certificates
// made by openssl at test time, and a local HTTP(S) server on 127.0.0.1 that records what it receives.
#pragma once

#include "Definitions.hpp"

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace NetTest {

// A fresh folder, removed with everything in it when the object goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix = "corvana-net");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

struct Certificates {
    std::string caBundle;        // the test authority
    std::string serverCert;      // for 127.0.0.1 and localhost, signed by the test authority
    std::string serverKey;
    std::string localhostCert;   // for localhost only, signed by the test authority
    std::string localhostKey;

    // Made once per test program.
    static const Certificates& Get();
};

// Sets CORVANA_CA_BUNDLE to the test authority for its lifetime (or clears it), then restores it.
class CaBundleSetting {
public:
    explicit CaBundleSetting(bool trustTestAuthority);
    ~CaBundleSetting();

private:
    bool hadValue_ = false;
    std::string oldValue_;
};

struct Reply {
    int status = 200;
    std::vector<std::string> pieces;  // the body, each piece sent on its own
    double pauseSeconds = 0.0;        // between pieces
    std::vector<std::pair<std::string, std::string>> headers;
};

class LocalServer {
public:
    enum Security { Plain, Tls, TlsLocalhostOnly };

    LocalServer(Security security, const Reply& reply);
    ~LocalServer();
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;

    bool Started() const { return port_ != 0; }
    UInt16 Port() const { return port_; }
    std::string HostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }
    // Every request received so far, whole, in order.
    std::vector<std::string> Requests() const;

private:
    ScratchFolder folder_;
    pid_t pid_ = -1;
    UInt16 port_ = 0;
};

// A port on 127.0.0.1 on which nothing listens.
UInt16 UnusedPort();

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

// The value of a header line of a received request; "<missing>" when the request has none.
std::string HeaderValue(const std::string& request, const std::string& name);

}  // namespace NetTest
