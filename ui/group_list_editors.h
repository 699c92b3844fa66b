// The group list (StringGrid2) and the four editors that lie over its cells: which editor a cell
// opens, where it lies, and when its choice goes into the group's settings.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QStringList>

class QKeyEvent;

#include "engine/protocol.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;
class QTableView;
class QWidget;

namespace ui {

class GroupListModel;

class GroupListEditors final : public QObject
{
    Q_OBJECT

public:
    // `grid` is set up as the group list over a model of `groups`; the editors are made children
    // of `window`, hidden. `groups` must outlive this object.
    GroupListEditors(QTableView *grid, std::vector<engine::GroupSettings> &groups, QWidget *window);

    // Shows one row per group; false when there is none, or when a setting has no item to show
    // (its cell stays blank).
    bool Refill(const std::vector<std::string> &captions);
    // The points tables' captions changed: the table editor's items and the table cells follow.
    void ShowTableCaptions(const std::vector<std::string> &captions);

    // Opens the editor of a cell (col, row >= 1 of the grid) after closing any other.
    void SelectCell(int col, int row);
    // Each takes its editor's text into the group and closes it; false when the text names no
    // item, and then the editor shows the group's own item again with the hint.
    bool CommitClass();
    bool CommitCategory();
    bool CommitTable();
    bool CommitMastersCount();
    bool MastersCountKey(int key); // true when the key was used
    // Closes the open editor without taking its text.
    void Hide();
    // The same, giving the grid the focus back (Escape).
    void Cancel();

    QComboBox *ClassEditor() const { return m_class; }
    QComboBox *CategoryEditor() const { return m_category; }
    QLineEdit *MastersEditor() const { return m_masters; }
    QComboBox *TableEditor() const { return m_table; }
    // Says beside the cell why a typed text was not taken; hidden by the next edit.
    QLabel *Hint() const { return m_hint; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool ListEditorEvent(QEvent *event);
    void Show(QWidget *editor, int col, int row);
    void Place();
    void FitHeadingColumn();
    // True when the typed text named an item and went into the group; otherwise the editor shows
    // the group's own item again and the hint says so.
    bool CommitList(QComboBox *editor, const std::function<void(int)> &apply);
    int StoredItem(const QComboBox *editor);
    void Refuse(QComboBox *editor);
    void ShowHint(const QString &text);
    void HideHint();
    // Leaving the open editor by a key that moves the grid's current cell: its text is taken
    // first, and the key goes on to the grid; a text that is no item keeps the editor open.
    bool LeaveByKey(QKeyEvent *press);
    bool CommitOpen();
    void Finish(QWidget *editor);
    engine::GroupSettings *EditedGroup();
    void FocusChanged(QWidget *old, QWidget *now);

    QTableView *m_grid;
    std::vector<engine::GroupSettings> &m_groups;
    GroupListModel *m_model;
    QWidget *m_window;
    QComboBox *m_class;
    QComboBox *m_category;
    QLineEdit *m_masters;
    QComboBox *m_table;
    QLabel *m_hint;
    QTimer *m_hintTimer;

    QWidget *m_open = nullptr; // the visible editor
    int m_col = 0;
    int m_row = 0;
    bool m_finishing = false; // an editor is being closed
    bool m_leaving = false; // the focus went elsewhere: closing an editor does not take it back
    bool m_movingSelection = false; // the current cell is moved here, not by the user
};

} // namespace ui
