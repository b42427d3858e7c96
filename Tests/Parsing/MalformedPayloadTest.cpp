// Every malformed document of the corpus is refused with an exception by the operation it is meant for,
// never accepted and never a crash. The file name says which operation reads it:
//   any-*         every item reading (material, system, library, library part)
//   material-*    an article          system-*      a construction system
//   library-*     a container product librarypart-* a single-part product
//   product-*     the file address that picks the importer
//   importtype-*  the import type of a whole document
#include "ParsingFixtures.hpp"

#include <dirent.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace {

using QRV::Json;

std::vector<std::string> MalformedFixtures()
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(QRVTest::ParsingFixturePath("malformed").c_str()), closedir);
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir.get())) {
        std::string name = entry->d_name;
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ".json") == 0)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Reading = std::function<void(const Json& document)>;

std::map<std::string, std::vector<Reading>> ReadingsByPrefix(QRV::Parser& parser)
{
    Reading material = [&](const Json& document) { parser.ParseMaterial(document); };
    Reading system = [&](const Json& document) { parser.ParseComplexMaterial(document); };
    Reading library = [&](const Json& document) { parser.ParseLibrary(document); };
    Reading libraryPart = [&](const Json& document) { parser.ParseLibraryPart(document); };
    return {
        {"any", {material, system, library, libraryPart}},
        {"material", {material}},
        {"system", {system}},
        {"library", {library}},
        {"librarypart", {libraryPart}},
        {"product", {[](const Json& document) { QRV::Payload::ProductFileKindOf(document); }}},
        {"importtype", {[](const Json& document) { QRV::Payload::ImportType(document); }}},
    };
}

// What one reading did with a document: "raised: <message>", or "accepted".
std::string Outcome(const Reading& reading, const Json& document)
{
    try {
        reading(document);
    } catch (const std::exception& error) {
        return std::string("raised: ") + error.what();
    }
    return "accepted";
}

TEST(MalformedPayloads, EveryDocumentOfTheCorpusIsRefused)
{
    std::unique_ptr<QRV::Parser> parser = QRV::ParserManager().GetParser(0, 0);
    ASSERT_TRUE(parser);
    const auto readings = ReadingsByPrefix(*parser);
    const std::vector<std::string> fixtures = MalformedFixtures();
    ASSERT_GE(fixtures.size(), 60u) << "the malformed corpus went missing";

    for (const std::string& name : fixtures) {
        SCOPED_TRACE(name);
        auto found = readings.find(name.substr(0, name.find('-')));
        ASSERT_NE(found, readings.end()) << "fixture name names no reading";
        testing::internal::CaptureStdout();  // parse failures report on standard output
        Json document = QRV::Payload::Parse(QRVTest::ReadFixtureText("malformed/" + name));
        testing::internal::GetCapturedStdout();
        for (const Reading& reading : found->second)
            EXPECT_EQ(Outcome(reading, document).rfind("raised: ", 0), 0u) << Outcome(reading, document);
    }
}

TEST(MalformedPayloads, RefusalsNameTheProblem)
{
    auto parser = QRV::ParserManager().GetParser(0, 0);
    auto outcome = [&](const std::string& name, const Reading& reading) {
        testing::internal::CaptureStdout();
        Json document = QRV::Payload::Parse(QRVTest::ReadFixtureText("malformed/" + name));
        testing::internal::GetCapturedStdout();
        return Outcome(reading, document);
    };
    Reading material = [&](const Json& document) { parser->ParseMaterial(document); };
    Reading system = [&](const Json& document) { parser->ParseComplexMaterial(document); };
    Reading product = [](const Json& document) { QRV::Payload::ProductFileKindOf(document); };

    EXPECT_EQ(outcome("material-missing-updated-at.json", material),
              "raised: [json.exception.out_of_range.403] key 'updated_at' not found");
    EXPECT_EQ(outcome("material-boolean-id.json", material),
              "raised: [json.exception.type_error.302] type must be string, but is boolean");
    EXPECT_EQ(outcome("material-system-id-without-digits.json", material), "raised: invalid stoi argument");
    EXPECT_EQ(outcome("material-system-id-out-of-range.json", material), "raised: stoi argument out of range");
    EXPECT_EQ(outcome("system-more-layers-than-materials.json", system),
              "raised: construction system has 3 layers but 1 skin materials");
    EXPECT_EQ(outcome("product-file-url-two-characters.json", product),
              "raised: file_url \"cf\" is too short to name a file");
    EXPECT_EQ(outcome("any-not-json.json", material), "raised: [json.exception.type_error.304] cannot use at() with string");
}

}  // namespace
