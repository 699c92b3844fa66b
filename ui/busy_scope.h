// BusyScope: the window at work on the GUI thread, shown with a wait cursor and deaf to input.
#pragma once

#include <QObject>

class QWidget;

namespace ui {

// From construction to End() (or destruction): the wait cursor shows, and input meant for
// `window` (keys, clicks, the wheel, shortcuts, drops) is dropped. The work runs without an
// event loop, so what the user clicks meanwhile waits in the queue; End() delivers that queue
// while still dropping input, so no click from the busy time is applied afterwards by surprise.
// Other windows (message boxes, dialogs) are not touched, and one of them appearing means the
// work is over as far as the user can tell: the wait cursor goes (a modal box keeps the clicks
// on the window from counting).
class BusyScope : public QObject
{
    Q_OBJECT

public:
    explicit BusyScope(QWidget *window);
    ~BusyScope() override;
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

    void End();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void RestoreCursor();

    QWidget *m_window;
    bool m_active = true;
    bool m_cursorShown = true;
};

} // namespace ui
