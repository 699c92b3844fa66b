#include "ui/group_list.h"

#include "engine/group_items.h"
#include "engine/numbers.h"
#include "ui/text_codec.h"

namespace ui {

QStringList GroupListHeaders()
{
    return { QStringLiteral("Група"), QStringLiteral("Клас дыст."), QStringLiteral("Разрады"),
        QStringLiteral("к-во МС"), QStringLiteral("Табліца") };
}

template <std::size_t N>
static QStringList Items(const std::array<std::string_view, N> &texts)
{
    QStringList items;
    for (const std::string_view text : texts)
        items.append(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    return items;
}

QStringList DistanceClassItems() { return Items(engine::DistanceClassItems); }

QStringList CategoryItems() { return Items(engine::CategoryItems); }

QStringList TableCaptionItems(const std::vector<std::string> &captions)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(captions.size()));
    for (const std::string &caption : captions)
        items.append(FromCp1251(caption));
    return items;
}

QString MastersCountText(const engine::GroupSettings &group)
{
    return group.DistanceClass == engine::DistanceClass::Ms ? QString::number(group.MastersCount) : QStringLiteral("--");
}

std::optional<std::array<QString, GroupColumnCount>> GroupRowTexts(
    const engine::GroupSettings &group, const std::vector<std::string> &captions)
{
    const QStringList classes = DistanceClassItems();
    const QStringList categories = CategoryItems();
    const int distanceClass = static_cast<int>(group.DistanceClass);
    const int category = static_cast<int>(group.Category);
    const bool known = distanceClass >= 0 && distanceClass < classes.size() && category >= 0
        && category < categories.size() && group.PointsTable >= 0
        && static_cast<std::size_t>(group.PointsTable) < captions.size();
    if (!known)
        return std::nullopt;
    return std::array<QString, GroupColumnCount> {
        FromCp1251(group.Heading),
        classes[distanceClass],
        categories[category],
        MastersCountText(group),
        FromCp1251(captions[static_cast<std::size_t>(group.PointsTable)]),
    };
}

QStringList FollowRemovedTables(
    std::vector<engine::GroupSettings> &groups, const std::vector<int> &removed)
{
    QStringList lost;
    for (engine::GroupSettings &group : groups) {
        int before = 0;
        bool gone = false;
        for (const int table : removed) {
            gone = gone || table == group.PointsTable;
            before += table < group.PointsTable ? 1 : 0;
        }
        if (gone) {
            group.PointsTable = 0;
            lost.append(FromCp1251(group.Name));
        } else {
            group.PointsTable -= before;
        }
    }
    return lost;
}

int ParseMastersCount(const QString &text) { return engine::ParseInt(ToCp1251(text)).value_or(0); }

} // namespace ui
