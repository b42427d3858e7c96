// Every malformed catalogue document, handed to the page's import functions of the loaded module, ends as
// a failed import: the error object, a log line, and an untouched project.
#include "Support/UiSupport.hpp"

#include "Model/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class MalformedPayloads : public QRVTest::UiFixture {};

TEST_F(MalformedPayloads, FailEveryImportFunctionWithoutChangingTheProject)
{
    const fs::path corpus = fs::path(CORVANA_TEST_DIR) / "Parsing" / "fixtures" / "malformed";
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(corpus))
        files.push_back(entry.path());
    ASSERT_GE(files.size(), 60u);

    ASSERT_EQ(Menu(32200, 1), NoError);  // the catalogue palette, whose page holds the script object
    const Sim::Project before = host->GetProject();
    const struct {
        const char* function;
        const char* reply;
    } functions[] = {{"import", R"({"IsError":true,"ShowError":true})"},
                     {"update", R"({"IsError":true,"ShowError":true})"},
                     {"replaceSystem", R"({"IsError":true,"ShowError":false})"},
                     {"replaceMaterialUsedInConstructionSystem", R"({"IsError":true,"ShowError":false})"}};
    for (const auto& file : files) {
        const std::string text = ReadFile(file);
        for (const auto& function : functions) {
            const size_t debugBefore = host->DebugText().size();
            Sim::JsCallResult result = CallPage(function.function, QRVTest::JsText(text));
            ASSERT_TRUE(result.called) << file.filename() << " " << function.function << ": " << result.problem;
            EXPECT_EQ(QRVTest::ReplyText(result), function.reply) << file.filename() << " " << function.function;
            EXPECT_NE(host->DebugText().find("[Error]", debugBefore), std::string::npos)
                << file.filename() << " " << function.function << " left no error line";
        }
        EXPECT_TRUE(host->GetProject() == before) << file.filename() << " changed the project";
    }
}

}  // namespace
