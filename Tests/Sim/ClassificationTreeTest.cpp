// A classification tree answers its listings, searches and file round trip in the order its items were
// placed, and in time proportional to its size: the catalogue's own system holds tens of thousands of items.
#include "Model/ModelVisits.hpp"
#include "Model/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Sim::Model::ClassificationItem;
using Sim::Model::ClassificationSystem;
using Sim::Model::Classifications;

API_Guid GuidNumber(UInt32 n)
{
    API_Guid guid{};
    guid.time_low = n;
    guid.time_hi_and_version = 0x4000;
    guid.clock_seq_hi_and_reserved = 0x80;
    return guid;
}

ClassificationItem Item(UInt32 n, const API_Guid& system, const API_Guid& parent)
{
    ClassificationItem item;
    item.guid = GuidNumber(n);
    item.system = system;
    item.parent = parent;
    item.id = "ID " + std::to_string(n);
    return item;
}

std::vector<std::string> IdsOf(const std::vector<ClassificationItem>& items)
{
    std::vector<std::string> ids;
    for (const auto& item : items)
        ids.push_back(item.id);
    return ids;
}

// Two systems; in the first, roots 1 and 2 with children, an item put before a sibling and one added after it.
TEST(ClassificationTree, ListsAndFindsItemsInTheirPlacesThroughInsertionsBeforeASibling)
{
    Classifications tree;
    ClassificationSystem first, second;
    first.guid = GuidNumber(100);
    first.name = "First";
    second.guid = GuidNumber(200);
    second.name = "Second";
    tree.AddSystem(first);
    tree.AddSystem(second);
    tree.AddItem(Item(1, first.guid, APINULLGuid), APINULLGuid);
    tree.AddItem(Item(2, first.guid, APINULLGuid), APINULLGuid);
    tree.AddItem(Item(11, first.guid, GuidNumber(1)), APINULLGuid);
    ASSERT_NE(tree.FindItem(GuidNumber(11)), nullptr);  // the index is built, then must follow the insertion
    tree.AddItem(Item(12, first.guid, GuidNumber(1)), GuidNumber(11));
    tree.AddItem(Item(13, first.guid, GuidNumber(1)), APINULLGuid);
    tree.AddItem(Item(3, second.guid, APINULLGuid), APINULLGuid);

    EXPECT_EQ(IdsOf(tree.Children(first.guid, APINULLGuid)), (std::vector<std::string>{"ID 1", "ID 2"}));
    EXPECT_EQ(IdsOf(tree.Children(first.guid, GuidNumber(1))), (std::vector<std::string>{"ID 12", "ID 11", "ID 13"}));
    EXPECT_EQ(IdsOf(tree.Children(second.guid, APINULLGuid)), (std::vector<std::string>{"ID 3"}));
    EXPECT_TRUE(tree.Children(second.guid, GuidNumber(1)).empty()) << "a parent of another system";
    EXPECT_TRUE(tree.Children(first.guid, GuidNumber(2)).empty());
    for (UInt32 n : {1u, 2u, 3u, 11u, 12u, 13u}) {
        ASSERT_NE(tree.FindItem(GuidNumber(n)), nullptr) << n;
        EXPECT_EQ(tree.FindItem(GuidNumber(n))->id, "ID " + std::to_string(n));
    }
    EXPECT_EQ(tree.FindItemById(first.guid, "ID 12")->guid, GuidNumber(12));
    EXPECT_EQ(tree.FindItemById(second.guid, "ID 12"), nullptr) << "an ID belongs to its system";
    EXPECT_EQ(tree.FindItem(GuidNumber(99)), nullptr);
    EXPECT_TRUE(tree.ContainsGuid(GuidNumber(200)));

    Classifications copy = tree;  // an undo keeps a copy: it answers by itself
    copy.AddItem(Item(14, first.guid, GuidNumber(1)), GuidNumber(12));
    EXPECT_EQ(tree.FindItem(GuidNumber(14)), nullptr);
    EXPECT_EQ(IdsOf(copy.Children(first.guid, GuidNumber(1))),
              (std::vector<std::string>{"ID 14", "ID 12", "ID 11", "ID 13"}));
}

// A system of `count` items, ten under each root, read from and written to a project file.
std::uint64_t VisitsOfARoundTrip(UInt32 count)
{
    Sim::Model::Project project;
    ClassificationSystem system;
    system.guid = GuidNumber(0xFFFFFF);
    system.name = "Catalogue";
    project.classifications.AddSystem(system);
    for (UInt32 n = 1; n <= count; ++n) {
        const API_Guid parent = n % 10 == 1 ? APINULLGuid : GuidNumber((n - 1) / 10 * 10 + 1);
        project.classifications.AddItem(Item(n, system.guid, parent), APINULLGuid);
    }
    const std::uint64_t before = Sim::Model::ModelVisits();
    const std::string text = Sim::ProjectFile::ToText(project);
    const Sim::Model::Project loaded = Sim::ProjectFile::FromText(text);
    EXPECT_TRUE(loaded.classifications == project.classifications);
    for (UInt32 n = 1; n <= count; n += 97)
        EXPECT_NE(loaded.classifications.FindItemById(system.guid, "ID " + std::to_string(n)), nullptr);
    return Sim::Model::ModelVisits() - before;
}

TEST(ClassificationTree, ASystemOfManyItemsIsSavedAndReadInProportionToItsSize)
{
    const std::uint64_t small = VisitsOfARoundTrip(4000);
    const std::uint64_t large = VisitsOfARoundTrip(40000);
    ASSERT_GT(small, 0u);
    EXPECT_LE(static_cast<double>(large) / static_cast<double>(small), 11.0) << small << " then " << large;
}

}  // namespace
