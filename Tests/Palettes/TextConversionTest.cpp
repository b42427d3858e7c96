// The host's text class and the module's conversions: the system's code page (Windows-1252 here) loses
// what it cannot hold, UTF-8 and UTF-16 keep everything, and paths keep their names.
#include "Support/NativePath.hpp"
#include "Support/Utf8.hpp"

#include "UniString.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

// "Tonwerk Süd – Łódź Ωμέγα 東京 😀": umlaut and dash (in Windows-1252), Polish, Greek, Japanese and a
// character beyond the 16-bit plane.
const std::string Mixed = "Tonwerk S\xC3\xBC" "d \xE2\x80\x93 \xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 "
                          "\xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x98\x80";

std::string Bytes(const GS::UniString& text, GSCharCode code)
{
    const auto converted = text.ToCStr(code);
    return std::string(converted.Get(), converted.GetLength());
}

TEST(TextConversion, Utf8KeepsEveryCharacter)
{
    const GS::UniString text = QRV::FromUtf8(Mixed);
    EXPECT_EQ(QRV::ToUtf8(text), Mixed);
    EXPECT_EQ(Bytes(GS::UniString(Mixed.c_str(), CC_UTF8), CC_UTF8), Mixed);
    // Lengths count UTF-16 code units: the emoji takes two.
    EXPECT_EQ(QRV::FromUtf8("\xF0\x9F\x98\x80").GetLength(), 2u);
    EXPECT_EQ(QRV::FromUtf8("S\xC3\xBC" "d").GetLength(), 3u);
    const std::string utf16 = Bytes(text, CC_UTF16);
    EXPECT_EQ(utf16.size(), 2 * text.GetLength());
    EXPECT_EQ(GS::UniString(utf16.data(), static_cast<USize>(utf16.size()), CC_UTF16), text);
}

TEST(TextConversion, TheSystemCodePageLosesWhatItCannotHold)
{
    const GS::UniString text = QRV::FromUtf8(Mixed);
    const std::string narrow = Bytes(text, CC_Default);
    // ü and the en dash have bytes of their own; Ł, ź, the Greek, Japanese and the emoji become '?'.
    EXPECT_EQ(narrow, "Tonwerk S\xFC" "d \x96 ?\xF3" "d? ????? ?? ?");
    EXPECT_EQ(QRV::ToUtf8(GS::UniString(narrow.c_str())), "Tonwerk S\xC3\xBC" "d \xE2\x80\x93 ?\xC3\xB3" "d? ????? ?? ?");
    // A narrow text without a code page is taken in the system's: UTF-8 bytes come out garbled.
    EXPECT_NE(QRV::ToUtf8(GS::UniString(Mixed.c_str())), Mixed);
    EXPECT_EQ(QRV::ToUtf8(GS::UniString("S\xC3\xBC" "d")), "S\xC3\x83\xC2\xBC" "d");
}

TEST(TextConversion, BrokenUtf8BecomesReplacementCharacters)
{
    // A lone continuation byte, a cut sequence, an overlong form and a surrogate's bytes.
    const GS::UniString text = QRV::FromUtf8(std::string("a\x80" "b\xE2\x82" "c\xC0\xAF" "d\xED\xA0\x80", 12));
    EXPECT_EQ(QRV::ToUtf8(text), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD"
                                 "d\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    // A sequence cut by the end of the text; a lone surrogate unit written out.
    EXPECT_EQ(QRV::ToUtf8(QRV::FromUtf8("x\xF0\x9F\x98")), "x\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    const GS::UniChar::Layout lone[] = {0xD83D, 'z', 0};
    EXPECT_EQ(QRV::ToUtf8(GS::UniString(lone)), "\xEF\xBF\xBDz");
    // Zero bytes are characters of a counted text.
    EXPECT_EQ(QRV::FromUtf8(std::string("a\0b", 3)).GetLength(), 3u);
}

TEST(TextConversion, PrintfTakesTextsThroughT)
{
    const GS::UniString name = QRV::FromUtf8(Mixed);
    const GS::UniString message = GS::UniString::Printf("'%T' is a %s of %d", name.ToPrintf(), "kind", 3);
    EXPECT_EQ(QRV::ToUtf8(message), "'" + Mixed + "' is a kind of 3");
}

TEST(TextConversion, ComparingIgnoringCaseFoldsMoreThanAscii)
{
    const GS::UniString upper = QRV::FromUtf8("\xC3\x84PFEL \xC5\x81\xC3\x93" "D\xC5\xB9 \xCE\xA9");
    const GS::UniString lower = QRV::FromUtf8("\xC3\xA4pfel \xC5\x82\xC3\xB3" "d\xC5\xBA \xCF\x89");
    EXPECT_TRUE(upper.IsEqual(lower, GS::UniString::CaseInsensitive));
    EXPECT_FALSE(upper.IsEqual(lower));
    EXPECT_EQ(upper.Compare(lower, GS::UniString::CaseInsensitive), GS::UniString::Equal);
    EXPECT_EQ(GS::UniString("apple").Compare("Banana", GS::UniString::CaseInsensitive), GS::UniString::Less);
    EXPECT_EQ(GS::UniString("apple").Compare("Banana"), GS::UniString::Greater) << "'a' sorts after 'B'";
    EXPECT_EQ(QRV::ToUtf8(upper.ToLowerCase()), QRV::ToUtf8(lower));
}

TEST(TextConversion, EditingCountsCodeUnits)
{
    GS::UniString text = QRV::FromUtf8("  Ziegel \xC5\x81\xC3\xB3" "d\xC5\xBA  ");
    text.Trim();
    EXPECT_EQ(QRV::ToUtf8(text), "Ziegel \xC5\x81\xC3\xB3" "d\xC5\xBA");
    EXPECT_EQ(text.FindFirst(QRV::FromUtf8("\xC3\xB3")), 8u);
    EXPECT_EQ(text.FindFirst(GS::UniString("x")), MaxUIndex);
    EXPECT_EQ(QRV::ToUtf8(GS::UniString(text.GetSubstring(7, 4))), "\xC5\x81\xC3\xB3" "d\xC5\xBA");
    EXPECT_EQ(text.ReplaceAll(GS::UniString("e"), GS::UniString("ee")), 2u);
    EXPECT_EQ(QRV::ToUtf8(text), "Zieegeel \xC5\x81\xC3\xB3" "d\xC5\xBA");
    text.DeleteLast();
    EXPECT_TRUE(text.EndsWith(GS::UniChar('d')));
    const GS::UniString joined = GS::UniString("a") + QRV::FromUtf8("\xCE\xA9") + "b";
    EXPECT_EQ(QRV::ToUtf8(joined), "a\xCE\xA9" "b");
}

TEST(NativePath, KeepsTheNamesOfFiles)
{
    const GS::UniString name = QRV::FromUtf8("Ziegel \xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x9D\xB1\xE4\xBA\xAC.json");
    EXPECT_TRUE(QRV::FromNativePath(QRV::ToNativePath(name)) == name);

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "corvana-native-path-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = QRV::ToNativePath(QRV::FromNativePath(folder) + "/" + name);
    { std::ofstream(file) << "{}"; }
    bool found = false;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        found = found || QRV::FromNativePath(entry.path().filename()) == name;
    EXPECT_TRUE(found) << "the file is there under its name";
    std::filesystem::remove_all(folder);
}

}  // namespace
