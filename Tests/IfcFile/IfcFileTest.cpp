// The simulated host's IFC export: the exchange-file text forms, IFC's compressed GUIDs, the model written
// as IFC4, and the host functions that list translators, tell the project's name and save.
#include "Sim/SimFixture.hpp"
#include "Support/ChildProcess.hpp"

#include "ACAPinc.h"
#include "Ifc/IfcGuid.hpp"
#include "Ifc/IfcModelExport.hpp"
#include "Ifc/StepText.hpp"
#include "Model/ProjectFile.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

TEST(StepText, StringsAreEscapedAsTheExchangeFormatWantsThem)
{
    using Sim::Ifc::StepString;
    EXPECT_EQ(StepString("Wall"), "'Wall'");
    EXPECT_EQ(StepString("O'Brien's"), "'O''Brien''s'");
    EXPECT_EQ(StepString("a\\b"), "'a\\\\b'");
    EXPECT_EQ(StepString(""), "''");
    // Runs of wide characters share one bracket; ASCII between them closes it.
    EXPECT_EQ(StepString("Holzfaserd\xC3\xA4mmplatte"), "'Holzfaserd\\X2\\00E4\\X0\\mmplatte'");
    EXPECT_EQ(StepString("\xC3\xA4\xC3\xB6x"), "'\\X2\\00E400F6\\X0\\x'");
    EXPECT_EQ(StepString("\xE2\x82\xAC"), "'\\X2\\20AC\\X0\\'");
    EXPECT_EQ(StepString("\xF0\x9F\x8F\xA0"), "'\\X4\\0001F3E0\\X0\\'");
    EXPECT_EQ(StepString("line\nbreak"), "'line\\X2\\000A\\X0\\break'");
    // Bytes that are no UTF-8 (a lone continuation, a cut sequence, an overlong form) become U+FFFD.
    EXPECT_EQ(StepString("a\x80z"), "'a\\X2\\FFFD\\X0\\z'");
    EXPECT_EQ(StepString("a\xC3"), "'a\\X2\\FFFD\\X0\\'");
    EXPECT_EQ(StepString("\xC0\xAF"), "'\\X2\\FFFDFFFD\\X0\\'");
}

TEST(StepText, RealsAlwaysCarryADecimalPointAndReadBackExactly)
{
    using Sim::Ifc::StepReal;
    EXPECT_EQ(StepReal(8), "8.");
    EXPECT_EQ(StepReal(0), "0.");
    EXPECT_EQ(StepReal(-2.5), "-2.5");
    EXPECT_EQ(StepReal(0.015), "0.015");
    EXPECT_EQ(StepReal(1e-5), "1.E-05");
    EXPECT_EQ(StepReal(0.1 + 0.2), "0.30000000000000004");
    EXPECT_EQ(StepReal(1e20), "1.E+20");
}

TEST(IfcGuid, CompressesTheBitsInTextOrder)
{
    using Sim::Ifc::CompressedGuid;
    const auto guid = [](const char* text) { return APIGuidFromString(text); };
    EXPECT_EQ(CompressedGuid(guid("00000000-0000-0000-0000-000000000001")), "0000000000000000000001");
    EXPECT_EQ(CompressedGuid(guid("FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF")), "3$$$$$$$$$$$$$$$$$$$$$");
    EXPECT_EQ(CompressedGuid(guid("80000000-0000-0000-0000-000000000000")), "2000000000000000000000");
    // 0x40 in the last byte is bit 6: the last character holds six bits, so it carries into the one before.
    EXPECT_EQ(CompressedGuid(guid("00000000-0000-0000-0000-000000000040")), "0000000000000000000010");
    EXPECT_EQ(CompressedGuid(guid("6D3A9C10-0000-4000-8000-000000000001")).size(), 22u);

    const std::string derived = Sim::Ifc::DerivedCompressedGuid("project House", "IFCSITE");
    EXPECT_EQ(derived, Sim::Ifc::DerivedCompressedGuid("project House", "IFCSITE"));
    EXPECT_NE(derived, Sim::Ifc::DerivedCompressedGuid("project House", "IFCBUILDING"));
    EXPECT_NE(derived, Sim::Ifc::DerivedCompressedGuid("project Barn", "IFCSITE"));
    EXPECT_TRUE(std::regex_match(derived, std::regex("[0-3][0-9A-Za-z_$]{21}")));
}

// A small project with one element of each kind, a composite and a basic structure, and values of the
// add-on's property group (one on a definition that is not available for the element).
// The values sit on the first element (AttachProperties): the project file does not hold element values.
const char* const ProjectText = R"({
  "format": "corvana-sim-project", "version": 1,
  "projectInfo": {"name": "Villa 'Ä'"},
  "classificationSystems": [{"guid": "10000000-0000-4000-8000-000000000001", "name": "Corvana",
     "items": [{"guid": "10000000-0000-4000-8000-000000000002", "id": "A"}]}],
  "properties": {
    "groups": [{"guid": "20000000-0000-4000-8000-000000000001", "name": "Corvana"},
               {"guid": "20000000-0000-4000-8000-000000000002", "name": "Other"}],
    "definitions": [
      {"guid": "20000000-0000-4000-8000-000000000011", "group": "20000000-0000-4000-8000-000000000001",
       "name": "manufacturer", "availability": ["10000000-0000-4000-8000-000000000002"]},
      {"guid": "20000000-0000-4000-8000-000000000012", "group": "20000000-0000-4000-8000-000000000001",
       "name": "u-value", "defaultValue": "0.2", "availability": ["10000000-0000-4000-8000-000000000002"]},
      {"guid": "20000000-0000-4000-8000-000000000013", "group": "20000000-0000-4000-8000-000000000001",
       "name": "hidden", "availability": []},
      {"guid": "20000000-0000-4000-8000-000000000014", "group": "20000000-0000-4000-8000-000000000002",
       "name": "elsewhere", "availability": ["10000000-0000-4000-8000-000000000002"]}]},
  "attributes": {
    "buildingMaterials": [{"index": 1, "guid": "30000000-0000-4000-8000-000000000001", "name": "Brick"},
                          {"index": 2, "guid": "30000000-0000-4000-8000-000000000002", "name": "Wool"}],
    "composites": [{"index": 1, "guid": "30000000-0000-4000-8000-000000000011", "name": "Brick wall BW-1",
                    "usage": 1,
                    "skins": [{"buildingMaterial": 1, "thickness": 0.24}, {"buildingMaterial": 2, "thickness": 0.1}],
                    "lines": [{}, {}, {}]}]},
  "elements": [
    {"guid": "40000000-0000-4000-8000-000000000001", "type": "wall", "structure": "composite", "composite": 1,
     "length": 5, "height": 3, "ifc": [{"name": "Name", "value": "Outer wall"}]},
    {"guid": "40000000-0000-4000-8000-000000000002", "type": "wall", "structure": "basic", "buildingMaterial": 1,
     "length": 2, "height": 3, "thickness": 0.1},
    {"guid": "40000000-0000-4000-8000-000000000003", "type": "slab", "structure": "basic", "buildingMaterial": 2,
     "length": 4, "width": 4, "thickness": 0.2},
    {"guid": "40000000-0000-4000-8000-000000000004", "type": "roof", "structure": "basic", "buildingMaterial": 2,
     "length": 4, "width": 4, "thickness": 0.2},
    {"guid": "40000000-0000-4000-8000-000000000005", "type": "column", "buildingMaterial": 1,
     "length": 0.3, "width": 0.3, "height": 3},
    {"guid": "40000000-0000-4000-8000-000000000006", "type": "beam", "length": 4, "width": 0.2, "height": 0.4},
    {"guid": "40000000-0000-4000-8000-000000000007", "type": "window", "width": 1.2, "height": 1.4, "thickness": 0.3},
    {"guid": "40000000-0000-4000-8000-000000000008", "type": "door", "width": 0.9, "height": 2.1, "thickness": 0.3},
    {"guid": "40000000-0000-4000-8000-000000000009", "type": "curtainWall", "length": 4, "height": 3},
    {"guid": "40000000-0000-4000-8000-00000000000A", "type": "object", "ownerType": "curtainWallFrame",
     "owner": "40000000-0000-4000-8000-000000000009", "length": 0.05, "width": 0.1, "height": 3},
    {"guid": "40000000-0000-4000-8000-00000000000B", "type": "stair", "length": 3, "width": 1, "height": 2.8},
    {"guid": "40000000-0000-4000-8000-00000000000C", "type": "object", "length": 1, "width": 1, "height": 1}]
})";

API_Guid G(const char* text) { return APIGuidFromString(text); }

Sim::Project ExampleProject()
{
    Sim::Project project = Sim::ProjectFile::FromText(ProjectText);
    auto& attached = project.elements.Find(G("40000000-0000-4000-8000-000000000001"))->attached;
    attached.classification[G("10000000-0000-4000-8000-000000000001")] = G("10000000-0000-4000-8000-000000000002");
    attached.propertyValues[G("20000000-0000-4000-8000-000000000011")].value = "Ziegel & Co's";
    attached.propertyValues[G("20000000-0000-4000-8000-000000000013")].value = "kept hidden";
    attached.propertyValues[G("20000000-0000-4000-8000-000000000014")].value = "not ours";
    return project;
}

// The DATA section as instances by number: entity name and attribute text.
struct Instance {
    std::string entity;
    std::string attributes;
};

std::map<int, Instance> Instances(const std::string& text)
{
    std::map<int, Instance> instances;
    std::istringstream lines(text);
    std::string line;
    const std::regex form(R"(#(\d+)=([A-Z0-9]+)\((.*)\);)");
    std::smatch match;
    while (std::getline(lines, line))
        if (std::regex_match(line, match, form))
            instances[std::stoi(match[1])] = Instance{match[2], match[3]};
    return instances;
}

std::vector<const Instance*> OfEntity(const std::map<int, Instance>& instances, const std::string& entity)
{
    std::vector<const Instance*> found;
    for (const auto& [id, instance] : instances)
        if (instance.entity == entity)
            found.push_back(&instance);
    return found;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class IfcModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        project = ExampleProject();
        settings.translator = "IFC4 Design Transfer View";
        settings.fileName = "Villa.ifc";
        settings.time = 1'700'000'000;
        text = Sim::Ifc::ExportIfcText(project, settings);
        instances = Instances(text);
    }
    int IdOfElement(const char* guidText) const
    {
        const std::string guid = "'" + Sim::Ifc::CompressedGuid(APIGuidFromString(guidText)) + "'";
        for (const auto& [id, instance] : instances)
            if (instance.attributes.rfind(guid + ",", 0) == 0)
                return id;
        return 0;
    }

    Sim::Project project;
    Sim::Ifc::IfcExportSettings settings;
    std::string text;
    std::map<int, Instance> instances;
};

TEST_F(IfcModel, HeaderNamesTheSchemaViewAndFile)
{
    EXPECT_EQ(text.rfind("ISO-10303-21;\nHEADER;\n", 0), 0u);
    EXPECT_NE(text.find("FILE_DESCRIPTION(('ViewDefinition [DesignTransferView]','Translator: IFC4 Design Transfer View'),'2;1');"),
              std::string::npos);
    EXPECT_NE(text.find("FILE_NAME('Villa.ifc','2023-11-14T22:13:20',"), std::string::npos);
    EXPECT_NE(text.find("\nFILE_SCHEMA(('IFC4'));\nENDSEC;\nDATA;\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 26), "ENDSEC;\nEND-ISO-10303-21;\n");
    // Every line of the data section is one instance.
    const size_t data = text.find("DATA;\n") + 6;
    const size_t end = text.rfind("ENDSEC;");
    EXPECT_EQ(static_cast<size_t>(std::count(text.begin() + data, text.begin() + end, '\n')), instances.size());
    // The same project exports to the same text.
    EXPECT_EQ(Sim::Ifc::ExportIfcText(project, settings), text);
}

TEST_F(IfcModel, SpatialStructureHoldsEveryElementOnce)
{
    ASSERT_EQ(OfEntity(instances, "IFCPROJECT").size(), 1u);
    EXPECT_NE(OfEntity(instances, "IFCPROJECT")[0]->attributes.find(",$,'Villa ''\\X2\\00C4\\X0\\''',"), std::string::npos);
    for (const char* spatial : {"IFCSITE", "IFCBUILDING", "IFCBUILDINGSTOREY", "IFCUNITASSIGNMENT",
                                "IFCGEOMETRICREPRESENTATIONCONTEXT", "IFCRELCONTAINEDINSPATIALSTRUCTURE"})
        EXPECT_EQ(OfEntity(instances, spatial).size(), 1u) << spatial;
    EXPECT_EQ(OfEntity(instances, "IFCRELAGGREGATES").size(), 4u);  // project, site, building, curtain wall
    EXPECT_EQ(OfEntity(instances, "IFCSIUNIT").size(), 4u);

    const std::map<std::string, std::string> kinds = {
        {"40000000-0000-4000-8000-000000000001", "IFCWALL"}, {"40000000-0000-4000-8000-000000000002", "IFCWALL"},
        {"40000000-0000-4000-8000-000000000003", "IFCSLAB"}, {"40000000-0000-4000-8000-000000000004", "IFCROOF"},
        {"40000000-0000-4000-8000-000000000005", "IFCCOLUMN"}, {"40000000-0000-4000-8000-000000000006", "IFCBEAM"},
        {"40000000-0000-4000-8000-000000000007", "IFCWINDOW"}, {"40000000-0000-4000-8000-000000000008", "IFCDOOR"},
        {"40000000-0000-4000-8000-000000000009", "IFCCURTAINWALL"},
        {"40000000-0000-4000-8000-00000000000A", "IFCBUILDINGELEMENTPROXY"},
        {"40000000-0000-4000-8000-00000000000B", "IFCSTAIR"},
        {"40000000-0000-4000-8000-00000000000C", "IFCFURNISHINGELEMENT"}};
    const std::string contained = OfEntity(instances, "IFCRELCONTAINEDINSPATIALSTRUCTURE")[0]->attributes;
    for (const auto& [guid, entity] : kinds) {
        const int id = IdOfElement(guid.c_str());
        ASSERT_NE(id, 0) << guid;
        EXPECT_EQ(instances.at(id).entity, entity) << guid;
        // A curtain wall's frame is part of the curtain wall, not of the storey.
        const bool inStorey = std::regex_search(contained, std::regex("#" + std::to_string(id) + "[,)]"));
        EXPECT_EQ(inStorey, entity != "IFCBUILDINGELEMENTPROXY") << guid;
    }
    const int curtainWall = IdOfElement("40000000-0000-4000-8000-000000000009");
    const int frame = IdOfElement("40000000-0000-4000-8000-00000000000A");
    bool aggregated = false;
    for (const Instance* relation : OfEntity(instances, "IFCRELAGGREGATES"))
        aggregated = aggregated || EndsWith(relation->attributes, ",#" + std::to_string(curtainWall) + ",(#" +
                                                                    std::to_string(frame) + ")");
    EXPECT_TRUE(aggregated);
}

TEST_F(IfcModel, ElementsAreNamedByTheirIfcNameOrTheirKind)
{
    const auto nameOf = [&](const char* guid) {
        const std::string& attributes = instances.at(IdOfElement(guid)).attributes;
        const size_t start = attributes.find(",$,'") + 4;
        return attributes.substr(start, attributes.find('\'', start) - start);
    };
    EXPECT_EQ(nameOf("40000000-0000-4000-8000-000000000001"), "Outer wall");
    EXPECT_EQ(nameOf("40000000-0000-4000-8000-000000000002"), "Wall");
    EXPECT_EQ(nameOf("40000000-0000-4000-8000-000000000009"), "Curtain Wall");
    EXPECT_EQ(nameOf("40000000-0000-4000-8000-00000000000C"), "Object");
    // Windows and doors carry their overall height and width.
    EXPECT_NE(instances.at(IdOfElement("40000000-0000-4000-8000-000000000007")).attributes.find(",1.4,1.2,.WINDOW.,"),
              std::string::npos);
}

TEST_F(IfcModel, CompositesBecomeLayerSetsAndBasicStructuresMaterials)
{
    const auto sets = OfEntity(instances, "IFCMATERIALLAYERSET");
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_NE(sets[0]->attributes.find(",'Brick wall BW-1',$"), std::string::npos);
    const auto layers = OfEntity(instances, "IFCMATERIALLAYER");
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_NE(layers[0]->attributes.find(",0.24,"), std::string::npos);
    EXPECT_NE(layers[1]->attributes.find(",0.1,"), std::string::npos);
    // Each building material is written once, however many layers and elements use it.
    EXPECT_EQ(OfEntity(instances, "IFCMATERIAL").size(), 2u);
    ASSERT_EQ(OfEntity(instances, "IFCMATERIALLAYERSETUSAGE").size(), 1u);
    EXPECT_NE(OfEntity(instances, "IFCMATERIALLAYERSETUSAGE")[0]->attributes.find(".AXIS2.,.POSITIVE."), std::string::npos);

    // The composite wall gets the usage; the basic wall and the column share the brick.
    std::map<std::string, std::string> relatedTo;  // material or usage entity -> related elements
    for (const Instance* relation : OfEntity(instances, "IFCRELASSOCIATESMATERIAL")) {
        const std::string& a = relation->attributes;
        const int material = std::stoi(a.substr(a.rfind('#') + 1));
        relatedTo[instances.at(material).entity + " " + std::to_string(material)] =
            a.substr(a.find('('), a.rfind(')') - a.find('(') + 1);
    }
    const std::string wall = "#" + std::to_string(IdOfElement("40000000-0000-4000-8000-000000000001"));
    const std::string basicWall = "#" + std::to_string(IdOfElement("40000000-0000-4000-8000-000000000002"));
    const std::string column = "#" + std::to_string(IdOfElement("40000000-0000-4000-8000-000000000005"));
    bool usageOfWall = false, brickOfBasicWallAndColumn = false;
    for (const auto& [material, elements] : relatedTo) {
        usageOfWall = usageOfWall || (material.rfind("IFCMATERIALLAYERSETUSAGE", 0) == 0 && elements == "(" + wall + ")");
        brickOfBasicWallAndColumn = brickOfBasicWallAndColumn || elements == "(" + basicWall + "," + column + ")";
    }
    EXPECT_TRUE(usageOfWall);
    EXPECT_TRUE(brickOfBasicWallAndColumn);
}

TEST_F(IfcModel, OnlyTheAvailableValuesOfTheGroupFormThePropertySet)
{
    const auto sets = OfEntity(instances, "IFCPROPERTYSET");
    ASSERT_EQ(sets.size(), 1u);  // the other elements have no values of the group
    EXPECT_NE(sets[0]->attributes.find(",$,'Corvana',$,("), std::string::npos);
    const auto values = OfEntity(instances, "IFCPROPERTYSINGLEVALUE");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0]->attributes, "'manufacturer',$,IFCLABEL('Ziegel & Co''s'),$");
    EXPECT_EQ(values[1]->attributes, "'u-value',$,IFCLABEL('0.2'),$");  // the definition's default
    ASSERT_EQ(OfEntity(instances, "IFCRELDEFINESBYPROPERTIES").size(), 1u);
    EXPECT_NE(OfEntity(instances, "IFCRELDEFINESBYPROPERTIES")[0]->attributes.find(
                  "(#" + std::to_string(IdOfElement("40000000-0000-4000-8000-000000000001")) + "),"),
              std::string::npos);
}

TEST_F(IfcModel, LongValuesAreTextsAndGlobalIdsAreUnique)
{
    Sim::Project longer = project;
    longer.elements.Find(G("40000000-0000-4000-8000-000000000001"))->attached.propertyValues[APIGuidFromString("20000000-0000-4000-8000-000000000011")].value = std::string(300, 'x');
    const auto longerInstances = Instances(Sim::Ifc::ExportIfcText(longer, settings));
    const auto values = OfEntity(longerInstances, "IFCPROPERTYSINGLEVALUE");
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(values[0]->attributes, "'manufacturer',$,IFCTEXT('" + std::string(300, 'x') + "'),$");

    std::map<std::string, int> seen;
    for (const auto& [id, instance] : instances) {
        std::smatch match;
        if (std::regex_search(instance.attributes, match, std::regex("^'([0-9A-Za-z_$]{22})',\\$,"))) {
            EXPECT_TRUE(seen.emplace(match[1], id).second) << match[1] << " on #" << id << " and #" << seen[match[1]];
        }
    }
    EXPECT_GE(seen.size(), 25u);
}

// The host functions, called as the add-on calls them.
class IfcHostFunctions : public SimTest::ApiFixture {
protected:
    Sim::HostOptions Options() const override
    {
        Sim::HostOptions options;
        options.home = home.string();
        return options;
    }
    void SetUp() override
    {
        home = QRVTest::MakeScratchFolder("corvana-ifc-");
        ASSERT_FALSE(home.empty());
        ApiFixture::SetUp();
        host->GetProject() = ExampleProject();
    }
    void TearDown() override
    {
        ApiFixture::TearDown();
        fs::permissions(home, fs::perms::owner_all);
        fs::remove_all(home);
    }
    // The translator as the host lists it, by its place from 1; another number names none of the host's.
    static API_IFCTranslatorIdentifier Translator(Int32 number)
    {
        GS::Array<API_IFCTranslatorIdentifier> translators;
        EXPECT_EQ(ACAPI_IFC_GetIFCExportTranslatorsList(translators), NoError);
        if (number >= 1 && static_cast<USize>(number) <= translators.GetSize())
            return translators[static_cast<UIndex>(number - 1)];
        API_IFCTranslatorIdentifier foreign;
        foreign.innerReference = BMAllocateHandle(static_cast<Int32>(sizeof(Int32)), ALLOCATE_CLEAR, 0);
        std::memcpy(*foreign.innerReference, &number, sizeof number);
        return foreign;
    }
    GSErrCode Save(const std::string& path, Int32 translatorReference, Int32 fileType = APIFType_IfcFile)
    {
        IO::Location location{GS::UniString(path)};
        API_FileSavePars file{};
        file.fileTypeID = static_cast<API_FTypeID>(fileType);
        file.file = &location;
        API_SavePars_Ifc ifc{};
        ifc.translatorIdentifier = Translator(translatorReference);
        return ACAPI_ProjectOperation_Save(&file, &ifc);
    }

    fs::path home;
};

TEST_F(IfcHostFunctions, TranslatorsFollowTheProjectOrTheHostsDefaults)
{
    GS::Array<API_IFCTranslatorIdentifier> translators;
    ASSERT_EQ(ACAPI_IFC_GetIFCExportTranslatorsList(translators), NoError);
    std::vector<std::string> names;
    for (const auto& translator : translators)
        names.push_back(Sim::Utf8(translator.name));
    EXPECT_EQ(names, Sim::Model::ProjectInfo::DefaultIfcTranslators());
    EXPECT_TRUE(std::find(names.begin(), names.end(), "IFC4 Design Transfer View") != names.end());

    host->GetProject().info.ifcTranslators = {"Only mine"};
    ASSERT_EQ(ACAPI_IFC_GetIFCExportTranslatorsList(translators), NoError);
    ASSERT_EQ(translators.GetSize(), 1u);  // the list is replaced, not appended to
    EXPECT_EQ(Sim::Utf8(translators[0].name), "Only mine");
}

TEST_F(IfcHostFunctions, ProjectInfoHandsOverTheName)
{
    {
        // The record deletes what the host filled in when it goes.
        API_ProjectInfo info;
        ASSERT_EQ(ACAPI_ProjectOperation_Project(&info), NoError);
        ASSERT_NE(info.projectName, nullptr);
        EXPECT_FALSE(info.untitled);
        EXPECT_EQ(Sim::Utf8(*info.projectName), "Villa 'Ä'");
    }

    host->GetProject().info.name.clear();
    API_ProjectInfo info;
    ASSERT_EQ(ACAPI_ProjectOperation_Project(&info), NoError);
    EXPECT_TRUE(info.untitled);
    ASSERT_NE(info.projectName, nullptr);
    EXPECT_TRUE(info.projectName->IsEmpty());
    EXPECT_EQ(ACAPI_ProjectOperation_Project(nullptr), APIERR_BADPARS);
}

TEST_F(IfcHostFunctions, SaveWritesTheFileWithTheChosenTranslator)
{
    const std::string path = (home / "Villa.ifc").string();
    ASSERT_EQ(Save(path, 3), NoError);
    std::ifstream in(path);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("'Translator: IFC4 Reference View'"), std::string::npos);
    EXPECT_NE(text.find("ViewDefinition [ReferenceView]"), std::string::npos);
    EXPECT_NE(text.find("FILE_NAME('Villa.ifc',"), std::string::npos);
    const auto saves = host->GetTranscript().EventsOfKind("projectSave");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0]["fileType"], 35);
    EXPECT_EQ(saves[0]["file"], path);
    EXPECT_FALSE(fs::exists(home / ".Villa.ifc.tmp"));
    for (const auto& entry : fs::directory_iterator(home))
        EXPECT_EQ(entry.path().filename(), "Villa.ifc");  // no temporary file is left
}

TEST_F(IfcHostFunctions, SaveRefusesWhatTheHostCannotDoAndKeepsAnOldFile)
{
    const std::string path = (home / "Villa.ifc").string();
    std::ofstream(path) << "old";
    EXPECT_EQ(Save(path, 0), APIERR_BADINDEX);
    EXPECT_EQ(Save(path, 5), APIERR_BADINDEX);
    EXPECT_EQ(Save(path, 1, 1), APIERR_BADPARS);
    EXPECT_EQ(Save("", 1), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_ProjectOperation_Save(nullptr, nullptr), APIERR_BADPARS);
    IO::Location location{GS::UniString(path)};
    API_FileSavePars file{};
    file.fileTypeID = APIFType_IfcFile;
    file.file = &location;
    EXPECT_EQ(ACAPI_ProjectOperation_Save(&file, nullptr), APIERR_BADPARS);

    EXPECT_EQ(Save((home / "missing" / "Villa.ifc").string(), 1), APIERR_GENERAL);
    EXPECT_EQ(Save(home.string(), 1), APIERR_GENERAL);  // a folder is no file
#if !defined(_WIN32)  // a folder's permission bits; Windows keeps no such bits for folders
    if (geteuid() != 0) {  // root writes anywhere
        fs::permissions(home, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(Save(path, 1), APIERR_GENERAL);
        fs::permissions(home, fs::perms::owner_all);
    }
#endif
    EXPECT_NE(host->DebugText().find("ACAPI_ProjectOperation_Save: cannot write in " + (home / "missing").string()),
              std::string::npos);
    std::ifstream in(path);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), "old");
    EXPECT_TRUE(host->GetTranscript().EventsOfKind("projectSave").empty());
}

TEST(IfcProjectFile, TranslatorsAreReadAndWrittenOnlyWhenNotTheDefaults)
{
    const std::string plain = R"({"format": "corvana-sim-project", "version": 1, "projectInfo": {"name": "A"}})";
    const Sim::Project defaults = Sim::ProjectFile::FromText(plain);
    EXPECT_EQ(defaults.info.ifcTranslators, Sim::Model::ProjectInfo::DefaultIfcTranslators());
    EXPECT_EQ(Sim::ProjectFile::ToText(defaults).find("ifcTranslators"), std::string::npos);

    const Sim::Project own = Sim::ProjectFile::FromText(
        R"({"format": "corvana-sim-project", "version": 1,
            "projectInfo": {"name": "A", "ifcTranslators": ["General Translator", "Mine"]}})");
    EXPECT_EQ(own.info.ifcTranslators, (std::vector<std::string>{"General Translator", "Mine"}));
    EXPECT_TRUE(Sim::ProjectFile::FromText(Sim::ProjectFile::ToText(own)) == own);
    EXPECT_FALSE(own == defaults);
    const Sim::Project none = Sim::ProjectFile::FromText(
        R"({"format": "corvana-sim-project", "version": 1, "projectInfo": {"ifcTranslators": []}})");
    EXPECT_TRUE(none.info.ifcTranslators.empty());
    EXPECT_TRUE(Sim::ProjectFile::FromText(Sim::ProjectFile::ToText(none)) == none);

    for (const char* bad : {R"({"ifcTranslators": [""]})", R"({"ifcTranslators": [1]})", R"({"ifcTranslators": "x"})"}) {
        const std::string text = std::string(R"({"format": "corvana-sim-project", "version": 1, "projectInfo": )") + bad + "}";
        try {
            Sim::ProjectFile::FromText(text);
            ADD_FAILURE() << bad << " was taken";
        } catch (const Sim::Json::Error& e) {
            EXPECT_EQ(e.Place().rfind("/projectInfo/ifcTranslators", 0), 0u) << e.what();
        }
    }
}

}  // namespace
