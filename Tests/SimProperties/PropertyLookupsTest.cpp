// Groups and definitions found by name and by group stay right through renames, moves to another group and
// undo, and a project of many of them answers each look-up without going through them all.
#include "PropertyFixture.hpp"
#include "ElementActions.hpp"
#include "SimUtf8.hpp"

#include <chrono>
#include <string>
#include <vector>

namespace {

using SimPropertiesTest::PropertyFixture;

class PropertyLookups : public PropertyFixture {
protected:
    bool Undo()
    {
        std::string problem;
        return Sim::ElementActions(*host).Undo(&problem);
    }
};

std::vector<std::string> NamesIn(const API_Guid& group)
{
    GS::Array<API_PropertyDefinition> definitions;
    EXPECT_EQ(ACAPI_Property_GetPropertyDefinitions(group, definitions), NoError);
    std::vector<std::string> names;
    for (const auto& definition : definitions)
        names.push_back(Sim::Utf8(definition.name));
    return names;
}

TEST_F(PropertyLookups, ARenamedOrMovedDefinitionIsFoundUnderItsNewNameAndGroupOnly)
{
    const API_Guid thermal = CreateGroup("Thermal");
    const API_Guid fire = CreateGroup("Fire");
    const API_Guid first = CreateDefinition(thermal, "U-value");
    CreateDefinition(thermal, "Lambda");
    CreateDefinition(fire, "Class");
    CreateDefinition(fire, "Rating");

    GS::Array<API_PropertyDefinition> definitions;
    ASSERT_EQ(ACAPI_Property_GetPropertyDefinitions(thermal, definitions), NoError);
    API_PropertyDefinition moved = definitions[0];
    ASSERT_EQ(moved.guid, first);
    moved.groupGuid = fire;
    moved.name = "Class";  // taken in the group it moves to
    EXPECT_EQ(Undoable([&] { return ACAPI_Property_ChangePropertyDefinition(moved); }), APIERR_NAMEALREADYUSED);
    moved.name = "Resistance";
    ASSERT_EQ(Undoable([&] { return ACAPI_Property_ChangePropertyDefinition(moved); }), NoError);
    EXPECT_EQ(NamesIn(thermal), std::vector<std::string>({"Lambda"}));
    // Listed in creation order, the moved one first as it was made first.
    EXPECT_EQ(NamesIn(fire), std::vector<std::string>({"Resistance", "Class", "Rating"}));

    // Its former name is free in its former group, its new one taken in the new group.
    EXPECT_NE(CreateDefinition(thermal, "U-value"), APINULLGuid);
    API_PropertyDefinition twin = Definition(fire, "Resistance");
    EXPECT_EQ(Undoable([&] { return ACAPI_Property_CreatePropertyDefinition(twin); }), APIERR_NAMEALREADYUSED);

    // Undo takes the whole project's properties back, index and all: the refused command's step first
    // (nothing to take back), then the new definition, then the move.
    ASSERT_TRUE(Undo());
    EXPECT_EQ(NamesIn(thermal), std::vector<std::string>({"Lambda", "U-value"}));
    ASSERT_TRUE(Undo());
    EXPECT_EQ(NamesIn(thermal), std::vector<std::string>({"Lambda"}));
    ASSERT_TRUE(Undo());
    EXPECT_EQ(NamesIn(thermal), std::vector<std::string>({"U-value", "Lambda"}));
    EXPECT_EQ(NamesIn(fire), std::vector<std::string>({"Class", "Rating"}));
}

TEST_F(PropertyLookups, ManyGroupsAndDefinitionsAreMadeInLinearTime)
{
    // 20,000 groups of one definition each, in one step: a search through all of them for every name
    // took seconds.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(Undoable([&]() -> GSErrCode {
                  for (int i = 0; i < 20000; ++i) {
                      API_PropertyGroup group;
                      group.name = Sim::Uni("Group " + std::to_string(i));
                      if (GSErrCode err = ACAPI_Property_CreatePropertyGroup(group); err != NoError)
                          return err;
                      API_PropertyDefinition definition = Definition(group.guid, "Value");
                      if (GSErrCode err = ACAPI_Property_CreatePropertyDefinition(definition); err != NoError)
                          return err;
                  }
                  return NoError;
              }),
              NoError);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
    EXPECT_EQ(host->GetProject().properties.Groups().size(), 20000u);
}

}  // namespace
