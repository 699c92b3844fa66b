#include "ui/keyboard_focus.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace ui {

bool LeaveByCtrlTab(const QKeyEvent &press, QWidget *window)
{
    const int key = press.key();
    if (!(press.modifiers() & Qt::ControlModifier) || (key != Qt::Key_Tab && key != Qt::Key_Backtab))
        return false;
    const bool back = key == Qt::Key_Backtab || (press.modifiers() & Qt::ShiftModifier);
    // The window takes a plain Tab as a move of the focus from whichever control has it.
    QKeyEvent tab(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
        back ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(window, &tab);
    return true;
}

} // namespace ui
