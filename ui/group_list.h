// The texts of the group list: its headers, the items of its editors and the cells of a group.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

#include "engine/protocol.h"

namespace ui {

enum GroupColumn : int {
    HeadingColumn = 0,
    ClassColumn = 1,
    CategoryColumn = 2,
    MastersColumn = 3,
    TableColumn = 4,
    GroupColumnCount = 5,
};

QStringList GroupListHeaders();
QStringList DistanceClassItems(); // items of cbMaxKval
QStringList CategoryItems(); // items of ComboBox4
// Items of ComboBox3: the points tables' captions, decoded from Windows-1251.
QStringList TableCaptionItems(const std::vector<std::string> &captions);

// "--" unless the course is of class МС; then the masters count.
QString MastersCountText(const engine::GroupSettings &group);

// The text of a group's cell in column `col`; nothing when its setting has no item to show (a
// points table beyond the captions, for one). `captions` are TableCaptionItems.
std::optional<QString> GroupCellText(
    const engine::GroupSettings &group, int col, const QStringList &captions);

// Groups follow their points tables when `removed` tables (numbers before the removal, in
// increasing order) went and the rest moved up; a group whose own table went gets none (0).
// Returns the names of those groups.
QStringList FollowRemovedTables(
    std::vector<engine::GroupSettings> &groups, const std::vector<int> &removed);

// The masters count typed by the user; 0 when the text is not a number.
int ParseMastersCount(const QString &text);

} // namespace ui
