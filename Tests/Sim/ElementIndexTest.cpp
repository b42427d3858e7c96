// The element index of the simulated model: every element is found by its GUID through growth, removals
// and re-insertions at a place in the listing order, as the host's listing search would find it.
#include "Model/Elements.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

using Sim::Model::Element;
using Sim::Model::Elements;

std::vector<API_Guid> RandomGuids(size_t count)
{
    std::mt19937_64 engine(7);
    std::vector<API_Guid> guids(count);
    for (API_Guid& guid : guids) {
        const UInt64 words[2] = {engine(), engine()};
        std::memcpy(&guid, words, sizeof guid);
    }
    return guids;
}

Element WithGuid(const API_Guid& guid, double length = 0.0)
{
    Element element;
    element.guid = guid;
    element.length = length;
    return element;
}

void ExpectListingOrder(const Elements& elements)
{
    for (size_t i = 0; i < elements.All().size(); ++i)
        ASSERT_EQ(elements.PositionOf(elements.All()[i].guid), i);
}

TEST(ElementIndex, FindsEveryElementWhileTheModelGrowsAndShrinks)
{
    const std::vector<API_Guid> guids = RandomGuids(3000);
    Elements elements;
    for (size_t i = 0; i < guids.size(); ++i) {
        elements.Add(WithGuid(guids[i]));
        if (i % 97 == 0) {  // look-ups between additions, so the index grows while in use
            ASSERT_NE(elements.Find(guids[i / 2]), nullptr);
        }
    }
    ExpectListingOrder(elements);

    for (size_t i = 0; i < guids.size(); i += 3)
        ASSERT_TRUE(elements.Remove(guids[i]));
    EXPECT_EQ(elements.All().size(), 2000u);
    for (size_t i = 0; i < guids.size(); ++i)
        ASSERT_EQ(elements.Find(guids[i]) != nullptr, i % 3 != 0) << i;
    ExpectListingOrder(elements);

    elements.Insert(5, WithGuid(guids[0]));  // an undone deletion returns to its place
    EXPECT_EQ(elements.PositionOf(guids[0]), 5u);
    ExpectListingOrder(elements);
    EXPECT_FALSE(elements.Remove(guids[3]));
    EXPECT_EQ(elements.PositionOf(guids[3]), elements.All().size());
}

TEST(ElementIndex, AGuidHeldTwiceIsFoundAtItsFirstPlace)
{
    const std::vector<API_Guid> guids = RandomGuids(40);
    Elements elements;
    for (const API_Guid& guid : guids)
        elements.Add(WithGuid(guid, 1.0));
    elements.Add(WithGuid(guids[10], 2.0));
    ASSERT_NE(elements.Find(guids[10]), nullptr);
    EXPECT_EQ(elements.Find(guids[10])->length, 1.0);
    ASSERT_TRUE(elements.Remove(guids[10]));
    ASSERT_NE(elements.Find(guids[10]), nullptr);
    EXPECT_EQ(elements.Find(guids[10])->length, 2.0);
}

}  // namespace
