// The command-line host stopped by Ctrl+C or a stop request in the middle of a download: the temporary
// home it made for itself goes with it.
#include "Network/NetworkTestSupport.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace NetTest;
namespace fs = std::filesystem;

std::vector<std::string> HomesIn(const std::string& folder)
{
    std::vector<std::string> homes;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind("corvana-host-", 0) == 0)
            homes.push_back(entry.path().string());
    return homes;
}

bool HoldsADownload(const std::string& folder)
{
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".download")
            return true;
    return false;
}

TEST(HostSignal, AStopSignalDuringADownloadLeavesNoTemporaryHome)
{
    LocalServer server(LocalServer::Plain, Reply{200, {"s", "rest"}, 30.0, {}});
    ASSERT_TRUE(server.Started());
    const std::string payload =
        nlohmann::json{{"data",
                        {{"import_type", "Product"}, {"id", 1}, {"name", "Chair"},
                         {"file_url", "http://" + server.HostAndPort() + "/Chair.gsm"}, {"updated_at", 1},
                         {"articles", nlohmann::json::array()},
                         {"product_tabs", nlohmann::json::array({{{"name", "General"}, {"attributes", nlohmann::json::array()}}})}}}}
            .dump();
    for (int signalNumber : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signalNumber);
        ScratchFolder temp{"corvana-signal"};
        std::vector<std::string> arguments = {CORVANA_HOST_PATH, "call", "import", "--text", payload};
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        std::vector<std::string> environment = {"TMPDIR=" + temp.Path()};
        for (char** variable = environ; *variable != nullptr; ++variable)
            if (std::string(*variable).rfind("TMPDIR=", 0) != 0)
                environment.push_back(*variable);
        std::vector<char*> envp;
        for (std::string& variable : environment)
            envp.push_back(variable.data());
        envp.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        // A program started in the background may inherit ignored signals; the user's host would not.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        posix_spawnattr_setsigdefault(&attributes, &stopSignals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        pid_t child = -1;
        // The child's working folder (its log) is this program's; its home goes under TMPDIR.
        ASSERT_EQ(posix_spawn(&child, CORVANA_HOST_PATH, &actions, &attributes, argv.data(), envp.data()), 0);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);

        // Waits until the download is under way in the host's home.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        bool downloading = false;
        while (!downloading && std::chrono::steady_clock::now() < deadline) {
            for (const std::string& home : HomesIn(temp.Path()))
                downloading = downloading || HoldsADownload(home);
            if (!downloading)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_TRUE(downloading) << "the host never started the download";
        kill(child, signalNumber);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << status;
        EXPECT_TRUE(HomesIn(temp.Path()).empty()) << HomesIn(temp.Path()).front();
    }
}

}  // namespace
