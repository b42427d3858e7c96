// A host with its own home folder inside a scratch folder, so that a test can see every file the host and
// the add-on wrote, and the add-on's library code called in-process.
#pragma once

#include "ACAPinc.h"
#include "Support/FileAddress.hpp"
#include "Host.hpp"
#include "Sim/SimFixture.hpp"
#include "SimUtf8.hpp"
#include "Support/ChildProcess.hpp"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace LibraryTest {

namespace fs = std::filesystem;

inline fs::path MakeScratchFolder() { return QRVTest::MakeScratchFolder("corvana-library-"); }

inline void WriteText(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Every file and folder below `root`, as paths relative to it.
inline std::set<std::string> Tree(const fs::path& root)
{
    std::set<std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        entries.insert(fs::relative(entry.path(), root).string());
    return entries;
}

class LibraryFixture : public SimTest::ApiFixture {
protected:
    void SetUp() override
    {
        scratch = MakeScratchFolder();
        ASSERT_FALSE(scratch.empty());
        home = scratch / "home";
        served = scratch / "served";
        fs::create_directories(served);
        ApiFixture::SetUp();
    }
    void TearDown() override
    {
        ApiFixture::TearDown();
        std::error_code ec;
        fs::remove_all(scratch, ec);
    }
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.home = home.string();
        return options;
    }

    Sim::Model::Libraries& Libraries() { return host->GetProject().libraries; }
    fs::path Documents() const { return home / "Documents"; }
    fs::path Temp() const { return home / "Temp"; }
    fs::path Embedded() const { return home / "Embedded Library"; }

    // A file the tests download from, with its file:// address.
    std::string Serve(const std::string& name, const std::string& content = "library part file\n")
    {
        WriteText(served / name, content);
        return QRVTest::FileAddress(served / name);
    }

    // A "Product" page document.
    static std::string ProductPayload(const std::string& name, const std::string& fileUrl,
                                      const nlohmann::json& attributes = nlohmann::json::array())
    {
        nlohmann::json data = {{"import_type", "Product"}, {"id", 5500},           {"name", name},
                               {"file_url", fileUrl},      {"updated_at", 1710000200}, {"articles", nlohmann::json::array()}};
        data["product_tabs"] = nlohmann::json::array({{{"name", "General"}, {"attributes", attributes}}});
        return nlohmann::json{{"data", data}}.dump();
    }

    fs::path scratch;
    fs::path home;
    fs::path served;
};

}  // namespace LibraryTest
