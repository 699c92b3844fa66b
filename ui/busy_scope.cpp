#include "ui/busy_scope.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ui {

namespace {

    bool IsInput(QEvent::Type type)
    {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
        }
    }

} // namespace

BusyScope::BusyScope(QWidget *window)
    : m_window(window)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
}

BusyScope::~BusyScope() { End(); }

void BusyScope::End()
{
    if (!m_active)
        return;
    // Input that arrived during the work is delivered now, to the filter, which drops it.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    qApp->removeEventFilter(this);
    RestoreCursor();
    m_active = false;
}

void BusyScope::RestoreCursor()
{
    if (m_cursorShown)
        QApplication::restoreOverrideCursor();
    m_cursorShown = false;
}

bool BusyScope::eventFilter(QObject *watched, QEvent *event)
{
    const auto *widget = qobject_cast<const QWidget *>(watched);
    if (!widget)
        return false;
    if (event->type() == QEvent::Show && widget->isWindow() && widget != m_window)
        RestoreCursor();
    return IsInput(event->type()) && widget->window() == m_window;
}

} // namespace ui
