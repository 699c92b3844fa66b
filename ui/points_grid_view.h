// The view of the points tables: the grid's fixed row and column drawn as headers, cells edited
// in place with every change of the editor's text reported at once.
#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

class QAbstractButton;

namespace ui {

// A line editor whose every change of text (keystroke, paste, deletion) is reported, as the
// points tables grow while the user types into their spare column or row.
class PointsCellDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

signals:
    void EditTextChanged(const QModelIndex &index, const QString &text) const;
};

class PointsGridView final : public QTableView
{
    Q_OBJECT

public:
    explicit PointsGridView(QWidget *parent = nullptr);

    // The text of the fixed corner cell; column 0 is made as wide as it plus 10 pixels.
    void SetCornerText(const QString &text);
    QString CornerText() const { return m_cornerText; }

    PointsCellDelegate *CellDelegate() const { return m_delegate; }

    // Shown over the empty grid (and as its tooltip): how to start a table. Empty: none.
    void SetEmptyHint(const QString &hint);
    QString EmptyHint() const { return m_emptyHint; }

signals:
    // The current cell moved to (col, row) of the grid.
    void CellSelected(int col, int row);
    // Delete was pressed over these cells (col, row) of the grid.
    void ClearRequested(const QList<QPoint> &cells);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    PointsCellDelegate *m_delegate;
    QAbstractButton *m_corner = nullptr;
    QString m_cornerText;
    QString m_emptyHint;

    void MoveDown();
};

} // namespace ui
