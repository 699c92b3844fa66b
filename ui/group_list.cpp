#include "ui/group_list.h"

#include <QCoreApplication>

#include "engine/group_items.h"
#include "engine/numbers.h"
#include "ui/text_codec.h"
#include "ui/messages.h"

namespace ui {

QStringList GroupListHeaders()
{
    return { ui::text::GroupColumnHeader(), ui::text::ClassColumnHeader(),
        ui::text::CategoryColumnHeader(), ui::text::MastersColumnHeader(),
        ui::text::TableColumnHeader() };
}

namespace {

    // The class and category items in the window's language. The engine's own (the batch tool
    // reads and writes them) are the source texts, in the same order, so that an item's index
    // is the setting.
    constexpr const char *DistanceClassTexts[] = {
        QT_TRANSLATE_NOOP("Lapwing", "МС"),
        QT_TRANSLATE_NOOP("Lapwing", "КМС"),
        QT_TRANSLATE_NOOP("Lapwing", "I р."),
        QT_TRANSLATE_NOOP("Lapwing", "II р."),
        QT_TRANSLATE_NOOP("Lapwing", "III р."),
        QT_TRANSLATE_NOOP("Lapwing", "I юн"),
        QT_TRANSLATE_NOOP("Lapwing", "II юн"),
        QT_TRANSLATE_NOOP("Lapwing", "-- Не считать --"),
    };
    constexpr const char *CategoryTexts[] = {
        QT_TRANSLATE_NOOP("Lapwing", "Дарослыя"),
        QT_TRANSLATE_NOOP("Lapwing", "Юнацкія"),
        QT_TRANSLATE_NOOP("Lapwing", "Злучаныя"),
        QT_TRANSLATE_NOOP("Lapwing", "Не лічыць"),
    };

    template <std::size_t N>
    constexpr bool SameTexts(
        const char *const (&texts)[N], const std::array<std::string_view, N> &engine)
    {
        for (std::size_t i = 0; i < N; ++i) {
            if (std::string_view(texts[i]) != engine[i])
                return false;
        }
        return true;
    }
    static_assert(SameTexts(DistanceClassTexts, engine::DistanceClassItems));
    static_assert(SameTexts(CategoryTexts, engine::CategoryItems));

    template <std::size_t N> QStringList Items(const char *const (&texts)[N])
    {
        QStringList items;
        for (const char *text : texts)
            items.append(QCoreApplication::translate("Lapwing", text));
        return items;
    }

    // Item `index` of `texts` in the window's language, none out of range: asked for every
    // cell the list paints and checks, so only the one item is translated.
    template <std::size_t N>
    std::optional<QString> TranslatedItem(const char *const (&texts)[N], int index)
    {
        if (index < 0 || static_cast<std::size_t>(index) >= N)
            return std::nullopt;
        return QCoreApplication::translate("Lapwing", texts[index]);
    }

} // namespace

QStringList DistanceClassItems() { return Items(DistanceClassTexts); }

QStringList CategoryItems() { return Items(CategoryTexts); }

QStringList TableCaptionItems(const std::vector<std::string> &captions)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(captions.size()));
    for (const std::string &caption : captions)
        items.append(FromCp1251(caption));
    // The first, "Без ачкоў", is the window's word, the rest are the tables' points.
    if (!items.isEmpty())
        items.front() = text::NoPointsTable();
    return items;
}

QString MastersCountText(const engine::GroupSettings &group)
{
    return group.DistanceClass == engine::DistanceClass::Ms ? QString::number(group.MastersCount) : QStringLiteral("--");
}

std::optional<QString> GroupCellText(
    const engine::GroupSettings &group, int col, const QStringList &captions)
{
    switch (col) {
    case HeadingColumn:
        return FromCp1251(group.Heading);
    case ClassColumn:
        return TranslatedItem(DistanceClassTexts, static_cast<int>(group.DistanceClass));
    case CategoryColumn:
        return TranslatedItem(CategoryTexts, static_cast<int>(group.Category));
    case MastersColumn:
        return MastersCountText(group);
    case TableColumn:
        if (group.PointsTable < 0 || group.PointsTable >= captions.size())
            return std::nullopt;
        return captions[group.PointsTable];
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
