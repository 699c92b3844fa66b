#include "ui/points_grid_view.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QToolTip>
#include <QValidator>

#include "points/points_values.h"
#include "ui/keyboard_focus.h"
#include "ui/messages.h"
#include "ui/text_codec.h"

namespace ui {

namespace {

    constexpr int InitialColumnWidth = 30;
    constexpr int RowHeight = 16;

    // Refuses what is not a points value, with the hint beside the cell; only taking away from a
    // cell that already holds such text (loaded from the file) is let through, so it can be fixed.
    class PointsValueValidator final : public QValidator
    {
    public:
        explicit PointsValueValidator(QLineEdit *editor)
            : QValidator(editor)
            , m_editor(editor)
        {
        }

        State validate(QString &input, int &) const override
        {
            if (points::IsPointsValue(ToCp1251(input)))
                return Acceptable;
            if (input.size() < m_editor->text().size())
                return Intermediate;
            QToolTip::showText(m_editor->mapToGlobal(QPoint(0, m_editor->height())),
                text::PointsValueHint(), m_editor);
            return Invalid;
        }

    private:
        QLineEdit *m_editor;
    };

} // namespace

QWidget *PointsCellDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setValidator(new PointsValueValidator(editor));
    editor->setToolTip(text::PointsValueHint());
    const QPersistentModelIndex cell(index);
    connect(editor, &QLineEdit::textEdited, this, [this, cell](const QString &text) {
        if (cell.isValid())
            emit EditTextChanged(cell, text);
    });
    return editor;
}

void PointsCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // The model hears of every keystroke and reports the cell changed; setting the same text
    // again would move the cursor to the end under the user's fingers.
    auto *lineEdit = static_cast<QLineEdit *>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (lineEdit->text() != text)
        lineEdit->setText(text);
}

void PointsCellDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

PointsGridView::PointsGridView(QWidget *parent)
    : QTableView(parent)
    , m_delegate(new PointsCellDelegate(this))
{
    setItemDelegate(m_delegate);
    // Tab leaves the grid, also from a cell being edited, instead of walking its cells round and
    // round; the arrows and Enter walk them.
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
        | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setDefaultSectionSize(InitialColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    // The corner is the fixed cell (0, 0): it shows a text and selects nothing.
    setCornerButtonEnabled(false);
    m_corner = findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    if (m_corner)
        m_corner->installEventFilter(this);
}

void PointsGridView::SetCornerText(const QString &text)
{
    m_cornerText = text;
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(text) + 10);
    if (m_corner)
        m_corner->update();
}

void PointsGridView::SetEmptyHint(const QString &hint)
{
    m_emptyHint = hint;
    setToolTip(hint);
    viewport()->update();
}

void PointsGridView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
        // Tab in a cell's editor: the text is taken already; the focus goes on to the next control.
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
        return;
    }
    QTableView::closeEditor(editor, hint);
    // Enter in a cell goes on to the next place, as the secretary types a column downwards.
    if (hint == QAbstractItemDelegate::SubmitModelCache)
        MoveDown();
}

void PointsGridView::keyPressEvent(QKeyEvent *event)
{
    if (LeaveByCtrlTab(*event, window()))
        return;
    if (state() != EditingState) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            MoveDown();
            return;
        case Qt::Key_Delete: {
            QList<QPoint> cells;
            for (const QModelIndex &index : selectedIndexes())
                cells.append(QPoint(index.column() + 1, index.row() + 1));
            if (cells.isEmpty() && currentIndex().isValid())
                cells.append(QPoint(currentIndex().column() + 1, currentIndex().row() + 1));
            emit ClearRequested(cells);
            return;
        }
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void PointsGridView::MoveDown()
{
    const QModelIndex current = currentIndex();
    const QModelIndex below = current.sibling(current.row() + 1, current.column());
    if (below.isValid())
        selectionModel()->setCurrentIndex(below, QItemSelectionModel::ClearAndSelect);
}

void PointsGridView::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    if (m_emptyHint.isEmpty())
        return;
    // Below the spare cell, where the first table will grow.
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const QRect cell = visualRect(model() ? model()->index(0, 0) : QModelIndex());
    const QRect area = viewport()->rect().adjusted(4, cell.bottom() + 6, -4, -4);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_emptyHint);
}

void PointsGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        emit CellSelected(current.column() + 1, current.row() + 1);
}

bool PointsGridView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_corner && event->type() == QEvent::Paint) {
        QPainter painter(m_corner);
        QStyleOptionHeader option;
        // The corner button is disabled so that it selects nothing; its text looks like the
        // other headers all the same.
        option.initFrom(m_corner);
        option.state |= QStyle::State_Enabled;
        option.palette = palette();
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.rect = m_corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.textAlignment = Qt::AlignCenter;
        option.text = m_cornerText;
        style()->drawControl(QStyle::CE_Header, &option, &painter, m_corner);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace ui
