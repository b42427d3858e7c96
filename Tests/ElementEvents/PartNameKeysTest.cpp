// Placed objects are matched to the catalogue properties stored for their library part by the part's
// document name without its ".gsm", in any letter case, as the import stores them ("CV_" + that name).
#include "ElementActions.hpp"
#include "Model/ProjectFile.hpp"
#include "Support/ModuleFixture.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using Json = Sim::Json::Value;

std::string Entry(const char* id)
{
    return std::string(R"({"dataVersion": 1, "platformSign": 22359, "text": "[{\"group\":\"Corvana\",\"name\":\"id\",)") +
           R"(\"unit\":\"\",\"type\":\"\",\"value\":\")" + id + R"(\"}]"})";
}

class PartNameKeys : public QRVTest::ModuleFixture {
protected:
    void SetUp() override
    {
        QRVTest::ModuleFixture::SetUp();
        host->GetProject() = Sim::ProjectFile::FromText(std::string(R"({"format": "corvana-sim-project", "version": 1,
  "libraries": {"parts": [
    {"documentName": "Chair.GSM", "uniqueId": "1", "location": "/parts/Chair.GSM"},
    {"documentName": "Table.gsm", "uniqueId": "2", "location": "/parts/Table.gsm"},
    {"documentName": ".gsm", "uniqueId": "3", "location": "/parts/.gsm"}
  ]},
  "moduleData": {"CV_Chair": )") + Entry("chair-1") + R"(, "CV_Table.gsm": )" + Entry("wrong") +
                                                                       R"(, "CV_Table": )" + Entry("table-1") +
                                                                       R"(, "CV_.gsm": )" + Entry("bare-1") + "}}");
    }

    std::set<std::string> StampedValues(int part)
    {
        API_Guid placed{};
        std::string problem;
        EXPECT_TRUE(Sim::ElementActions(*host).Place(
            Json::parse(R"({"type": "object", "libraryPart": {"index": )" + std::to_string(part) +
                        R"(, "unId": ")" + std::to_string(part) + R"("}, "length": 0.5, "width": 0.5, "height": 0.9})"),
            &placed, &problem))
            << problem;
        std::set<std::string> values;
        for (const auto& [definition, value] : host->GetProject().elements.Find(placed)->attached.propertyValues)
            values.insert(value.value);
        return values;
    }
};

TEST_F(PartNameKeys, APlacedObjectIsKeyedByItsPartsNameWithoutTheExtension)
{
    EXPECT_EQ(StampedValues(1), std::set<std::string>{"chair-1"}) << "\".GSM\" goes in any letter case";
    EXPECT_EQ(StampedValues(2), std::set<std::string>{"table-1"}) << "never the entry with the extension";
    EXPECT_EQ(StampedValues(3), std::set<std::string>{"bare-1"}) << "a name that is only the extension stays whole";
}

}  // namespace
