// The bundled example protocol, rewritten with the settings documented beside it, must give the
// expected protocol byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "engine/cp1251.h"
#include "engine/protocol.h"
#include "engine/rewrite.h"
#include "engine/save.h"

namespace {

using namespace engine;

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// Table "A" of examples/sample.INI.
class SampleTable final : public TeamPointsSource
{
public:
    int TablesCount() const override { return 1; }
    int PlacesCount() const override { return static_cast<int>(m_values.size()); }
    std::string_view Value(int table, int place) const override
    {
        return table == 1 ? m_values.at(static_cast<std::size_t>(place - 1)) : std::string_view {};
    }

private:
    std::vector<std::string_view> m_values { "25", "20", "18", "16", "15", "14", "13", "12", "11", "10" };
};

// Rewritten again with the same settings, a rewritten protocol comes out as it is: what the first
// run inserted (award and points columns, summaries, the inspector's line) is taken out first.
void ExpectRewritingAgainKeepsIt(const RewriteResult &once,
    const std::vector<GroupSettings> &groups, const ProcessOptions &options,
    const InspectorRequest &askInspector)
{
    const ProtocolLines rewritten(once.Lines);
    std::vector<GroupSettings> again = groups;
    UpdateGroups(rewritten, again);
    const RewriteResult twice
        = RewriteProtocol(rewritten, again, options, SampleTable(), askInspector);
    ASSERT_TRUE(twice.Ok());
    EXPECT_EQ(ProtocolBytes(twice.Lines), ProtocolBytes(once.Lines));
}

TEST(GoldenExample, RewriteMatchesExpectedProtocol)
{
    const std::filesystem::path examples = LAPWING_EXAMPLES_DIR;
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
    ASSERT_TRUE(LoadProtocol(examples / "sample_protocol.htm", lines, groups).Ok());
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].Name, "М21"_w1251);
    EXPECT_EQ(groups[2].Category, Category::Juniors);
    EXPECT_EQ(groups[3].Category, Category::Combined);

    groups[0].DistanceClass = DistanceClass::Ms; // МС
    groups[0].MastersCount = 2;
    groups[0].PointsTable = 1;
    groups[3].DistanceClass = DistanceClass::Third; // III р.
    groups[3].PointsTable = 1;

    ProcessOptions options;
    options.RatingPoints = true;
    int asked = 0;
    const RewriteResult result = RewriteProtocol(lines, groups, options, SampleTable(), [&] {
        ++asked;
        return std::optional<std::string>(std::string("Кузьмич А.Б."_w1251));
    });
    ASSERT_TRUE(result.Ok()) << (result.Failed() ? result.Error().Reason : "cancelled");
    EXPECT_EQ(asked, 1);

    const std::string expected = ReadBytes(examples / "sample_protocol_expected.htm");
    const std::string actual = ProtocolBytes(result.Lines);
    if (actual != expected) {
        const auto actualLines = SplitLines(actual);
        const auto expectedLines = SplitLines(expected);
        for (std::size_t i = 0; i < std::max(actualLines.size(), expectedLines.size()); ++i) {
            const std::string_view a = i < actualLines.size() ? actualLines[i] : "<none>";
            const std::string_view e = i < expectedLines.size() ? expectedLines[i] : "<none>";
            ASSERT_EQ(Cp1251ToUtf8(a), Cp1251ToUtf8(e)) << "first difference at line " << i + 1;
        }
        FAIL() << "the protocols differ in their line ends";
    }
    ExpectRewritingAgainKeepsIt(result, groups, options,
        [] { return std::optional<std::string>(std::string("Кузьмич А.Б."_w1251)); });
}

// Every table layout the reader knows, with the settings examples/README.md gives for it.
TEST(GoldenExample, LayoutsRewriteMatchesExpectedProtocol)
{
    const std::filesystem::path examples = LAPWING_EXAMPLES_DIR;
    ProtocolLines lines;
    std::vector<GroupSettings> groups;
    ASSERT_TRUE(LoadProtocol(examples / "layouts_protocol.htm", lines, groups).Ok());
    ASSERT_EQ(groups.size(), 7u);
    groups[1].PointsTable = 1; // Ж21, the gap column
    groups[3].PointsTable = 1; // М40, the year first and a points column
    groups[5].DistanceClass = DistanceClass::Second; // М18, left-aligned
    groups[5].Category = Category::Combined;
    ProcessOptions options;
    options.RatingPoints = true;
    const RewriteResult result = RewriteProtocol(lines, groups, options, SampleTable(), {});
    ASSERT_TRUE(result.Ok()) << (result.Failed() ? result.Error().Reason : "cancelled");
    EXPECT_EQ(ProtocolBytes(result.Lines), ReadBytes(examples / "layouts_protocol_expected.htm"));
    ExpectRewritingAgainKeepsIt(result, groups, options, {});
}

} // namespace
