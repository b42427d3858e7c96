// The add-on's resource files: what the host reads from them, and what the kit's resource compiler and the
// Windows resource script need to find beside them.
#include "ResourceIds.hpp"
#include "Resources.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path resourceFolder = fs::path(CORVANA_SOURCE_DIR) / "Resources";

Sim::ResourceSet AddOnResources() { return Sim::ResourceSet::LoadDirectory(CORVANA_RESOURCE_DIR); }

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The .grc files that the resource compiler turns into <name>.rc2 objects: the texts and the fixed ones.
std::multiset<std::string> CompiledGrcNames()
{
    std::multiset<std::string> names;
    for (const char* folder : {"RINT", "RFIX"})
        for (const auto& entry : fs::directory_iterator(resourceFolder / folder))
            if (entry.path().extension() == ".grc")
                names.insert(entry.path().filename().string());
    return names;
}

TEST(AddOnResources, TheHostReadsTheTextsAndTheFixedResources)
{
    const Sim::ResourceSet resources = AddOnResources();
    const auto* info = resources.Strings(ID_ADDON_INFO);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(*info, (std::vector<std::string>{CORVANA_ADDON_NAME, CORVANA_ADDON_DESCRIPTION}));

    const auto* identity = resources.Identity(ID_ADDON_IDENTITY);
    ASSERT_NE(identity, nullptr);
    EXPECT_EQ(*identity, (std::vector<Int32>{CORVANA_DEVELOPER_ID, CORVANA_LOCAL_ID}));

    const auto* progress = resources.Dialog(ID_BULK_IMPORT_PROGRESS_PALETTE);
    ASSERT_NE(progress, nullptr);
    ASSERT_EQ(progress->items.size(), 4u);
    EXPECT_EQ(progress->items[1].kind, "ProgressBar");
    EXPECT_EQ(progress->items[1].name, "ProgressBar_Systems");
}

TEST(AddOnResources, EveryIconTheMenusAndButtonsShowIsDefined)
{
    const Sim::ResourceSet resources = AddOnResources();
    const std::regex menuIcon(R"(\^([0-9]+)$)");
    for (Int32 menu : {ID_MENU_PLUGIN, ID_MENU_OSTREL, ID_MENU_PLUGIN_QA, ID_MENU_OSTREL_QA}) {
        const auto* texts = resources.Strings(menu);
        ASSERT_NE(texts, nullptr) << menu;
        for (size_t i = 1; i < texts->size(); ++i) {
            std::smatch match;
            ASSERT_TRUE(std::regex_search((*texts)[i], match, menuIcon)) << (*texts)[i];
            EXPECT_TRUE(resources.HasIcon(std::stoi(match[1].str()))) << (*texts)[i];
        }
    }
    for (Int32 palette : {ID_CALCULATION_PALETTE, ID_CALCULATION_PALETTE_QA}) {
        const auto* layout = resources.Dialog(palette);
        ASSERT_NE(layout, nullptr) << palette;
        for (const auto& item : layout->items) {
            if (item.kind == "IconButton") {
                EXPECT_TRUE(resources.HasIcon(item.icon)) << palette << " shows icon " << item.icon;
            }
        }
    }
}

TEST(AddOnResources, EveryIconNamesAnImageTheResourceCompilerFinds)
{
    const Sim::ResourceSet resources = AddOnResources();
    const fs::path images = resourceFolder / "RFIX" / "Images";
    for (Int32 icon : {ID_ICON_PLUGIN, ID_ICON_OSTREL}) {
        SCOPED_TRACE(icon);
        const std::string* image = resources.IconImage(icon);
        ASSERT_NE(image, nullptr);
        ASSERT_FALSE(image->empty());
        // The compiler looks for <name>_<width>x<height>.svg in its image folder and makes every size
        // from it.
        const std::regex svgName(std::regex_replace(*image, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                                 "_[0-9]+x[0-9]+\\.svg");
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(images))
            if (std::regex_match(entry.path().filename().string(), svgName))
                found.push_back(entry.path());
        ASSERT_EQ(found.size(), 1u) << "images for " << *image << " in " << images;
        EXPECT_NE(ReadText(found[0]).find("<svg"), std::string::npos) << found[0];
    }
}

TEST(AddOnResources, TheWindowsResourceScriptIncludesEveryCompiledGrcOnce)
{
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(resourceFolder / "RFIX.win"))
        if (entry.path().extension() == ".rc2")
            scripts.push_back(entry.path());
    // The kit's resource compiler takes exactly one native script.
    ASSERT_EQ(scripts.size(), 1u);

    std::multiset<std::string> included;
    const std::regex include(R"(^\s*#\s*include\s+"([^"]+)\.rc2"\s*$)");
    std::istringstream lines(ReadText(scripts[0]));
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_match(line, match, include))
            included.insert(match[1].str());
    }
    const std::multiset<std::string> compiled = CompiledGrcNames();
    EXPECT_EQ(std::set<std::string>(compiled.begin(), compiled.end()).size(), compiled.size())
        << "two .grc files of RINT and RFIX share a name";
    EXPECT_EQ(included, compiled);
}

}  // namespace
