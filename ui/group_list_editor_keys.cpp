// The group list's editors and the keyboard: the keys that take an editor's text and move on,
// Escape, the wheel, and the focus leaving an editor.
#include "ui/group_list_editors.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

#include "ui/group_list_model.h"
#include "ui/keyboard_focus.h"

namespace ui {

namespace {

    bool IsInside(const QWidget *widget, const QWidget *container)
    {
        return widget && (widget == container || container->isAncestorOf(widget));
    }

} // namespace

bool GroupListEditors::MastersCountKey(int key)
{
    const engine::GroupSettings *group = EditedGroup();
    if (m_open != m_masters || !group)
        return false;
    switch (key) {
    case Qt::Key_Escape:
        Cancel(); // the stored count stays, and shows again next time
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
    case Qt::Key_Up: {
        const int col = m_col;
        int row = m_row;
        CommitMastersCount();
        if (key == Qt::Key_Up) {
            if (row > 1)
                --row;
        } else if (row < m_model->rowCount()) {
            ++row;
        }
        m_movingSelection = true;
        m_grid->selectionModel()->setCurrentIndex(
            m_model->index(row - 1, col), QItemSelectionModel::ClearAndSelect);
        m_movingSelection = false;
        SelectCell(col, row);
        return true;
    }
    default:
        return false;
    }
}

void GroupListEditors::FocusChanged(QWidget *old, QWidget *now)
{
    // Focus given to another window (a message box, another program) is no exit.
    if (!now || now->window() != m_window || !m_open || m_finishing)
        return;
    if (!IsInside(old, m_open) || IsInside(now, m_open))
        return;
    // Tab or a click elsewhere: the focus stays where it went; a refused text leaves the
    // group's own item shown, and the hint.
    m_leaving = true;
    if (!CommitOpen())
        Hide();
    m_leaving = false;
}

bool GroupListEditors::eventFilter(QObject *watched, QEvent *event)
{
    auto *combo = qobject_cast<QComboBox *>(watched);
    if (combo && combo == m_open && ListEditorEvent(event))
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto *press = static_cast<QKeyEvent *>(event);
        const int key = press->key();
        if (LeaveByCtrlTab(*press, m_window))
            return true;
        if (watched == m_masters && m_open == m_masters
            && (key == Qt::Key_Left || key == Qt::Key_Right) && LeaveByKey(press))
            return true;
        if (watched == m_masters && MastersCountKey(key))
            return true;
        if (watched == m_grid && !m_open
            && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F2)) {
            SelectCell(m_grid->currentIndex().column(), m_grid->currentIndex().row() + 1);
            return true;
        }
    } else if (event->type() == QEvent::Resize && watched == m_grid) {
        Place();
    }
    return QObject::eventFilter(watched, event);
}

bool GroupListEditors::ListEditorEvent(QEvent *event)
{
    // A closed list editor would take the arrows and the wheel as a choice; here they only
    // move through the list. A choice is made in the open list, or by Enter.
    if (event->type() == QEvent::Wheel)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *press = static_cast<QKeyEvent *>(event);
    if (LeaveByCtrlTab(*press, m_window))
        return true;
    switch (press->key()) {
    case Qt::Key_Escape:
        Cancel();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Taken here, as the list's own Enter passes over a text that names no item in silence.
        CommitOpen();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (press->modifiers() & Qt::AltModifier)
            return false; // Alt+Down opens the list
        return LeaveByKey(press);
    case Qt::Key_Left:
    case Qt::Key_Right:
        return LeaveByKey(press);
    default:
        return false;
    }
}

bool GroupListEditors::LeaveByKey(QKeyEvent *press)
{
    const int key = press->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        // Within the text the caret moves as usual; from its end on, on to the next column.
        const QLineEdit *edit = m_open == m_masters ? m_masters
                                                    : static_cast<QComboBox *>(m_open)->lineEdit();
        if (edit && (edit->hasSelectedText()
                || edit->cursorPosition() != (key == Qt::Key_Left ? 0 : edit->text().size())))
            return false;
    }
    if (!CommitOpen())
        return true; // the editor stays, showing the group's own item and the hint
    // The grid moves its current cell, which opens the editor of the cell it reaches.
    QKeyEvent move(QEvent::KeyPress, key, press->modifiers() & ~Qt::KeypadModifier);
    QCoreApplication::sendEvent(m_grid, &move);
    return true;
}

void GroupListEditors::Cancel()
{
    Hide();
    m_grid->setFocus(Qt::OtherFocusReason);
}

} // namespace ui
