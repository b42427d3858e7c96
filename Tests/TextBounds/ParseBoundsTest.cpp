// Page texts inside the size and nesting limits are parsed in time and memory proportional to their size.
// Texts made of many tiny values cost the most per byte; they are built here at the size limit and parsed
// while every allocation of the program is counted.
#include "Parsing/PayloadReading.hpp"
#include "Parsing/TextLimits.hpp"
#include "Support/Sanitized.hpp"

#include <gtest/gtest.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

std::size_t BlockSize(void* block)
{
#if defined(_WIN32)
    return _msize(block);
#else
    return malloc_usable_size(block);
#endif
}

void Counted(void* block)
{
    const std::size_t now = liveBytes.fetch_add(BlockSize(block)) + BlockSize(block);
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
}

void* Allocate(std::size_t size)
{
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    Counted(block);
    return block;
}

void Release(void* block) noexcept
{
    if (block == nullptr)
        return;
    liveBytes.fetch_sub(BlockSize(block));
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

namespace {

using QRV::Payload::MaxTextBytes;

// The ceilings stated for a text at the size limit (the costliest shape, empty objects, needs 32 bytes per
// byte of text); the time is generous for a shared, loaded machine: the linear growth is tested apart.
constexpr std::size_t MemoryCeilingBytes = 40 * MaxTextBytes;  // 640 MiB
constexpr double TimeCeilingSeconds = 20.0;

// `[` + copies of `piece` separated by commas + `last` + `]`, as long as the size limit allows.
std::string FilledToTheLimit(const std::string& piece, const std::string& last)
{
    std::string text = "[";
    const std::size_t room = MaxTextBytes - last.size() - 1;
    while (text.size() + piece.size() + 1 <= room) {
        text += piece;
        text += ',';
    }
    text += last;
    text += ']';
    return text;
}

struct Measured {
    std::size_t peakBytes;
    double seconds;
    bool parsed;
};

Measured ParseCounted(const std::string& text)
{
    const std::size_t before = liveBytes.load();
    peakBytes.store(before);
    const auto start = std::chrono::steady_clock::now();
    bool parsed = false;
    {
        const QRV::Json document = QRV::Payload::Parse(text);
        parsed = document.is_array() && !document.empty();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return {peakBytes.load() - before, seconds, parsed};
}

TEST(PageTextParsing, TinyValuesAtTheSizeLimitStayWithinTheTimeAndMemoryCeilings)
{
    if (QRVTest::Sanitized)
        GTEST_SKIP() << QRVTest::MeasuredInTheNormalBuild;
    // Empty objects were the slow case (each closing brace rescanned its parent); empty arrays and strings
    // are the ones that cost most memory per byte of text.
    for (const char* piece : {"{}", "[]", "\"\"", "0", "{\"\":[]}", "[[]]", "[{}]", "{\"\":0}"}) {
        const std::string text = FilledToTheLimit(piece, piece);
        ASSERT_LE(text.size(), MaxTextBytes);
        ASSERT_GT(text.size(), MaxTextBytes - 16);
        ASSERT_FALSE(QRV::Payload::LimitBreach(text)) << piece;
        const Measured measured = ParseCounted(text);
        EXPECT_TRUE(measured.parsed) << piece;
        EXPECT_LT(measured.seconds, TimeCeilingSeconds) << piece;
        EXPECT_LE(measured.peakBytes, MemoryCeilingBytes) << piece << ": " << measured.peakBytes << " bytes";
        std::printf("%-8s %6.2f s  %5zu MiB\n", piece, measured.seconds, measured.peakBytes >> 20);
    }
}

TEST(PageTextParsing, TimeGrowsInProportionToTheNumberOfValues)
{
    auto secondsFor = [](std::size_t count) {
        std::string text = "[";
        for (std::size_t i = 0; i < count; ++i)
            text += "{},";
        text += "{}]";
        return ParseCounted(text).seconds;
    };
    // The best of three runs each, so that a busy machine does not decide the ratio.
    auto best = [&](std::size_t count) {
        return std::min({secondsFor(count), secondsFor(count), secondsFor(count)});
    };
    const double small = std::max(best(200000), 1e-3);
    const double large = best(1600000);
    // Eight times the values: linear takes about eight times as long, quadratic sixty-four.
    EXPECT_LT(large / small, 24.0) << small << " s, then " << large << " s";
}

TEST(PageTextParsing, TheNestingLimitStillHoldsWithoutTheParserCallback)
{
    testing::internal::CaptureStdout();
    const std::string inside = std::string(512, '[') + std::string(512, ']');
    const std::string past = std::string(513, '[') + std::string(513, ']');
    EXPECT_TRUE(QRV::Payload::Parse(inside).is_array());
    EXPECT_EQ(QRV::Payload::Parse(past), QRV::Json(""));
    // Brackets inside strings do not count.
    EXPECT_TRUE(QRV::Payload::Parse("[\"" + std::string(5000, '[') + "\"]").is_array());
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("document nested deeper than 512 levels"), std::string::npos) << out;
}

}  // namespace
