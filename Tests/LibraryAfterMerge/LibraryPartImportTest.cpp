// Whole library part imports: they store the part's properties as module data, so they run against a
// host with module data functions.
#include "ACAPinc.h"
#include "Import/ImportManager.hpp"
#include "Library/LibraryFixture.hpp"
#include "ProjectWriter/StoredTexts.hpp"
#include "SimUtf8.hpp"

namespace LibraryTest {
namespace {

using Parameters = std::vector<Sim::Model::LibraryParameter>;

nlohmann::json Attributes(const std::string& colour, const std::string& width)
{
    return nlohmann::json::array({{{"name", "Colour"}, {"value", colour}}, {{"name", "Width"}, {"value", width}}});
}

std::vector<std::string> Names(const Parameters& parameters)
{
    std::vector<std::string> names;
    for (const auto& parameter : parameters)
        names.push_back(parameter.name);
    return names;
}

using PartImportTest = LibraryFixture;

TEST_F(PartImportTest, WithoutEmbeddedLibraryThePartGoesToDocumentsCorvanaWhichJoinsTheListOnce)
{
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("chair.gsm"), Attributes("Red", "60")))));
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Table", Serve("table.gsm"), Attributes("Oak", "90")))));

    EXPECT_TRUE(fs::is_regular_file(Documents() / "Corvana" / "Chair.gsm"));
    EXPECT_TRUE(fs::is_regular_file(Documents() / "Corvana" / "Table.gsm"));
    ASSERT_EQ(Libraries().list.size(), 1u);
    EXPECT_EQ(fs::path(Libraries().list[0].location), Documents() / "Corvana");
    ASSERT_EQ(Libraries().parts.size(), 2u);
    EXPECT_EQ(Libraries().parts[0].documentName, "Chair") << "the library names a part after its file";
    EXPECT_EQ(Libraries().parts[0].fileName, "Chair.gsm");
    EXPECT_FALSE(Libraries().parts[0].inEmbeddedLibrary);

    std::string stored;
    ASSERT_TRUE(QRV::ReadNamedProperties("Chair", stored));
    EXPECT_NE(stored.find("\"Red\""), std::string::npos);
}

TEST_F(PartImportTest, ImportingTheSamePartTwiceReplacesItsCorvanaParameters)
{
    Libraries().hasEmbeddedLibrary = true;
    host->QueueAlertAnswer("Continue");
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("chair.gsm"), Attributes("Red", "60")))));
    // A parameter of the part's own that happens to carry the prefix, but is no text: kept, and its name
    // is not given to an added parameter.
    Sim::Model::LibraryParameter own;
    own.name = "CV_2";
    own.type = 2;
    own.number = 0.5;
    Libraries().parts[0].parameters.insert(Libraries().parts[0].parameters.begin(), own);

    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("chair.gsm"), Attributes("Blue", "65")))));

    ASSERT_EQ(Libraries().parts.size(), 1u);
    EXPECT_TRUE(fs::is_regular_file(Embedded() / "Corvana" / "Chair.gsm"));
    EXPECT_TRUE(Libraries().list.empty());
    const Parameters& parameters = Libraries().parts[0].parameters;
    // name, id, updated_at, then the tab's two attributes.
    EXPECT_EQ(Names(parameters), (std::vector<std::string>{"CV_2", "A", "B", "ZZYZX", "CV_0", "CV_1", "CV_3", "CV_4",
                                                           "CV_5", "CV_6"}));
    EXPECT_EQ(parameters[4].type, 15);
    EXPECT_EQ(parameters[4].description, "Corvana");
    EXPECT_EQ(parameters[5].type, 12);
    EXPECT_EQ(parameters[5].description, "name");
    EXPECT_EQ(parameters[5].text, "Chair");
    EXPECT_EQ(parameters[8].description, "Colour");
    EXPECT_EQ(parameters[8].text, "Blue");
    EXPECT_EQ(parameters[9].text, "65");
    EXPECT_EQ(Libraries().parts[0].details.frameThickness, "gs_frame_thk");
    EXPECT_EQ(Libraries().parts[0].details.lowerOversize, "ac_lower_oversize");
}

TEST_F(PartImportTest, RejectedReplacementImportsNothing)
{
    Libraries().hasEmbeddedLibrary = true;
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("chair.gsm"), Attributes("Red", "60")))));
    host->QueueAlertAnswer("Reject");
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("chair.gsm"), Attributes("Blue", "65")))));
    EXPECT_EQ(Libraries().parts[0].parameters[7].text, "Red");  // CV_4, the colour
}

TEST_F(PartImportTest, APartFoundInTheLibraryUnderTheProductsNameIsReplacedOnlyWhenTheUserSaysSo)
{
    Libraries().hasEmbeddedLibrary = true;
    ASSERT_TRUE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("chair.gsm"), Attributes("Red", "60")))));
    // Without the stored properties, only the library's own record of the part tells that it exists.
    ASSERT_EQ(host->GetProject().moduleData.erase("CV_Chair"), 1u);
    host->QueueAlertAnswer("Reject");
    EXPECT_FALSE(QRV::ImportManager::Import(Sim::Uni(ProductPayload("Chair", Serve("chair.gsm"), Attributes("Blue", "65")))));
    EXPECT_EQ(Libraries().parts[0].parameters[7].text, "Red");  // CV_4, the colour
}

}  // namespace
}  // namespace LibraryTest
