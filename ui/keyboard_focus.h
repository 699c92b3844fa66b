// Keys that move the focus between the window's controls, and the keyboard given back to a
// window when a dialog over it has gone.
#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace ui {

// Ctrl+Tab and Ctrl+Shift+Tab move the focus on to the next control of `window` (or back) as Tab
// does elsewhere, also out of a grid or list that walks its cells with Tab. True when the key
// was one of them.
bool LeaveByCtrlTab(const QKeyEvent &press, QWidget *window);

// Without a window manager to hand it back (a bare X server, some kiosks), the keyboard stays
// with the screen's root once a dialog has gone, and F9, Ctrl+Q or any other key reaches no
// window until one is clicked. Installed on the application, this gives the keyboard back to the
// window under every dialog (message boxes, file and print dialogs, the inspector's) as the
// dialog closes; a window manager would do the same.
class KeyboardAfterDialogs : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace ui
