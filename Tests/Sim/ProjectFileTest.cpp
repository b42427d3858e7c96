// The project file: exact round trips, refusal of every kind of malformed file with its file, place and
// problem (leaving the open project alone), and atomic saving.
#include "SimFixture.hpp"

#include "Model/ProjectFile.hpp"

#include <sys/stat.h>

#include <fstream>

namespace {

using Sim::Model::AttributeUserData;
using Sim::Model::BuildingMaterial;
using Sim::Model::Composite;
using SimTest::TempFolder;

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A project with every kind of value the attribute family holds.
Sim::Project RichProject()
{
    Sim::Project project;
    project.info.name = "Haus Müller";
    BuildingMaterial brick;
    brick.index = 1;
    brick.guid = APIGuidFromString("0A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3");
    brick.name = "Ziegel \"alt\" / neu ~1";
    brick.id = "id-1";
    brick.manufacturer = "Hersteller";
    brick.description = std::string("line one\nline two\ttab \x01 ctl ") + std::string(1, '\0') + " nul";
    brick.connPriority = -7;
    brick.cutFill = 12;
    brick.cutFillPen = -32768;
    brick.cutFillBackgroundPen = 32767;
    brick.cutMaterial = 2147483647;
    brick.cutFillOrientation = -2147483647 - 1;
    brick.thermalConductivity = 0.1 + 0.2;  // not representable in short form
    brick.density = 1e-300;
    brick.heatCapacity = 1.7976931348623157e308;
    brick.embodiedEnergy = -0.0;
    brick.embodiedCarbon = 123456789.125;
    brick.showUncutLines = true;
    brick.userData = AttributeUserData{0, 0x5757, std::string("[{\"name\":\"id\",\"value\":\"1\"}]") + '\0'};
    project.attributes.buildingMaterials.Insert(brick);

    BuildingMaterial wool;
    wool.index = 4;
    wool.guid = APIGuidFromString("1A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3");
    wool.name = "Wool";
    wool.userData = AttributeUserData{-3, 65535, std::string("\xFF\x00\x80 binary", 10)};
    project.attributes.buildingMaterials.Insert(wool);

    Composite wall;
    wall.index = 2;
    wall.guid = APIGuidFromString("2A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3");
    wall.name = "Wall";
    wall.usage = 5;
    wall.skins = {{1, 3, APICWallComp_Core, 0.1}, {4, -1, APICWallComp_Finish, 0.2}};
    wall.lines = {{1, 2, 0}, {3, 4, 5}, {0, 0, -1}};
    wall.totalThickness = Composite::SumOfSkins(wall.skins);
    wall.userData = AttributeUserData{0, 0x5757, ""};
    project.attributes.composites.Insert(wall);
    return project;
}

TEST(ProjectFile, RoundTripIsExact)
{
    const Sim::Project project = RichProject();
    const std::string text = Sim::ProjectFile::ToText(project);
    const Sim::Project loaded = Sim::ProjectFile::FromText(text);
    EXPECT_TRUE(loaded == project) << text;
    EXPECT_EQ(Sim::ProjectFile::ToText(loaded), text);

    TempFolder folder;
    Sim::ProjectFile::Save(project, folder / "p.json");
    EXPECT_EQ(ReadFile(folder / "p.json"), text);
    EXPECT_TRUE(Sim::ProjectFile::Load(folder / "p.json") == project);

    // Text user data stays readable; other bytes go as base64.
    auto document = Sim::Json::Value::parse(text);
    EXPECT_TRUE(document["attributes"]["buildingMaterials"][0]["userData"].contains("text"));
    EXPECT_TRUE(document["attributes"]["buildingMaterials"][1]["userData"].contains("base64"));
}

TEST(ProjectFile, AMinimalFileTakesDefaultsAndAnyOrder)
{
    Sim::Project project = Sim::ProjectFile::FromText(R"({"version": 1, "format": "corvana-sim-project",
        "attributes": {"composites": [{"index": 3, "guid": "3A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3", "name": "C",
                                       "skins": [{"buildingMaterial": 7, "thickness": 0.1},
                                                 {"buildingMaterial": 7, "thickness": 0.2}],
                                       "lines": [{}, {}, {}]}],
                       "buildingMaterials": [{"index": 7, "guid": "4A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3", "name": "M"}]}})");
    EXPECT_TRUE(project.info.name.empty());
    EXPECT_EQ(project.DisplayName(), "Untitled");
    const Composite* composite = project.attributes.composites.FindByIndex(3);
    ASSERT_NE(composite, nullptr);
    EXPECT_EQ(composite->totalThickness, 0.1 + 0.2);
    EXPECT_FALSE(project.attributes.buildingMaterials.FindByIndex(7)->showUncutLines);
}

TEST(ProjectFile, TheDocumentedExampleLoads)
{
    std::ifstream in(std::string(CORVANA_SOURCE_DIR) + "/docs/project-file.md");
    std::string doc((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    size_t start = doc.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    start += 8;
    size_t end = doc.find("```", start);
    Sim::Project project = Sim::ProjectFile::FromText(doc.substr(start, end - start));
    EXPECT_EQ(project.info.name, "House");
    EXPECT_EQ(project.attributes.buildingMaterials.Size(), 2u);
    ASSERT_EQ(project.attributes.composites.Size(), 1u);
    EXPECT_EQ(project.attributes.composites.All()[0].skins.size(), 2u);
}

struct Malformed {
    const char* what;
    std::string text;
    std::string place;
    std::string problem;
};

std::string Doc(const std::string& materials, const std::string& composites = "[]")
{
    return R"({"format": "corvana-sim-project", "version": 1, "attributes": {"buildingMaterials": )" + materials +
           R"(, "composites": )" + composites + "}}";
}
const std::string G1 = "\"guid\": \"5A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3\"";
const std::string G2 = "\"guid\": \"6A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3\"";
const std::string Brick = "{\"index\": 1, " + G1 + ", \"name\": \"Brick\"}";
const std::string Skin = R"({"buildingMaterial": 1, "thickness": 0.2})";
const std::string Lines2 = "[{}, {}]";

std::vector<Malformed> MalformedFiles()
{
    return {
        {"syntax", "{\"format\": \"corvana-sim-project\",\n  \"version\": 1,,\n}", "line 2, column 16", "syntax error"},
        {"empty file", "", "line 1, column 1", "unexpected end of input"},
        {"truncated", "{\"format\": \"corvana-sim-project\",\n\"version\": 1", "line 2, column 13", "unexpected end of input"},
        {"not UTF-8", "{\"format\": \"corvana-sim-\xFF\"}", "line 1, column 25", "UTF-8"},
        {"trailing text", "{\"format\": \"corvana-sim-project\", \"version\": 1} x", "line 1, column 49", "syntax error"},
        {"not an object", "[]", "(document)", "a project file is a JSON object"},
        {"no format", R"({"version": 1})", "(document)", "\"format\" is missing"},
        {"other format", R"({"format": "something", "version": 1})", "/format", "not a simulator project file"},
        {"format not a string", R"({"format": 1, "version": 1})", "/format", "expected a string"},
        {"no version", R"({"format": "corvana-sim-project"})", "(document)", "\"version\" is missing"},
        {"newer version", R"({"format": "corvana-sim-project", "version": 2})", "/version", "version 2 is not read"},
        {"version as text", R"({"format": "corvana-sim-project", "version": "1"})", "/version", "expected an integer"},
        {"repeated member", R"({"format": "corvana-sim-project", "version": 1, "version": 1})", "/version", "appears twice"},
        {"unknown section", R"({"format": "corvana-sim-project", "version": 1, "atributes": {}})", "/atributes",
         "unknown member \"atributes\""},
        {"unknown member deep", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"B\", \"densty\": 1}]"),
         "/attributes/buildingMaterials/0/densty", "unknown member"},
        {"repeated member deep", Doc("[" + Brick + ", {\"index\": 2, " + G2 + ", \"name\": \"A\", \"name\": \"B\"}]"),
         "/attributes/buildingMaterials/1/name", "appears twice"},
        {"section not an object", R"({"format": "corvana-sim-project", "version": 1, "projectInfo": []})",
         "/projectInfo", "expected an object"},
        {"project name not text", R"({"format": "corvana-sim-project", "version": 1, "projectInfo": {"name": null}})",
         "/projectInfo/name", "expected a string"},
        {"list not an array", Doc("{}"), "/attributes/buildingMaterials", "expected an array"},
        {"name not text", Doc("[{\"index\": 1, " + G1 + ", \"name\": 5}]"), "/attributes/buildingMaterials/0/name",
         "expected a string"},
        {"empty name", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"\"}]"), "/attributes/buildingMaterials/0/name",
         "must not be empty"},
        {"long name", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"" + std::string(256, 'n') + "\"}]"),
         "/attributes/buildingMaterials/0/name", "256 bytes"},
        {"NUL in name", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"a\\u0000b\"}]"),
         "/attributes/buildingMaterials/0/name", "NUL"},
        {"no index", Doc("[{" + G1 + ", \"name\": \"B\"}]"), "/attributes/buildingMaterials/0", "\"index\" is missing"},
        {"index 0", Doc("[{\"index\": 0, " + G1 + ", \"name\": \"B\"}]"), "/attributes/buildingMaterials/0/index",
         "out of range"},
        {"index fraction", Doc("[{\"index\": 1.5, " + G1 + ", \"name\": \"B\"}]"),
         "/attributes/buildingMaterials/0/index", "expected an integer"},
        {"index too large", Doc("[{\"index\": 4294967296, " + G1 + ", \"name\": \"B\"}]"),
         "/attributes/buildingMaterials/0/index", "out of range"},
        {"pen out of range", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"B\", \"cutFillPen\": 40000}]"),
         "/attributes/buildingMaterials/0/cutFillPen", "out of range"},
        {"negative fill", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"B\", \"cutFill\": -1}]"),
         "/attributes/buildingMaterials/0/cutFill", "out of range"},
        {"number as text", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"B\", \"density\": \"2\"}]"),
         "/attributes/buildingMaterials/0/density", "expected a number"},
        {"flag as number", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"B\", \"showUncutLines\": 1}]"),
         "/attributes/buildingMaterials/0/showUncutLines", "expected true or false"},
        {"index twice", Doc("[" + Brick + ", {\"index\": 1, " + G2 + ", \"name\": \"Other\"}]"),
         "/attributes/buildingMaterials/1/index", "used twice"},
        {"name twice", Doc("[" + Brick + ", {\"index\": 2, " + G2 + ", \"name\": \"Brick\"}]"),
         "/attributes/buildingMaterials/1/name", "used twice"},
        {"bad GUID", Doc("[{\"index\": 1, \"guid\": \"{5A1B2C3D-4E5F-4A6B-8C7D-8E9FA0B1C2D3}\", \"name\": \"B\"}]"),
         "/attributes/buildingMaterials/0/guid", "is not a GUID"},
        {"null GUID", Doc("[{\"index\": 1, \"guid\": \"00000000-0000-0000-0000-000000000000\", \"name\": \"B\"}]"),
         "/attributes/buildingMaterials/0/guid", "is not a GUID"},
        {"GUID twice across types",
         Doc("[" + Brick + "]", "[{\"index\": 1, " + G1 + ", \"name\": \"C\", \"skins\": [" + Skin + "], \"lines\": " +
                                    Lines2 + "}]"),
         "/attributes/composites/0/guid", "already used at /attributes/buildingMaterials/0/guid"},
        {"skin without material",
         Doc("[" + Brick + "]", "[{\"index\": 1, " + G2 +
                                    R"(, "name": "C", "skins": [{"buildingMaterial": 9, "thickness": 0.2}], "lines": )" +
                                    Lines2 + "}]"),
         "/attributes/composites/0/skins/0/buildingMaterial", "no building material has the index 9"},
        {"no skins", Doc("[" + Brick + "]", "[{\"index\": 1, " + G2 + ", \"name\": \"C\", \"skins\": [], \"lines\": [{}]}]"),
         "/attributes/composites/0/skins", "at least one skin"},
        {"lines do not fit",
         Doc("[" + Brick + "]", "[{\"index\": 1, " + G2 + ", \"name\": \"C\", \"skins\": [" + Skin + "], \"lines\": [{}]}]"),
         "/attributes/composites/0/lines", "has 2 lines, not 1"},
        {"negative skin",
         Doc("[" + Brick + "]", "[{\"index\": 1, " + G2 +
                                    R"(, "name": "C", "skins": [{"buildingMaterial": 1, "thickness": -0.2}], "lines": )" +
                                    Lines2 + "}]"),
         "/attributes/composites/0/skins/0/thickness", "thinner than 0"},
        {"total disagrees",
         Doc("[" + Brick + "]", "[{\"index\": 1, " + G2 + ", \"name\": \"C\", \"totalThickness\": 0.3, \"skins\": [" +
                                    Skin + "], \"lines\": " + Lines2 + "}]"),
         "/attributes/composites/0/totalThickness", "add up to 0.2"},
        {"huge number", Doc("[{\"index\": 1, " + G1 + ", \"name\": \"B\", \"density\": 1e999}]"), "",
         "number overflow parsing '1e999'"},
        {"user data text and base64",
         Doc("[{\"index\": 1, " + G1 +
             R"(, "name": "B", "userData": {"dataVersion": 0, "platformSign": 1, "text": "", "base64": ""}}])"),
         "/attributes/buildingMaterials/0/userData", "exactly one of"},
        {"user data bad base64",
         Doc("[{\"index\": 1, " + G1 + R"(, "name": "B", "userData": {"dataVersion": 0, "platformSign": 1, "base64": "QQ="}}])"),
         "/attributes/buildingMaterials/0/userData/base64", "not canonical base64"},
        {"platform sign out of range",
         Doc("[{\"index\": 1, " + G1 + R"(, "name": "B", "userData": {"dataVersion": 0, "platformSign": 65536, "text": ""}}])"),
         "/attributes/buildingMaterials/0/userData/platformSign", "out of range"},
    };
}

class ProjectFileRefusal : public QRVTest::HostFixture {};

TEST_F(ProjectFileRefusal, EveryMalformedFileIsRefusedByFilePlaceAndProblemAndTheOpenProjectStays)
{
    TempFolder folder;
    Sim::Project open = RichProject();
    host->GetProject() = open;
    for (const auto& malformed : MalformedFiles()) {
        SCOPED_TRACE(malformed.what);
        const std::string path = folder / "bad.json";
        WriteFile(path, malformed.text);
        std::string error;
        EXPECT_FALSE(Sim::OpenProjectFile(*host, path, &error));
        EXPECT_EQ(error.rfind(path + ": ", 0), 0u) << error;
        if (!malformed.place.empty()) {
            EXPECT_NE(error.find(": " + malformed.place + ": "), std::string::npos) << error;
        }
        EXPECT_NE(error.find(malformed.problem), std::string::npos) << error;
        EXPECT_EQ(error.find("[json.exception"), std::string::npos) << error;
        EXPECT_TRUE(host->GetProject() == open);
    }
    std::string error;
    EXPECT_FALSE(Sim::OpenProjectFile(*host, folder / "missing.json", &error));
    EXPECT_EQ(error, folder / "missing.json" + ": cannot be read: No such file or directory");
    EXPECT_TRUE(host->GetProject() == open);

    // A good file replaces the project whole.
    WriteFile(folder / "good.json", R"({"format": "corvana-sim-project", "version": 1, "projectInfo": {"name": "N"}})");
    ASSERT_TRUE(Sim::OpenProjectFile(*host, folder / "good.json", &error)) << error;
    EXPECT_EQ(host->GetProject().info.name, "N");
    EXPECT_TRUE(host->GetProject().attributes.buildingMaterials.Empty());
}

TEST(ProjectFile, SavingReplacesTheFileAtomicallyAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    const std::string path = folder / "project.json";
    Sim::Project project = RichProject();
    Sim::ProjectFile::Save(Sim::Project{}, path);
#if !defined(_WIN32)
    chmod(path.c_str(), 0640);
#endif
    Sim::ProjectFile::Save(project, path);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"project.json"});
    EXPECT_TRUE(Sim::ProjectFile::Load(path) == project);
#if !defined(_WIN32)
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "the saved file keeps the permissions it had";
#endif

    // A save that cannot replace its target fails by name and leaves the folder as it was.
    std::filesystem::create_directory(folder / "taken");
    try {
        Sim::ProjectFile::Save(project, folder / "taken");
        ADD_FAILURE() << "saving over a folder succeeded";
    } catch (const Sim::ProjectFileError& e) {
        EXPECT_EQ(e.File(), folder / "taken");
        EXPECT_NE(std::string(e.what()).find("cannot replace the file"), std::string::npos) << e.what();
    }
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"project.json", "taken"}));
    EXPECT_THROW(Sim::ProjectFile::Save(project, folder / "no/such/folder/p.json"), Sim::ProjectFileError);
    EXPECT_TRUE(Sim::ProjectFile::Load(path) == project);
}

}  // namespace
