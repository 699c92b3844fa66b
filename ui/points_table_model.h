// A Qt table model that owns the points tables: grid cell (c, r) of the places and tables is
// model index (r - 1, c - 1); the letters and place numbers are its headers.
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QColor>

#include "points/points_tables.h"

namespace ui {

class PointsTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit PointsTableModel(QObject *parent = nullptr);

    const points::PointsTables &Tables() const { return m_tables; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // The text of cell (col, row) of the grid was changed in its editor.
    void SetEditText(int col, int row, const QString &text);
    // Removes the empty tables and rebuilds the captions.
    struct Compaction
    {
        points::CellPosition Current; // where the current cell goes
        std::vector<int> Removed; // the table numbers that went, before the others moved in
    };
    Compaction Compact(points::CellPosition current);
    // Empties the cells (col, row) as edits do; returns whether any held text.
    bool ClearCells(const std::vector<points::CellPosition> &cells);
    // Replaces the tables as a whole.
    void Load(points::PointsTables tables);
    // The tables as they are now were written to the settings file.
    void MarkSaved() { m_tables.TablesModified = false; }

    // "Месца", in the window's language: the text of the grid's corner cell.
    QString CornerText() const;

    // The background of a cell whose text is not a points value.
    static inline const QColor BadValueBackground { 255, 200, 200 };

    static QModelIndex CellIndex(const QAbstractItemModel &model, int col, int row);
    static points::CellPosition CellOf(const QModelIndex &index);

signals:
    // A cell was edited: the captions were rebuilt and the tables marked modified.
    void TablesEdited();

private:
    // Tells the views about columns and rows that the grid gained or lost at its end.
    void FollowGridShape();

    points::PointsTables m_tables;
    int m_columns = 0; // the shape the views know
    int m_rows = 0;
};

} // namespace ui
