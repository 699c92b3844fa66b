// Matching the groups of a new reading with those read before: by name, then by order.
#include <gtest/gtest.h>

#include "engine/group_matching.h"

using namespace engine;

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);

struct Case
{
    const char *name;
    std::vector<std::string_view> earlier;
    std::vector<std::string_view> now;
    std::vector<std::size_t> from; // None: new
    std::size_t kept, added, lost;
    bool changed;
};

} // namespace

TEST(MatchGroups, Table)
{
    const Case cases[] = {
        { "nothing before", {}, { "A", "B" }, { None, None }, 0, 2, 0, true },
        { "same groups", { "A", "B" }, { "A", "B" }, { 0, 1 }, 2, 0, 0, false },
        { "group put above", { "M21", "W21" }, { "M20", "M21", "W21" }, { None, 0, 1 }, 2, 1, 0,
            true },
        { "swapped", { "A", "B" }, { "B", "A" }, { 1, 0 }, 2, 0, 0, true },
        { "renamed", { "A", "B" }, { "A", "C" }, { 0, None }, 1, 1, 1, true },
        { "removed", { "A", "B", "C" }, { "A", "C" }, { 0, 2 }, 2, 0, 1, true },
        { "none now", { "A" }, {}, {}, 0, 0, 1, true },
        { "repeated name in order", { "A", "X", "A" }, { "A", "A" }, { 0, 2 }, 2, 0, 1, true },
        { "one more of a name", { "A" }, { "A", "A" }, { 0, None }, 1, 1, 0, true },
        { "empty name is a name", { "", "A" }, { "A", "" }, { 1, 0 }, 2, 0, 0, true },
        { "case and blanks count", { "A", " B" }, { "a", "B" }, { None, None }, 0, 2, 2, true },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const GroupMatch match = MatchGroups(c.earlier, c.now);
        ASSERT_EQ(match.Earlier.size(), c.from.size());
        for (std::size_t i = 0; i < c.from.size(); ++i)
            EXPECT_EQ(match.Earlier[i].value_or(None), c.from[i]) << "group " << i;
        EXPECT_EQ(match.Kept, c.kept);
        EXPECT_EQ(match.New, c.added);
        EXPECT_EQ(match.Lost, c.lost);
        EXPECT_EQ(match.Changed(), c.changed);
    }
}

TEST(KeepSettings, TakesTheFourSettingsOnly)
{
    std::vector<GroupSettings> earlier(2);
    earlier[0].Name = "B";
    earlier[0].Heading = "B, old";
    earlier[0].DistanceClass = DistanceClass::Kms;
    earlier[0].MastersCount = 3;
    earlier[0].PointsTable = 2;
    earlier[0].Category = Category::Juniors;
    earlier[1].Name = "A";
    std::vector<GroupSettings> groups(2);
    groups[0].Name = "C";
    groups[0].DistanceClass = DistanceClass::First;
    groups[1].Name = "B";
    groups[1].Heading = "B, new";
    const GroupMatch match = KeepSettings(earlier, groups);
    EXPECT_EQ(match.Kept, 1u);
    EXPECT_EQ(match.Lost, 1u);
    EXPECT_EQ(groups[0].DistanceClass, DistanceClass::First); // a new name keeps its own
    EXPECT_EQ(groups[1].Heading, "B, new");
    EXPECT_EQ(groups[1].DistanceClass, DistanceClass::Kms);
    EXPECT_EQ(groups[1].MastersCount, 3);
    EXPECT_EQ(groups[1].PointsTable, 2);
    EXPECT_EQ(groups[1].Category, Category::Juniors);
}
