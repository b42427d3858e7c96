#include "NetworkTestSupport.hpp"

#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace NetTest {
namespace {

namespace fs = std::filesystem;

std::string Python()
{
    return fs::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

void Run(const std::string& command)
{
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        throw std::runtime_error("command failed: " + command);
}

void MakeServerCertificate(const std::string& folder, const std::string& name, const std::string& altNames)
{
    const std::string base = folder + "/" + name;
    WriteFile(base + ".ext", "subjectAltName=" + altNames +
                                 "\nbasicConstraints=CA:FALSE\nkeyUsage=digitalSignature\nextendedKeyUsage=serverAuth\n");
    Run("openssl req -new -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -subj /CN=" + name +
        " -keyout " + base + ".key -out " + base + ".csr");
    Run("openssl x509 -req -in " + base + ".csr -CA " + folder + "/ca.pem -CAkey " + folder +
        "/ca.key -CAcreateserial -days 2 -extfile " + base + ".ext -out " + base + ".pem");
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code error;
    fs::remove_all(path_, error);
}

const Certificates& Certificates::Get()
{
    static ScratchFolder folder("corvana-certs");
    static const Certificates certificates = [] {
        const std::string at = folder.Path();
        Run("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
            " -subj /CN=Corvana-Test-Authority -addext basicConstraints=critical,CA:TRUE"
            " -addext keyUsage=critical,keyCertSign,cRLSign -keyout " + at + "/ca.key -out " + at + "/ca.pem");
        MakeServerCertificate(at, "server", "IP:127.0.0.1,DNS:localhost");
        MakeServerCertificate(at, "localhost", "DNS:localhost");
        Certificates made;
        made.caBundle = at + "/ca.pem";
        made.serverCert = at + "/server.pem";
        made.serverKey = at + "/server.key";
        made.localhostCert = at + "/localhost.pem";
        made.localhostKey = at + "/localhost.key";
        return made;
    }();
    return certificates;
}

CaBundleSetting::CaBundleSetting(bool trustTestAuthority)
{
    if (const char* value = std::getenv("CORVANA_CA_BUNDLE")) {
        hadValue_ = true;
        oldValue_ = value;
    }
    if (trustTestAuthority)
        setenv("CORVANA_CA_BUNDLE", Certificates::Get().caBundle.c_str(), 1);
    else
        unsetenv("CORVANA_CA_BUNDLE");
}

CaBundleSetting::~CaBundleSetting()
{
    if (hadValue_)
        setenv("CORVANA_CA_BUNDLE", oldValue_.c_str(), 1);
    else
        unsetenv("CORVANA_CA_BUNDLE");
}

LocalServer::LocalServer(Security security, const Reply& reply) : folder_("corvana-server")
{
    nlohmann::json description = {{"status", reply.status}, {"pieces", reply.pieces}, {"pause", reply.pauseSeconds}};
    description["headers"] = nlohmann::json::object();
    for (const auto& header : reply.headers)
        description["headers"][header.first] = header.second;
    const std::string replyFile = folder_.Path() + "/reply.json";
    const std::string portFile = folder_.Path() + "/port";
    WriteFile(replyFile, description.dump());

    std::vector<std::string> arguments = {Python(), std::string(CORVANA_TEST_DIR) + "/Network/test_server.py",
                                          "--port-file", portFile, "--record-folder", folder_.Path(),
                                          "--reply-file", replyFile};
    if (security != Plain) {
        const Certificates& certificates = Certificates::Get();
        const bool localhostOnly = security == TlsLocalhostOnly;
        arguments.insert(arguments.end(), {"--cert", localhostOnly ? certificates.localhostCert : certificates.serverCert,
                                           "--key", localhostOnly ? certificates.localhostKey : certificates.serverKey});
    }
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    if (posix_spawnp(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
        return;
    }
    for (int attempt = 0; attempt < 200 && port_ == 0; ++attempt) {
        if (fs::exists(portFile))
            port_ = static_cast<UInt16>(std::stoi(ReadFile(portFile)));
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

LocalServer::~LocalServer()
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::vector<std::string> LocalServer::Requests() const
{
    std::vector<std::string> requests;
    for (int number = 1;; ++number) {
        const std::string path = folder_.Path() + "/request-" + std::to_string(number) + ".bin";
        if (!fs::exists(path))
            break;
        requests.push_back(ReadFile(path));
    }
    return requests;
}

UInt16 UnusedPort()
{
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    UInt16 port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(probe);
    return port;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary);
    file << content;
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

}  // namespace NetTest
