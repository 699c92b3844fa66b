#include "ui/keyboard_focus.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
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

bool KeyboardAfterDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Hide)
        return false;
    const auto *dialog = qobject_cast<QDialog *>(watched);
    if (!dialog || !dialog->isWindow() || !dialog->parentWidget())
        return false;
    // Once the dialog has gone and whatever closed it is done.
    const QPointer<QWidget> owner = dialog->parentWidget()->window();
    QTimer::singleShot(0, owner, [owner] {
        const QWidget *modal = QApplication::activeModalWidget();
        if (owner && owner->isVisible() && (!modal || modal == owner))
            owner->activateWindow();
    });
    return false;
}

} // namespace ui
