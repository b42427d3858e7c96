// Fixture files of the parsing tests and a helper to turn the item of a page document into its item class.
#pragma once

#include "Parsing/CorvanaJsonParser.hpp"
#include "Parsing/ParserManager.hpp"
#include "Parsing/PayloadReading.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace QRVTest {

inline std::string ParsingFixturePath(const std::string& relative)
{
    return std::string(CORVANA_TEST_DIR) + "/Parsing/fixtures/" + relative;
}

inline std::string ReadFixtureText(const std::string& relative)
{
    std::ifstream file(ParsingFixturePath(relative), std::ios::binary);
    if (!file)
        throw std::runtime_error("missing fixture " + relative);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// The "data" object of a valid sample.
inline QRV::Json ReadFixtureData(const std::string& relative)
{
    return QRV::Payload::Parse(ReadFixtureText("valid/" + relative)).at("data");
}

template <typename Item>
std::unique_ptr<Item> As(std::unique_ptr<QRV::BaseItem> item)
{
    auto* typed = dynamic_cast<Item*>(item.get());
    if (typed == nullptr)
        return nullptr;
    item.release();
    return std::unique_ptr<Item>(typed);
}

}  // namespace QRVTest
