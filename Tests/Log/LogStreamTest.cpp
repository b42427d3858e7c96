#include "Support/HostErrorReport.hpp"
#include "Support/HostErrorTexts.hpp"
#include "Support/LogStream.hpp"

#include "Host.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

using ::testing::HasSubstr;

std::string ReadLog()
{
    // In binary: the file's own line ends, on every system.
    std::ifstream in(QRV::LogStream::FileName(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string LastLine(const std::string& text)
{
    std::string trimmed = text.substr(0, text.size() - (text.empty() || text.back() != '\n' ? 0 : 1));
    return trimmed.substr(trimmed.rfind('\n') == std::string::npos ? 0 : trimmed.rfind('\n') + 1);
}

class LogTest : public ::testing::Test {
protected:
    Sim::Host host{Sim::HostOptions{}};
};

TEST_F(LogTest, FileLineHasTimeTagThreeSpacesAndMessage)
{
    QRV::LogStream::Instance().Warning("disk nearly full");
    EXPECT_TRUE(std::regex_match(LastLine(ReadLog()),
                                 std::regex(R"(\d{2}-\d{2}-\d{4} \d{2}:\d{2}:\d{2} \[Warning\]   disk nearly full)")))
        << LastLine(ReadLog());
    EXPECT_TRUE(std::regex_search(host.DebugText(), std::regex(R"(\d{2}:\d{2}:\d{2} \[Warning\]   disk nearly full \n$)")));
}

// The time is the local time (what the system's own conversion gives) and the line ends as it does on
// every system, whatever the system's text files end their lines with.
TEST_F(LogTest, TheLineTimeIsTheLocalTimeAndTheLineEndsWithALineFeedAlone)
{
    auto localText = [](std::time_t time) {
        char text[32];
        std::strftime(text, sizeof text, "%d-%m-%Y %H:%M:%S", std::localtime(&time));
        return std::string(text);
    };
    const std::time_t before = std::time(nullptr);
    QRV::LogStream::Instance().Info("timed");
    const std::time_t after = std::time(nullptr);
    const std::string log = ReadLog();
    ASSERT_GE(log.size(), 19u);
    EXPECT_EQ(log.find('\r'), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 6), "timed\n");
    const std::string stamp = LastLine(log).substr(0, 19);
    EXPECT_TRUE(stamp == localText(before) || stamp == localText(after)) << stamp << " is not " << localText(before);
}

TEST_F(LogTest, TagsArePaddedToNineAndUnknownLevelsAreInfo)
{
    EXPECT_STREQ(QRV::LogStream::Tag(0), "[Info]   ");
    EXPECT_STREQ(QRV::LogStream::Tag(1), "[Warning]");
    EXPECT_STREQ(QRV::LogStream::Tag(2), "[Error]  ");
    QRV::LogStream::Instance().Log("odd level", 7);
    EXPECT_THAT(LastLine(ReadLog()), HasSubstr(" [Info]      odd level"));
}

TEST_F(LogTest, StreamStyleWritesEachTextAsOneLineAtTheSelectedLevel)
{
    QRV::LogStream::Instance() << QRV::LogStream::SetLevel{2} << "first" << "second";
    const std::string log = ReadLog();
    EXPECT_THAT(log, HasSubstr("[Error]     first\n"));
    EXPECT_THAT(log, HasSubstr("[Error]     second\n"));
}

TEST_F(LogTest, ErrorReportNamesTheCodeAndTheLabel)
{
    EXPECT_EQ(QRV::HostErrorMessage(APIERR_BADNAME, "ACLink::CreateMaterial"),
              "Archicad API Error: APIERR_BADNAME - The passed name is not proper or not found in the existing "
              "list. (ACLink::CreateMaterial)");
    EXPECT_EQ(QRV::HostErrorMessage(APIERR_GENERAL), "Archicad API Error: APIERR_GENERAL - General error code.");
    EXPECT_EQ(QRV::HostErrorMessage(0x12345678, "X"), "Archicad API Error: Unspecified error message (X)");
    EXPECT_EQ(QRV::HostErrorMessage(NoError, "X"), "");

    QRV::ReportHostError(APIERR_REFUSEDPAR, "Label");
    EXPECT_THAT(LastLine(ReadLog()),
                HasSubstr("[Error]     Archicad API Error: APIERR_REFUSEDPAR - The command cannot be executed "
                          "with the passed parameters. (Label)"));
}

TEST_F(LogTest, NoErrorReportsNothing)
{
    const std::string before = ReadLog();
    QRV::ReportHostError(NoError, "Label");
    EXPECT_EQ(ReadLog(), before);
}

TEST_F(LogTest, TextTableHasTheSeventyTwoCodesWithTheirOddSpacingIntact)
{
    const auto& texts = QRV::HostErrorTexts();
    EXPECT_EQ(texts.size(), 72u);
    EXPECT_STREQ(texts.at(APIERR_NOTSUPPORTED),
                 "APIERR_NOTSUPPORTED - The command is not supported by the server application.It is not "
                 "environment dependent.The server application cannot execute the command generally.");
    EXPECT_STREQ(texts.at(APIERR_ATTREXIST), "APIERR_ATTREXIST - The attribute already exists.");
}

TEST_F(LogTest, EveryControlCharacterOfAMessageIsEscapedSoNoTextStartsALineOfItsOwn)
{
    const std::string before = ReadLog();
    const std::string forged = "01-01-2030 00:00:00 [Error]     forged";
    QRV::LogStream::Instance().Warning("name \"Chair\n" + forged + "\r\tx" + std::string("\0\x1b\x7f", 3) +
                                       "\xc2\x85 \xe2\x80\xa8 \xe2\x80\xa9 \xc3\xa4 \xe2\x82\xac \\n");
    const std::string added = ReadLog().substr(before.size());
    EXPECT_EQ(std::count(added.begin(), added.end(), '\n'), 1) << added;
    EXPECT_THAT(added, HasSubstr("[Warning]   name \"Chair\\n" + forged +
                                 "\\r\\tx\\x00\\x1b\\x7f\\u0085 \\u2028 \\u2029 \xc3\xa4 \xe2\x82\xac \\n\n"));
    // The debug output gets the same single line.
    EXPECT_THAT(host.DebugText(), HasSubstr("name \"Chair\\n" + forged + "\\r\\tx\\x00"));
    EXPECT_EQ(host.DebugText().find("\n" + forged), std::string::npos);
}

}  // namespace
