#include "ui/group_list.h"

#include "engine/numbers.h"
#include "ui/text_codec.h"

namespace ui {

QStringList GroupListHeaders()
{
    return { QStringLiteral("Група"), QStringLiteral("Клас дыст."), QStringLiteral("Разрады"),
        QStringLiteral("к-во МС"), QStringLiteral("Табліца") };
}

QStringList DistanceClassItems()
{
    return { QStringLiteral("МС"), QStringLiteral("КМС"), QStringLiteral("I р."),
        QStringLiteral("II р."), QStringLiteral("III р."), QStringLiteral("I юн"),
        QStringLiteral("II юн"), QStringLiteral("-- Не считать --") };
}

QStringList CategoryItems()
{
    return { QStringLiteral("Дарослыя"), QStringLiteral("Юнацкія"), QStringLiteral("Злучаныя"),
        QStringLiteral("Не лічыць") };
}

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
    return group.DistanceClass == 0 ? QString::number(group.MastersCount) : QStringLiteral("--");
}

std::optional<std::array<QString, GroupColumnCount>> GroupRowTexts(
    const engine::GroupSettings &group, const std::vector<std::string> &captions)
{
    const QStringList classes = DistanceClassItems();
    const QStringList categories = CategoryItems();
    const bool known = group.DistanceClass >= 0 && group.DistanceClass < classes.size()
        && group.Category >= 0 && group.Category < categories.size() && group.PointsTable >= 0
        && static_cast<std::size_t>(group.PointsTable) < captions.size();
    if (!known)
        return std::nullopt;
    return std::array<QString, GroupColumnCount> {
        FromCp1251(group.Heading),
        classes[group.DistanceClass],
        categories[group.Category],
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
