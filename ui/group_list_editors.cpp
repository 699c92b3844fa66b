// The group list's editors: making them, filling the list, opening an editor over a cell and
// taking its choice into the group. What keys and the focus do with them is in
// group_list_editor_keys.cpp.
#include "ui/group_list_editors.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include "ui/group_list.h"
#include "ui/group_list_model.h"
#include "ui/messages.h"
#include "ui/text_codec.h"

namespace ui {

namespace {

    constexpr int RowHeight = 19;
    constexpr int MaxHeadingWidth = 220;
    constexpr int ColumnWidths[GroupColumnCount] = { 82, 76, 78, 51, 102 };
    constexpr int HintMilliseconds = 8000;
    constexpr int HeaderPadding = 14; // pixels around a header's text

    QComboBox *CreateListEditor(QWidget *parent, const QString &name, const QStringList &items)
    {
        auto *editor = new QComboBox(parent);
        editor->setObjectName(name);
        editor->setEditable(true);
        editor->setInsertPolicy(QComboBox::NoInsert);
        editor->setCompleter(nullptr);
        editor->addItems(items);
        editor->hide();
        return editor;
    }

} // namespace

GroupListEditors::GroupListEditors(
    QTableView *grid, std::vector<engine::GroupSettings> &groups, QWidget *window)
    : m_grid(grid)
    , m_groups(groups)
    , m_model(new GroupListModel(groups, this))
    , m_window(window)
    , m_class(CreateListEditor(window, QStringLiteral("cbMaxKval"), DistanceClassItems()))
    , m_category(CreateListEditor(window, QStringLiteral("ComboBox4"), CategoryItems()))
    , m_masters(new QLineEdit(window))
    , m_table(CreateListEditor(window, QStringLiteral("ComboBox3"), {}))
    , m_hint(new QLabel(window))
    , m_hintTimer(new QTimer(this))
{
    m_masters->setObjectName(QStringLiteral("ebMastersCount"));
    m_masters->hide();
    // A child of the window rather than a tooltip: a tooltip goes at the next click or change of
    // focus, and the hint must stay until the user has read it.
    m_hint->setObjectName(QStringLiteral("GroupEditorHint"));
    m_hint->setWordWrap(true);
    m_hint->setFrameShape(QFrame::Box);
    m_hint->setMargin(3);
    m_hint->setAutoFillBackground(true);
    m_hint->setBackgroundRole(QPalette::ToolTipBase);
    m_hint->setForegroundRole(QPalette::ToolTipText);
    m_hint->hide();
    m_hintTimer->setSingleShot(true);
    m_hintTimer->setInterval(HintMilliseconds);
    connect(m_hintTimer, &QTimer::timeout, this, &GroupListEditors::HideHint);

    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setMinimumSectionSize(8);
    m_grid->verticalHeader()->hide();
    // Tab leaves the list (its cells are walked with the arrows), so that it is no trap.
    m_grid->setTabKeyNavigation(false);
    m_grid->verticalHeader()->setMinimumSectionSize(8);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    int width = 2 * m_grid->frameWidth() + m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int col = 0; col < GroupColumnCount; ++col) {
        // The class and category editors lie over their cells: a column is as wide as its
        // editor needs for the longest item ("-- Не считать --", "Не лічыць"), so none is cut.
        int columnWidth = ColumnWidths[col];
        // Nor is a header: the Russian and English ones are longer than the Belarusian.
        const QString header = GroupListHeaders().value(col); // the model shows them once filled
        columnWidth = std::max(columnWidth,
            m_grid->horizontalHeader()->fontMetrics().horizontalAdvance(header) + HeaderPadding);
        if (col == ClassColumn || col == CategoryColumn) {
            QComboBox *editor = col == ClassColumn ? m_class : m_category;
            editor->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            columnWidth = std::max(columnWidth, editor->sizeHint().width());
        }
        m_grid->setColumnWidth(col, columnWidth);
        width += columnWidth;
    }
    m_grid->setFixedWidth(width);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex &current) {
            if (!m_movingSelection && current.isValid())
                SelectCell(current.column(), current.row() + 1);
        });
    // A click on the current cell opens its editor again once it was closed.
    connect(m_grid, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (!m_open)
            SelectCell(index.column(), index.row() + 1);
    });
    connect(m_class, &QComboBox::activated, this, &GroupListEditors::CommitClass);
    connect(m_category, &QComboBox::activated, this, &GroupListEditors::CommitCategory);
    connect(m_table, &QComboBox::activated, this, &GroupListEditors::CommitTable);
    for (QWidget *editor : { static_cast<QWidget *>(m_class), static_cast<QWidget *>(m_category),
             static_cast<QWidget *>(m_masters), static_cast<QWidget *>(m_table) })
        editor->installEventFilter(this);
    m_grid->installEventFilter(this);
    connect(
        m_grid->horizontalHeader(), &QHeaderView::sectionResized, this, &GroupListEditors::Place);
    connect(
        m_grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, &GroupListEditors::Place);
    connect(m_grid->verticalScrollBar(), &QScrollBar::valueChanged, this, &GroupListEditors::Place);
    connect(qApp, &QApplication::focusChanged, this, &GroupListEditors::FocusChanged);
}

bool GroupListEditors::Refill(const std::vector<std::string> &captions)
{
    HideHint(); // it spoke of a row of the list before
    m_movingSelection = true;
    const bool filled = m_model->Refill(TableCaptionItems(captions));
    if (filled)
        FitHeadingColumn();
    m_movingSelection = false;
    return filled;
}

void GroupListEditors::FitHeadingColumn()
{
    // Whole headings where they fit in reason; the tooltip shows any that still does not.
    int width = ColumnWidths[HeadingColumn];
    for (const engine::GroupSettings &group : m_groups)
        width = std::max(
            width, m_grid->fontMetrics().horizontalAdvance(FromCp1251(group.Heading)) + 10);
    width = std::min(width, MaxHeadingWidth);
    m_grid->setFixedWidth(m_grid->minimumWidth() - m_grid->columnWidth(HeadingColumn) + width);
    m_grid->setColumnWidth(HeadingColumn, width);
}

void GroupListEditors::ShowTableCaptions(const std::vector<std::string> &captions)
{
    const QStringList items = TableCaptionItems(captions);
    QStringList current;
    for (int i = 0; i < m_table->count(); ++i)
        current.append(m_table->itemText(i));
    if (current != items) {
        m_table->clear();
        m_table->addItems(items);
    }
    m_model->SetCaptions(items);
}

void GroupListEditors::SelectCell(int col, int row)
{
    // The current cell moved while an editor was open: its text is taken (or refused) as on any
    // other way out of it.
    if (m_open)
        CommitOpen();
    Hide();
    if (row < 1 || row > static_cast<int>(m_groups.size()))
        return;
    const engine::GroupSettings &group = m_groups[static_cast<std::size_t>(row - 1)];
    switch (col) {
    case TableColumn:
        m_table->setCurrentIndex(group.PointsTable < m_table->count() ? group.PointsTable : -1);
        Show(m_table, col, row);
        break;
    case CategoryColumn:
        m_category->setCurrentIndex(static_cast<int>(group.Category));
        Show(m_category, col, row);
        break;
    case ClassColumn:
        m_class->setCurrentIndex(static_cast<int>(group.DistanceClass));
        Show(m_class, col, row);
        break;
    case MastersColumn:
        if (group.DistanceClass != engine::DistanceClass::Ms)
            break;
        m_masters->setText(QString::number(group.MastersCount));
        m_masters->selectAll();
        Show(m_masters, col, row);
        break;
    default:
        break;
    }
}

void GroupListEditors::Show(QWidget *editor, int col, int row)
{
    m_open = editor;
    m_col = col;
    m_row = row;
    m_grid->scrollTo(m_model->index(row - 1, col));
    Place();
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void GroupListEditors::Place()
{
    if (!m_open)
        return;
    const QRect cell = m_grid->visualRect(m_model->index(m_row - 1, m_col));
    m_open->setGeometry(QRect(m_grid->viewport()->mapTo(m_window, cell.topLeft()), cell.size()));
}

void GroupListEditors::Hide()
{
    // A list editor left with a text that names no item was not committed; it just goes.
    m_finishing = true;
    for (QWidget *editor : { static_cast<QWidget *>(m_class), static_cast<QWidget *>(m_category),
             static_cast<QWidget *>(m_masters), static_cast<QWidget *>(m_table) })
        editor->hide();
    m_open = nullptr;
    m_finishing = false;
}

engine::GroupSettings *GroupListEditors::EditedGroup()
{
    if (m_row < 1 || m_row > static_cast<int>(m_groups.size()))
        return nullptr;
    return &m_groups[static_cast<std::size_t>(m_row - 1)];
}

bool GroupListEditors::CommitList(QComboBox *editor, const std::function<void(int)> &apply)
{
    if (m_finishing || m_open != editor || !EditedGroup())
        return false;
    // The item as typed, or differing only in case or in blanks around it.
    const QString typed = editor->currentText().trimmed();
    int index = editor->findText(typed, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = editor->findText(typed, Qt::MatchFixedString);
    if (index < 0) {
        Refuse(editor);
        return false;
    }
    editor->setCurrentIndex(index);
    apply(index);
    m_model->GroupChanged(m_row - 1);
    HideHint();
    Finish(editor);
    return true;
}

int GroupListEditors::StoredItem(const QComboBox *editor)
{
    const engine::GroupSettings &group = *EditedGroup();
    if (editor == m_class)
        return static_cast<int>(group.DistanceClass);
    if (editor == m_category)
        return static_cast<int>(group.Category);
    return group.PointsTable < m_table->count() ? group.PointsTable : -1;
}

void GroupListEditors::Refuse(QComboBox *editor)
{
    // A text that names no item would be lost without a word: the group's own item shows again,
    // selected so that typing replaces it, and the hint says what happened.
    const QString typed = editor->currentText();
    const int stored = StoredItem(editor);
    editor->setCurrentIndex(stored);
    editor->setEditText(stored >= 0 ? editor->itemText(stored) : QString());
    if (editor->lineEdit())
        editor->lineEdit()->selectAll();
    ShowHint(text::ListItemRefused().arg(typed, editor->currentText()));
}

void GroupListEditors::ShowHint(const QString &text)
{
    const QRect cell = m_grid->visualRect(m_model->index(m_row - 1, m_col));
    const QPoint below = m_grid->viewport()->mapTo(m_window, cell.bottomLeft()) + QPoint(0, 2);
    m_hint->setText(text);
    const int width = std::min(320, std::max(160, m_window->width() - below.x() - 4));
    m_hint->setFixedWidth(width);
    m_hint->adjustSize();
    m_hint->move(below);
    m_hint->show();
    m_hint->raise();
    m_hintTimer->start();
}

void GroupListEditors::HideHint()
{
    m_hintTimer->stop();
    m_hint->hide();
}

void GroupListEditors::Finish(QWidget *editor)
{
    m_finishing = true;
    if (!m_leaving)
        m_grid->setFocus(Qt::OtherFocusReason);
    editor->hide();
    m_open = nullptr;
    m_finishing = false;
}

bool GroupListEditors::CommitClass()
{
    // The row is shown anew, the masters count's cell with it.
    return CommitList(m_class, [this](int index) {
        EditedGroup()->DistanceClass = static_cast<engine::DistanceClass>(index);
    });
}

bool GroupListEditors::CommitCategory()
{
    return CommitList(m_category, [this](int index) { EditedGroup()->Category = static_cast<engine::Category>(index); });
}

bool GroupListEditors::CommitTable()
{
    return CommitList(m_table, [this](int index) { EditedGroup()->PointsTable = index; });
}

bool GroupListEditors::CommitMastersCount()
{
    engine::GroupSettings *group = EditedGroup();
    if (m_finishing || m_open != m_masters || !group)
        return false;
    group->MastersCount = ParseMastersCount(m_masters->text());
    m_model->GroupChanged(m_row - 1);
    HideHint();
    Finish(m_masters);
    return true;
}

bool GroupListEditors::CommitOpen()
{
    if (m_open == m_class)
        return CommitClass();
    if (m_open == m_category)
        return CommitCategory();
    if (m_open == m_table)
        return CommitTable();
    if (m_open == m_masters)
        return CommitMastersCount();
    return false;
}

} // namespace ui
