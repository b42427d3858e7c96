// Inputs from the page and from opened files that used to freeze the host, fill its disk, forge log lines
// or end in a silent success. Each one now fails cleanly, in seconds, and leaves the project as it was.
#include "Support/UiSupport.hpp"
#include "Support/FileAddress.hpp"
#include "Support/Sanitized.hpp"

#include "Model/ProjectFile.hpp"
#include "Parsing/TextLimits.hpp"
#include "ProjectWriter/LibraryFiles.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadLogFile()
{
    std::ifstream in("log.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class HostileInput : public QRVTest::UiFixture {
protected:
    void SetUp() override
    {
        QRVTest::UiFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::Load(std::string(CORVANA_SOURCE_DIR) + "/Examples/House.json");
        ASSERT_EQ(Menu(32200, 1), NoError);
        before = Sim::ProjectFile::ToText(host->GetProject());
        // Each test reads the log from here on; the log appends to the file line by line.
        std::ofstream("log.txt", std::ios::trunc);
    }

    std::string Import(const nlohmann::json& data)
    {
        const Sim::JsCallResult result = CallPage("import", QRVTest::JsText(nlohmann::json{{"data", data}}.dump()));
        EXPECT_TRUE(result.called) << result.problem;
        return QRVTest::ReplyText(result);
    }
    std::string NewLog() const { return ReadLogFile(); }
    std::string TemporaryFolder() { return host->GetSpecialFolders().Path(Sim::SpecialFolders::Temporary); }
    bool ProjectUnchanged() { return Sim::ProjectFile::ToText(host->GetProject()) == before; }

    static nlohmann::json Product(const std::string& name, const std::string& fileUrl)
    {
        return {{"import_type", "Product"}, {"id", 7}, {"name", name}, {"file_url", fileUrl}, {"updated_at", 1},
                {"articles", nlohmann::json::array()},
                {"product_tabs", {{{"name", "General"}, {"attributes", {{{"name", "Maker"}, {"value", "x"}}}}}}}};
    }

    std::string before;
};

#if !defined(_WIN32)
// Devices and pipes as files are the POSIX systems' own; Windows names its devices otherwise.
TEST_F(HostileInput, AProductFromDevZeroFailsAtOnceAndWritesNothing)
{
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Import(Product("Endless", "file:///dev/zero")), R"({"IsError":true,"ShowError":true})");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
    EXPECT_NE(NewLog().find("Library download of file:///dev/zero failed: the file address names no regular file"),
              std::string::npos)
        << NewLog();
    EXPECT_FALSE(fs::exists(TemporaryFolder() + "/Endless.gsm"));
    EXPECT_FALSE(fs::exists(TemporaryFolder() + "/Endless.gsm.download"));
    EXPECT_TRUE(ProjectUnchanged());
}
#endif

TEST_F(HostileInput, ALibraryNameWithALineBreakCannotForgeALogLine)
{
    const std::string forged = "01-01-2030 00:00:00 [Info]      update installed";
    EXPECT_EQ(Import(Product("Chair\n" + forged + "\r\x1b[2J", "file:///nowhere/x.gsm")),
              R"({"IsError":true,"ShowError":true})");
    const std::string log = NewLog();
    std::istringstream lines(log);
    std::string line;
    bool quoted = false;
    while (std::getline(lines, line)) {
        EXPECT_NE(line.rfind(forged, 0), 0u) << "a forged line: " << line;
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        EXPECT_EQ(line.find('\x1b'), std::string::npos) << line;
        quoted = quoted || line.find("Chair\\n" + forged + "\\r\\x1b[2J") != std::string::npos;
    }
    EXPECT_TRUE(quoted) << log;
    EXPECT_TRUE(ProjectUnchanged());
}

TEST_F(HostileInput, LibraryNamesAreCheckedInBytesWithTheSuffixesTheAddOnAdds)
{
    // The part's file is the name and ".gsm"; its download goes under that and ".download" first. So 242
    // bytes are the most a name may have, however few characters they make.
    EXPECT_TRUE(QRV::IsSafeLibraryFileName(Sim::Uni(std::string(242, 'a') + ".gsm")));
    EXPECT_FALSE(QRV::IsSafeLibraryFileName(Sim::Uni(std::string(243, 'a') + ".gsm")));
    EXPECT_FALSE(QRV::IsSafeLibraryFileName(Sim::Uni(std::string(251, 'a') + ".gsm")));
    std::string euros;
    for (int i = 0; i < 81; ++i)
        euros += "\xe2\x82\xac";  // 243 bytes in 81 characters
    EXPECT_FALSE(QRV::IsSafeLibraryFileName(Sim::Uni(euros + ".gsm")));

    const std::string lounge = QRVTest::FileAddress(std::string(CORVANA_SOURCE_DIR) + "/Examples/library/LoungeChair.gsm");
    EXPECT_EQ(Import(Product(euros, lounge)), R"({"IsError":true,"ShowError":true})");
    EXPECT_NE(NewLog().find("is not a plain file name"), std::string::npos) << NewLog();
    EXPECT_TRUE(ProjectUnchanged());
    // A long name well inside the limits is still imported (the host's own copy takes some room too). On
    // Windows the whole path must stay within 260 characters, and the host's folders take some 60 of them.
#if defined(_WIN32)
    const size_t longName = 150;
#else
    const size_t longName = 200;
#endif
    EXPECT_EQ(Import(Product(std::string(longName, 'b'), lounge)), R"({"IsError":false,"ShowError":true})") << NewLog();
}

TEST_F(HostileInput, APropertyNameTheHostRefusesFailsTheImportBeforeAnythingIsWritten)
{
    const nlohmann::json material = {
        {"import_type", "Material"},
        {"name", "Loam"},
        {"articles",
         {{{"id", 1},
           {"name", "Loam plaster"},
           {"updated_at", 1},
           {"tabs", {{{"name", "General"}, {"attributes", {{{"name", "Density"}, {"value", 1}}, {{"name", ""}, {"value", 2}}}}}}}}}}};
    EXPECT_EQ(Import(material), R"({"IsError":true,"ShowError":true})");
    EXPECT_NE(NewLog().find("Import of \"Loam\" refused: the property \"\" of the group \"General\" has a name "
                            "the host does not take (it is empty)"),
              std::string::npos)
        << NewLog();
    EXPECT_TRUE(ProjectUnchanged());

    // A tab without a name would make a group without one.
    nlohmann::json unnamedTab = material;
    unnamedTab["articles"][0]["tabs"][0].erase("name");
    unnamedTab["articles"][0]["tabs"][0]["attributes"].erase(1);
    EXPECT_EQ(Import(unnamedTab), R"({"IsError":true,"ShowError":true})");
    EXPECT_NE(NewLog().find("the property \"Density\" of the group \"\" has a group name the host does not take"),
              std::string::npos)
        << NewLog();
    EXPECT_TRUE(ProjectUnchanged());

    // The same product with a name for every property is imported.
    nlohmann::json named = material;
    named["articles"][0]["tabs"][0]["attributes"][1]["name"] = "Colour";
    EXPECT_EQ(Import(named), R"({"IsError":false,"ShowError":true})") << NewLog();
}

TEST_F(HostileInput, AJsonFileThatIsAFifoOrADeviceIsRefusedWithoutReading)
{
    const fs::path folder = fs::path(host->GetSpecialFolders().Home()) / "opened";
    fs::create_directories(folder);
    const std::string subfolder = (folder / "folder.json").string();
    fs::create_directories(subfolder);
    std::vector<std::string> paths = {subfolder};
#if !defined(_WIN32)
    const std::string fifo = (folder / "pipe.json").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string device = (folder / "zero.json").string();
    fs::create_symlink("/dev/zero", device);
    paths.insert(paths.end(), {fifo, device});
#endif
    for (const std::string& path : paths) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ui().OpenFile(path, IO_MERGE), NoError) << path;
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0) << path;
        EXPECT_NE(NewLog().find("JSON file: refused, " + path + " is not a regular file"), std::string::npos)
            << path << "\n" << NewLog();
    }
    EXPECT_TRUE(ProjectUnchanged());
}

TEST_F(HostileInput, AnImportOfSixteenMegabytesOfEmptyObjectsFailsInSeconds)
{
    if (QRVTest::Sanitized)
        GTEST_SKIP() << QRVTest::MeasuredInTheNormalBuild;
    // 5.6 million empty objects, inside the size limit: parsing them once took hours.
    std::string text = "[";
    while (text.size() + 4 < QRV::Payload::MaxTextBytes)
        text += "{},";
    text += "{}]";
    const auto start = std::chrono::steady_clock::now();
    Sim::JsCallResult result = CallPage("import", QRVTest::JsText(text));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(result.called) << result.problem;
    EXPECT_EQ(QRVTest::ReplyText(result), R"({"IsError":true,"ShowError":true})");
    EXPECT_LT(seconds, 10.0);
    EXPECT_TRUE(ProjectUnchanged());
}

}  // namespace
