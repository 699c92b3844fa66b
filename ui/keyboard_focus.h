// Keys that move the focus between the window's controls.
#pragma once

class QKeyEvent;
class QWidget;

namespace ui {

// Ctrl+Tab and Ctrl+Shift+Tab move the focus on to the next control of `window` (or back) as Tab
// does elsewhere, also out of a grid or list that walks its cells with Tab. True when the key
// was one of them.
bool LeaveByCtrlTab(const QKeyEvent &press, QWidget *window);

} // namespace ui
