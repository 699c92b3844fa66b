#include "ui/group_list.h"

#include "engine/group_items.h"
#include "engine/numbers.h"
#include "ui/text_codec.h"
#include "ui/messages.h"

namespace ui {

QStringList GroupListHeaders()
{
    return { ui::text::GroupColumnHeader, ui::text::ClassColumnHeader,
        ui::text::CategoryColumnHeader, ui::text::MastersColumnHeader,
        ui::text::TableColumnHeader };
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

std::optional<QString> GroupCellText(
    const engine::GroupSettings &group, int col, const QStringList &captions)
{
    static const QStringList classes = DistanceClassItems();
    static const QStringList categories = CategoryItems();
    const auto item = [](const QStringList &items, int index) -> std::optional<QString> {
        if (index < 0 || index >= items.size())
            return std::nullopt;
        return items[index];
    };
    switch (col) {
    case HeadingColumn:
        return FromCp1251(group.Heading);
    case ClassColumn:
        return item(classes, static_cast<int>(group.DistanceClass));
    case CategoryColumn:
        return item(categories, static_cast<int>(group.Category));
    case MastersColumn:
        return MastersCountText(group);
    case TableColumn:
        return item(captions, group.PointsTable);
    default:
        return std::nullopt;
    }
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
