#include "Support/ModuleState.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Parsing/Items/CorvanaLibrary.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"
#include "Support/ModuleFixture.hpp"
#include "SimUtf8.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace QRV;

class HostLanguageScope {
public:
    explicit HostLanguageScope(const char* language) : saved_(HostLanguage()) { SetHostLanguage(language); }
    ~HostLanguageScope() { SetHostLanguage(saved_); }

private:
    GS::UniString saved_;
};

SkinAppearance AppearanceAfter(const char* layerType)
{
    Material material;
    material.SetLayerType(layerType, true);
    return material.GetAppearance();
}

TEST(MaterialLayerType, RoleGivesSkinFlagsButAppearanceOnlyWhenAsked)
{
    Material material;
    material.SetLayerType("Core");
    EXPECT_EQ(material.GetSkinFlags(), 2);
    EXPECT_EQ(Sim::Utf8(material.GetLayerType()), "Core");
    EXPECT_EQ(material.GetAppearance(), SkinAppearance());

    material.SetLayerType("Finish");
    EXPECT_EQ(material.GetSkinFlags(), 32);
    material.SetLayerType("core");
    EXPECT_EQ(material.GetSkinFlags(), 0);
    material.SetLayerType("Insulation", true);
    EXPECT_EQ(material.GetSkinFlags(), 0);
    EXPECT_NE(material.GetAppearance(), SkinAppearance());
}

TEST(MaterialLayerType, AppearanceTableFollowsTheHostLanguage)
{
    {
        HostLanguageScope language("INT");
        EXPECT_EQ(AppearanceAfter("Core"), (SkinAppearance{4, 21, 19, 3}));
        EXPECT_EQ(AppearanceAfter("Finish"), (SkinAppearance{14, 1, 19, 18}));
        EXPECT_EQ(AppearanceAfter("Membrane"), (SkinAppearance{64, 181, 19, 18}));
    }
    {
        HostLanguageScope language("GER");
        EXPECT_EQ(AppearanceAfter("Core"), (SkinAppearance{63, 3, 19, 54}));
        EXPECT_EQ(AppearanceAfter("Finish"), (SkinAppearance{14, 1, 19, 18}));
        EXPECT_EQ(AppearanceAfter("Undefined"), (SkinAppearance{64, 93, 19, 57}));
    }
    HostLanguageScope language("ger");
    EXPECT_EQ(AppearanceAfter("Core"), (SkinAppearance{4, 21, 19, 3}));
}

TEST(ComplexMaterialSystemType, UsageFromTheCatalogueKind)
{
    ComplexMaterial composite;
    for (const char* slab : {"Ceiling", "Floor", "Foundation Slab"}) {
        composite.SetSystemType(slab);
        EXPECT_EQ(composite.GetUsage(), 2) << slab;
    }
    composite.SetSystemType("Roof");
    EXPECT_EQ(composite.GetUsage(), 4);
    for (const char* wall : {"External Wall", "roof", "", "Foundation slab"}) {
        composite.SetSystemType(wall);
        EXPECT_EQ(composite.GetUsage(), 1) << wall;
        EXPECT_EQ(Sim::Utf8(composite.GetSystemType()), wall);
    }
}

TEST(CorvanaPropertiesModel, RecordsLookUpAndJsonForm)
{
    CorvanaProperties properties = CorvanaProperties::FromJson(Json::parse(R"([
        {"name": "Colour", "value": "brown"},
        {"group": "Fire", "name": "Class", "unit": "", "type": "String", "value": "A1"},
        {"group": "Fire", "name": "Colour", "value": "red"},
        {"name": "Certified", "value": true}
    ])"));
    ASSERT_EQ(properties.Count(), 4u);
    EXPECT_EQ(Sim::Utf8(properties.All()[0].GetGroup()), "Corvana");
    EXPECT_EQ(Sim::Utf8(properties.All()[1].GetType()), "String");
    EXPECT_EQ(Sim::Utf8(properties.ValueOf("Colour")), "brown");
    EXPECT_EQ(Sim::Utf8(properties.ValueOf("Certified")), "true");
    EXPECT_EQ(Sim::Utf8(properties.ValueOf("colour")), "");

    EXPECT_EQ(properties.All()[1].ToJson().dump(),
              R"({"group":"Fire","name":"Class","unit":"","type":"String","value":"A1"})");
    EXPECT_EQ(CorvanaProperties::FromJson(Json::parse(properties.ToJsonText())), properties);
    EXPECT_TRUE(CorvanaProperties::FromJson(Json()).IsEmpty());
    EXPECT_EQ(CorvanaProperties().ToJsonText(), "[]");
}

TEST(CorvanaPropertiesModel, RefusesWhatIsNotAListOfRecords)
{
    EXPECT_THROW(CorvanaProperties::FromJson(Json("")), std::invalid_argument);
    EXPECT_THROW(CorvanaProperties::FromJson(Json::object()), std::invalid_argument);
    EXPECT_THROW(CorvanaProperties::FromJson(Json::parse(R"([{"name": "a"}, 5])")), std::invalid_argument);
    EXPECT_THROW(CorvanaProperties::FromJson(Json::parse(R"([{"name": true}])")), Json::type_error);
}

TEST(ItemCopies, LibraryPartKeepsTheHostRecordThroughCopies)
{
    CorvanaLibraryPart part;
    API_LibPart record{};
    record.index = 42;
    GS::ucsncpy(record.file_UName, GS::UniString("Bench.gsm").ToUStr().Get(), API_UniLongNameLen - 1);
    static_cast<LibraryPart&>(part).SetLibPart(record);
    CorvanaLibraryPart copy = part;
    EXPECT_EQ(copy.GetLibPart().index, 42);
    EXPECT_EQ(Sim::Utf8(GS::UniString(copy.GetLibPart().file_UName)), "Bench.gsm");
    EXPECT_EQ(Sim::Utf8(copy.GetFileExtension()), "gsm");
    EXPECT_EQ(Sim::Utf8(CorvanaLibrary().GetFileExtension()), "lcf");
}

TEST(ComplexMaterialSkins, CatalogueSystemsVisitTheirCatalogueMaterials)
{
    CorvanaComplexMaterial composite;
    for (const char* name : {"Outer", "Middle", "Inner"}) {
        CorvanaMaterial skin;
        skin.SetName(name);
        composite.AddMaterial(skin);
    }
    ComplexMaterial& asComposite = composite;
    EXPECT_EQ(asComposite.MaterialCount(), 3u);
    std::vector<std::string> visited;
    asComposite.ForEachMaterial([&](Material& material) {
        visited.push_back(Sim::Utf8(material.GetName()));
        material.SetImportStatus("imported");
    });
    EXPECT_EQ(visited, (std::vector<std::string>{"Outer", "Middle", "Inner"}));
    EXPECT_EQ(Sim::Utf8(composite.Materials()[2].GetImportStatus()), "imported");
}

class ItemDebugOutput : public QRVTest::HostFixture {};

TEST_F(ItemDebugOutput, CompositeDumpLists)
{
    CorvanaComplexMaterial composite;
    composite.SetId("1402");
    composite.SetName("Wall TF");
    composite.SetSystemType("Roof");
    composite.SetProperties(CorvanaProperties::FromJson(Json::parse(
        R"([{"name": "name", "value": "Wall TF"}, {"group": "IFC - Corvana", "name": "LoadBearing", "value": true}])")));
    const ComplexMaterial& asComposite = composite;
    asComposite.Dump();
    EXPECT_EQ(host->DebugText(),
              "==CorvanaComplexMaterial==\n"
              "id: 1402\n"
              "description: Undefined\n"
              "status: Undefined\n"
              "type: Roof\n"
              "name: Wall TF\n"
              "==KMP==group: Corvana name: name value: Wall TF\n"
              "==KMP==group: IFC - Corvana name: LoadBearing value: true\n"
              "================\n");

    const size_t before = host->DebugText().size();
    ComplexMaterial bare;
    bare.Dump();
    EXPECT_EQ(host->DebugText().size(), before);
}

TEST_F(ItemDebugOutput, PropertyHooksReachTheInstalledWriter)
{
    std::vector<std::string> calls;
    CorvanaMaterial::InstallPropertyHooks(
        {[&](CorvanaMaterial& item, const API_Attribute* record) {
             calls.push_back("store " + Sim::Utf8(item.GetName()) + (record ? " with record" : " by name"));
         },
         [&](CorvanaMaterial& item) {
             item.SetProperties(CorvanaProperties::FromJson(Json::parse(R"([{"name": "id", "value": "9"}])")));
             calls.push_back("load " + Sim::Utf8(item.GetName()));
         }});
    CorvanaComplexMaterial::InstallPropertyHooks(
        {[&](CorvanaComplexMaterial& item, const API_Attribute*) { calls.push_back("stamp " + Sim::Utf8(item.GetName())); },
         nullptr});

    CorvanaMaterial material;
    material.SetName("Oak");
    CorvanaComplexMaterial composite;
    composite.SetName("Wall");
    API_Attribute record{};
    BaseItem& materialItem = material;
    BaseItem& compositeItem = composite;
    materialItem.StoreProperties(nullptr);
    materialItem.LoadStoredProperties();
    compositeItem.StoreProperties(&record);
    compositeItem.LoadStoredProperties();  // no reload installed: nothing happens

    CorvanaMaterial::InstallPropertyHooks({});
    CorvanaComplexMaterial::InstallPropertyHooks({});
    EXPECT_EQ(calls, (std::vector<std::string>{"store Oak by name", "load Oak", "stamp Wall"}));
    EXPECT_EQ(Sim::Utf8(material.GetProperties().ValueOf("id")), "9");

    // Without a writer the item says so instead of pretending to have stored anything.
    materialItem.StoreProperties(nullptr);
    EXPECT_NE(host->DebugText().find("no property store installed, properties of Oak not stored"), std::string::npos);

    Material plain;
    static_cast<BaseItem&>(plain).StoreProperties(nullptr);
    EXPECT_EQ(calls.size(), 3u);
}

}  // namespace
