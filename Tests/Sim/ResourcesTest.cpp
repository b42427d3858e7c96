// The resource reader: what the add-on's .grc definitions hold, and errors that name file and line.
#include "Resources.hpp"

#include "SimFixture.hpp"

#include <fstream>

namespace {

const char* const goodGrc = R"(# 1 "Palettes.grc"
/* A comment
   over two lines */
'STR#' 32000 "Names" {
/* [  1] */ "Corvana"
/* [  2] */ "Quote \" and\nnewline"
}

'GDLG' 32200 Palette | topCaption | close | grow 0 0 400 600 "Corvana V1.2.3" {
/* [  1] */ Browser 0 0 400 600
/* [  2] */ IconButton 0 0 24 24 10002
/* [  3] */ RadioButton 10 20 100 18 LargePlain "Only the library" 1
/* [  4] */ ProgressBar 10 40 100 14 0 100 StaticEdge
/* [  5] */ IconButton 0 0 24 24 NoIcon frame BevelEdge
}

'DLGH' 32200 DLG_32500_Browser_Palette {
1 "" Browser_0
2 "Button" Button_0
}

'MDID' 32500 "Add-On Identifier" {
1365595734
1129467185
}

'GICN' 10002 "Icon" {
"CorvanaOstrel"
}
)";

TEST(ResourceReader, ReadsStringsLayoutsNamesIdentityAndIcons)
{
    Sim::ResourceSet resources;
    resources.Parse(goodGrc, "Palettes.grc");
    const auto* strings = resources.Strings(32000);
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(*strings, (std::vector<std::string>{"Corvana", "Quote \" and\nnewline"}));
    EXPECT_EQ(resources.Strings(1), nullptr);

    const auto* dialog = resources.Dialog(32200);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->flags, (std::vector<std::string>{"Palette", "topCaption", "close", "grow"}));
    EXPECT_EQ(dialog->width, 400);
    EXPECT_EQ(dialog->height, 600);
    EXPECT_EQ(dialog->caption, "Corvana V1.2.3");
    EXPECT_EQ(dialog->name, "DLG_32500_Browser_Palette");
    ASSERT_EQ(dialog->items.size(), 5u);
    EXPECT_EQ(dialog->items[0].kind, "Browser");
    EXPECT_EQ(dialog->items[0].name, "Browser_0");
    EXPECT_EQ(dialog->items[1].icon, 10002);
    EXPECT_EQ(dialog->items[1].name, "Button_0");
    EXPECT_EQ(dialog->items[2].text, "Only the library");
    EXPECT_EQ(dialog->items[2].group, 1);
    EXPECT_EQ(dialog->items[2].x, 10);
    EXPECT_EQ(dialog->items[3].kind, "ProgressBar");
    EXPECT_EQ(dialog->items[3].y, 40);
    EXPECT_EQ(dialog->items[4].kind, "IconButton");
    EXPECT_EQ(dialog->items[4].icon, 0);

    ASSERT_NE(resources.Identity(32500), nullptr);
    EXPECT_EQ(*resources.Identity(32500), (std::vector<Int32>{1365595734, 1129467185}));
    EXPECT_TRUE(resources.HasIcon(10002));
    EXPECT_FALSE(resources.HasIcon(10001));
    ASSERT_NE(resources.IconImage(10002), nullptr);
    EXPECT_EQ(*resources.IconImage(10002), "CorvanaOstrel");
    EXPECT_EQ(resources.IconImage(10001), nullptr);
}

struct BadGrc {
    const char* what;
    const char* text;
    int line;
    const char* problem;
};

TEST(ResourceReader, ErrorsNameTheFileTheLineAndTheProblem)
{
    const BadGrc cases[] = {
        {"unterminated string", "'STR#' 1 {\n\"one\"\n\"two\n}\n", 3, "unterminated string"},
        {"unterminated comment", "'STR#' 1 {\n/* no end\n}\n", 2, "unterminated comment"},
        {"bad type", "\n\n'STR' 1 {}\n", 3, "four characters"},
        {"compiled type", "'STR#' 1 { \"a\" }\n'STRS' 2 { \"b\" }\n", 2, "its source type is 'STR#'"},
        {"missing number", "'STR#' {\n}\n", 1, "expected a resource number"},
        {"stray character", "'STR#' 1 {\n\"a\" ;\n}\n", 2, "unexpected character ';'"},
        {"unknown item", "'GDLG' 5 Modal 0 0 10 10 \"T\" {\n  Button 0 0 1 1 \"OK\"\n  Slider 0 0 1 1\n}\n", 3,
         "dialog item kind"},
        {"short item", "'GDLG' 5 Modal 0 0 10 10 \"T\" {\n  Button 0 0 \"OK\"\n}\n", 2, "needs its left, top, width and height"},
        {"progress bar without range", "'GDLG' 5 Palette 0 0 10 10 \"T\" {\n  LeftText 0 0 1 1 LargePlain \"a\"\n  ProgressBar 0 0 1 1 StaticEdge\n}\n",
         3, "ProgressBar item needs its minimum and maximum"},
        {"icon button without icon", "'GDLG' 5 Palette 0 0 10 10 \"T\" {\n  IconButton 0 0 24 24 frame BevelEdge\n}\n", 2,
         "IconButton item needs its icon"},
        {"radio button without group", "'GDLG' 5 Modal 0 0 10 10 \"T\" {\n  RadioButton 0 0 9 9 LargePlain \"r\"\n}\n", 2,
         "RadioButton item needs its group"},
        {"twice", "'STR#' 7 { \"a\" }\n'STR#' 7 { \"b\" }\n", 2, "STR# 7 is defined twice"},
        {"unterminated list", "'STR#' 7 {\n\"a\"\n", 3, "expected a string or '}'"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.what);
        Sim::ResourceSet resources;
        try {
            resources.Parse(bad.text, "Bad.grc");
            ADD_FAILURE() << "accepted";
        } catch (const std::runtime_error& e) {
            std::string message = e.what();
            EXPECT_EQ(message.rfind("Bad.grc:" + std::to_string(bad.line) + ": ", 0), 0u) << message;
            EXPECT_NE(message.find(bad.problem), std::string::npos) << message;
        }
    }
}

TEST(ResourceReader, AFolderIsReadFileByFileAndAFaultyFileIsNamed)
{
    SimTest::TempFolder folder;
    std::ofstream(folder / "A.grc") << "'STR#' 1 { \"one\" }\n";
    std::ofstream(folder / "B.grc") << "'STR#' 2 { \"two\" }\n";
    std::ofstream(folder / "notes.txt") << "not a resource";
    Sim::ResourceSet resources = Sim::ResourceSet::LoadDirectory(folder.Path());
    EXPECT_NE(resources.Strings(1), nullptr);
    EXPECT_NE(resources.Strings(2), nullptr);

    std::ofstream(folder / "C.grc") << "'STR#' 3 {\n \"three }\n";
    try {
        Sim::ResourceSet::LoadDirectory(folder.Path());
        ADD_FAILURE() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), folder / "C.grc" + ":2: unterminated string");
    }
    EXPECT_THROW(Sim::ResourceSet::LoadDirectory(folder / "none"), std::runtime_error);
}

TEST(ResourceReader, TheAddOnsOwnResourcesRead)
{
    Sim::ResourceSet resources = Sim::ResourceSet::LoadDirectory(CORVANA_RESOURCE_DIR);
    const auto* menu = resources.Strings(32200);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->size(), 2u);
    EXPECT_EQ((*menu)[1], "Corvana Plugin^ES^EE^EI^ED^EW^E3^EL^10001");
}

}  // namespace
