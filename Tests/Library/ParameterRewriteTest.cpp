// The add-on's own parameters of a registered part, rewritten twice: one set, the part's own kept.
#include "ClassLibs/LiveHandles.hpp"
#include "LibraryFixture.hpp"
#include "ProjectWriter/LibraryParameters.hpp"

#include <cstring>

namespace LibraryTest {
namespace {

using ParameterRewriteTest = LibraryFixture;

QRV::CorvanaProperties Properties(const std::string& colour)
{
    QRV::CorvanaProperties properties;
    properties.Append(nlohmann::json{{"group", "Corvana"}, {"name", "name"}, {"unit", ""}, {"type", "string"}, {"value", "Chair"}});
    properties.Append(nlohmann::json{{"group", "General"}, {"name", "Colour"}, {"unit", ""}, {"type", "string"}, {"value", colour}});
    return properties;
}

TEST_F(ParameterRewriteTest, SecondRewriteReplacesTheSetAndKeepsThePartsOwnParameters)
{
    Libraries().hasEmbeddedLibrary = true;
    GS::Array<API_LibraryInfo> list;
    ASSERT_EQ(ACAPI_LibraryManagement_GetLibraries(&list, nullptr), NoError);
    WriteText(Embedded() / "Chair.gsm", "x");
    API_LibPart part;
    std::memset(&part, 0, sizeof part);
    IO::Location file(GS::UniString((Embedded() / "Chair.gsm").string()));
    part.location = &file;
    ASSERT_EQ(ACAPI_LibraryPart_Register(&part), NoError);
    Sim::Model::LibraryParameter own;
    own.name = "CV_1";
    own.type = 2;  // a length: not the add-on's, though it has the prefix
    Libraries().parts[0].parameters.push_back(own);

    ASSERT_EQ(QRV::RewriteCorvanaParameters(part, Properties("Red")), NoError);
    ASSERT_EQ(QRV::RewriteCorvanaParameters(part, Properties("Blue")), NoError);

    const auto& parameters = Libraries().parts[0].parameters;
    std::vector<std::string> names;
    for (const auto& parameter : parameters)
        names.push_back(parameter.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "ZZYZX", "CV_1", "CV_0", "CV_2", "CV_3"}));
    EXPECT_EQ(parameters[4].type, APIParT_Title);
    EXPECT_EQ(parameters[4].description, "Corvana");
    EXPECT_EQ(parameters[6].type, APIParT_CString);
    EXPECT_EQ(parameters[6].description, "Colour");
    EXPECT_EQ(parameters[6].text, "Blue");
    EXPECT_EQ(Libraries().parts[0].details.frameThickness, "gs_frame_thk");
    EXPECT_EQ(Libraries().parts[0].details.upperOversize, "ac_upper_oversize");
    EXPECT_EQ(Sim::LiveHandleCount(), 0);
}

TEST_F(ParameterRewriteTest, RefusedSectionIsAFailure)
{
    API_LibPart unknown;
    std::memset(&unknown, 0, sizeof unknown);
    unknown.index = 7;
    EXPECT_EQ(QRV::RewriteCorvanaParameters(unknown, Properties("Red")), APIERR_BADINDEX);
}

}  // namespace
}  // namespace LibraryTest
