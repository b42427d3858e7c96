// The byte-level helpers behind user data in the project file.
#include "Model/Text.hpp"

#include <gtest/gtest.h>

namespace {

TEST(Text, Base64RoundTripsEveryByteAndTakesOnlyTheCanonicalForm)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    for (size_t length : {0u, 1u, 2u, 3u, 4u, 255u, 256u}) {
        std::string bytes = all.substr(0, length);
        auto back = Sim::Text::FromBase64(Sim::Text::ToBase64(bytes));
        ASSERT_TRUE(back.has_value()) << length;
        EXPECT_EQ(*back, bytes);
    }
    EXPECT_EQ(Sim::Text::ToBase64("Man"), "TWFu");
    EXPECT_EQ(Sim::Text::ToBase64("Ma"), "TWE=");
    for (const char* bad : {"TWE", "TW==x", "TQ=A", "TR==", "T@==", "TW E=", "=TWE"})
        EXPECT_FALSE(Sim::Text::FromBase64(bad).has_value()) << bad;
}

TEST(Text, Utf8CheckRefusesMalformedSequences)
{
    for (const char* good : {"", "plain", "Gr\xC3\xBC\xC3\x9F" "e", "\xE2\x82\xAC", "\xF0\x9F\x98\x80"})
        EXPECT_TRUE(Sim::Text::IsValidUtf8(good)) << good;
    EXPECT_TRUE(Sim::Text::IsValidUtf8(std::string("a\0b", 3)));
    for (const char* bad : {"\xFF", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80"})
        EXPECT_FALSE(Sim::Text::IsValidUtf8(bad)) << bad;
}

}  // namespace
