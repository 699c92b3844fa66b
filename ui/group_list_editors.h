// The group list (StringGrid2) and the four editors that lie over its cells: which editor a cell
// opens, where it lies, and when its choice goes into the group's settings.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QObject>
#include <QStringList>

#include "engine/protocol.h"

class QComboBox;
class QLineEdit;
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
    void CommitClass();
    void CommitCategory();
    void CommitTable();
    void CommitMastersCount();
    bool MastersCountKey(int key); // true when the key was used
    // Closes the open editor without taking its text.
    void Hide();
    // The same, giving the grid the focus back (Escape).
    void Cancel();

    QComboBox *ClassEditor() const { return m_class; }
    QComboBox *CategoryEditor() const { return m_category; }
    QLineEdit *MastersEditor() const { return m_masters; }
    QComboBox *TableEditor() const { return m_table; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool ListEditorEvent(QEvent *event);
    void Show(QWidget *editor, int col, int row);
    void Place();
    void FitHeadingColumn();
    void CommitList(QComboBox *editor, const std::function<void(int)> &apply);
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

    QWidget *m_open = nullptr; // the visible editor
    int m_col = 0;
    int m_row = 0;
    bool m_finishing = false; // an editor is being closed
    bool m_movingSelection = false; // the current cell is moved here, not by the user
};

} // namespace ui
