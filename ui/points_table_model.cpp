#include "ui/points_table_model.h"

#include "points/points_values.h"
#include "ui/messages.h"
#include "ui/text_codec.h"

namespace ui {

PointsTableModel::PointsTableModel(QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(m_tables.Grid.ColCount() - 1)
    , m_rows(m_tables.Grid.RowCount() - 1)
{
}

int PointsTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int PointsTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns;
}

QVariant PointsTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const points::CellPosition cell = CellOf(index);
    const std::string_view value = m_tables.Grid.Value(cell.Col, cell.Row);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return FromCp1251(value);
    // Text that is not a points value (from the settings file) is marked until it is fixed.
    if (points::IsPointsValue(value))
        return {};
    if (role == Qt::BackgroundRole)
        return BadValueBackground;
    if (role == Qt::ToolTipRole)
        return text::PointsValueHint();
    return {};
}

QVariant PointsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return FromCp1251(m_tables.Grid.Cell(section + 1, 0));
    return FromCp1251(m_tables.Grid.Cell(0, section + 1));
}

Qt::ItemFlags PointsTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool PointsTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const points::CellPosition cell = CellOf(index);
    // The editor reported every keystroke already; its final text changes nothing more.
    const QString text = value.toString();
    if (text != data(index, Qt::EditRole).toString())
        SetEditText(cell.Col, cell.Row, text);
    return true;
}

void PointsTableModel::SetEditText(int col, int row, const QString &text)
{
    points::OnCellEdited(m_tables, col, row, ToCp1251(text));
    FollowGridShape();
    const QModelIndex changed = CellIndex(*this, col, row);
    if (changed.isValid())
        emit dataChanged(changed, changed, { Qt::DisplayRole, Qt::EditRole });
    emit TablesEdited();
}

PointsTableModel::Compaction PointsTableModel::Compact(points::CellPosition current)
{
    Compaction result { current, points::EmptyTableColumns(m_tables.Grid) };
    if (result.Removed.empty())
        return result;
    result.Current = points::CompactTables(m_tables.Grid, current);
    points::RebuildTableCaptions(m_tables);
    // Letters stay with positions: the last columns go, and the cells of the rest move left.
    FollowGridShape();
    if (m_rows > 0 && m_columns > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_columns - 1));
    return result;
}

bool PointsTableModel::ClearCells(const std::vector<points::CellPosition> &cells)
{
    bool cleared = false;
    for (const points::CellPosition &cell : cells) {
        if (m_tables.Grid.Value(cell.Col, cell.Row).empty())
            continue;
        SetEditText(cell.Col, cell.Row, QString());
        cleared = true;
    }
    return cleared;
}

void PointsTableModel::Load(points::PointsTables tables)
{
    beginResetModel();
    m_tables = std::move(tables);
    m_columns = m_tables.Grid.ColCount() - 1;
    m_rows = m_tables.Grid.RowCount() - 1;
    endResetModel();
}

QString PointsTableModel::CornerText() const { return text::PlacesCorner(); }

QModelIndex PointsTableModel::CellIndex(const QAbstractItemModel &model, int col, int row)
{
    return model.index(row - 1, col - 1);
}

points::CellPosition PointsTableModel::CellOf(const QModelIndex &index)
{
    return { index.column() + 1, index.row() + 1 };
}

void PointsTableModel::FollowGridShape()
{
    const int columns = m_tables.Grid.ColCount() - 1;
    const int rows = m_tables.Grid.RowCount() - 1;
    if (columns == m_columns && rows == m_rows)
        return;
    if (columns > m_columns) {
        beginInsertColumns({}, m_columns, columns - 1);
        m_columns = columns;
        endInsertColumns();
    } else if (columns < m_columns) {
        beginRemoveColumns({}, columns, m_columns - 1);
        m_columns = columns;
        endRemoveColumns();
    }
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    // The former spare column and row now carry a letter and a number, or lost them.
    if (m_columns > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    if (m_rows > 0)
        emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
}

} // namespace ui
