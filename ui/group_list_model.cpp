#include "ui/group_list_model.h"

#include "ui/group_list.h"
#include "ui/messages.h"

namespace ui {

GroupListModel::GroupListModel(const std::vector<engine::GroupSettings> &groups, QObject *parent)
    : QAbstractTableModel(parent)
    , m_groups(groups)
{
}

bool GroupListModel::Refill(const QStringList &captions)
{
    m_captions = captions;
    // Rows go and come at the end, as a grid's row count changes: a reset would also forget the
    // columns' widths.
    const int rows = static_cast<int>(m_groups.size());
    if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    } else if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    if (rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, GroupColumnCount - 1));
    bool whole = rows > 0;
    for (const engine::GroupSettings &group : m_groups) {
        for (int col = 0; whole && col < GroupColumnCount; ++col)
            whole = GroupCellText(group, col, m_captions).has_value();
    }
    if (whole && !m_headers) {
        m_headers = true;
        emit headerDataChanged(Qt::Horizontal, 0, GroupColumnCount - 1);
    }
    return whole;
}

void GroupListModel::SetCaptions(const QStringList &captions)
{
    m_captions = captions;
    if (m_rows > 0)
        emit dataChanged(index(0, TableColumn), index(m_rows - 1, TableColumn));
}

void GroupListModel::GroupChanged(int row)
{
    if (row >= 0 && row < m_rows)
        emit dataChanged(index(row, 0), index(row, GroupColumnCount - 1));
}

int GroupListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GroupListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : GroupColumnCount;
}

QVariant GroupListModel::data(const QModelIndex &index, int role) const
{
    const bool heading = index.column() == HeadingColumn;
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_groups.size()
        || !(role == Qt::DisplayRole || (heading && role == Qt::ToolTipRole)))
        return {};
    // The tooltip shows a heading the column is too narrow for, and how its table is laid out.
    const engine::GroupSettings &group = m_groups[static_cast<std::size_t>(index.row())];
    const auto text = GroupCellText(group, index.column(), m_captions);
    if (role == Qt::ToolTipRole && text)
        return *text + QStringLiteral("\n") + text::TableLayoutTip()
            + (group.Table ? QString::fromLatin1(engine::LayoutName(group.Table->Layout.Kind))
                           : text::NoTableTip());
    return text ? QVariant(*text) : QVariant();
}

QVariant GroupListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_headers ? GroupListHeaders().value(section) : QString();
}

} // namespace ui
