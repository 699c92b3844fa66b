// The output view's caret, keys, input methods and mouse. Painting and the geometry of lines
// are in output_view_painting.cpp, the editing commands in output_view_editing.cpp.
#include "ui/output_view.h"

#include <algorithm>

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace ui {

namespace {

    bool IsWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

} // namespace

OutputView::OutputView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    UpdateScrollBars();
}

void OutputView::Clear(std::size_t bytes, std::size_t lines)
{
    m_store.Clear(bytes, lines);
    m_cursor = m_anchor = {};
    m_undo = std::vector<Edit>();
    m_redo = std::vector<Edit>();
    m_typing = false;
}

void OutputView::FinishFill()
{
    m_cursor = m_anchor = {};
    m_goalX = -1;
    UpdateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

TextPosition OutputView::WordBoundary(TextPosition at, int direction) const
{
    const QString text = m_store.Text(at.Line);
    qsizetype i = at.Column;
    if (direction < 0) {
        if (i == 0)
            return at.Line > 0 ? TextPosition { at.Line - 1, m_store.Length(at.Line - 1) } : at;
        while (i > 0 && !IsWordChar(text[i - 1]))
            --i;
        while (i > 0 && IsWordChar(text[i - 1]))
            --i;
    } else {
        if (i == text.size())
            return at.Line + 1 < m_store.LineCount() ? TextPosition { at.Line + 1, 0 } : at;
        while (i < text.size() && IsWordChar(text[i]))
            ++i;
        while (i < text.size() && !IsWordChar(text[i]))
            ++i;
    }
    return { at.Line, i };
}

bool OutputView::Navigate(QKeyEvent *event)
{
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const TextPosition from = std::min(m_anchor, m_cursor);
    const TextPosition to = std::max(m_anchor, m_cursor);
    TextPosition at = m_cursor;
    const QString text = m_store.Text(at.Line);
    int lines = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        if (HasSelection() && !shift)
            at = from;
        else if (ctrl)
            at = WordBoundary(at, -1);
        else if (at.Column > 0)
            at.Column -= at.Column > 1 && text[at.Column - 1].isLowSurrogate() ? 2 : 1;
        else if (at.Line > 0)
            at = { at.Line - 1, m_store.Length(at.Line - 1) };
        break;
    case Qt::Key_Right:
        if (HasSelection() && !shift)
            at = to;
        else if (ctrl)
            at = WordBoundary(at, 1);
        else if (at.Column < text.size())
            at.Column += text[at.Column].isHighSurrogate() && at.Column + 1 < text.size() ? 2 : 1;
        else if (at.Line + 1 < m_store.LineCount())
            at = { at.Line + 1, 0 };
        break;
    case Qt::Key_Up:
        lines = -1;
        break;
    case Qt::Key_Down:
        lines = 1;
        break;
    case Qt::Key_PageUp:
        lines = -VisibleLines();
        break;
    case Qt::Key_PageDown:
        lines = VisibleLines();
        break;
    case Qt::Key_Home:
        at = ctrl ? TextPosition {} : TextPosition { at.Line, 0 };
        break;
    case Qt::Key_End:
        at = ctrl ? m_store.End() : TextPosition { at.Line, text.size() };
        break;
    default:
        return false;
    }
    if (lines == 0) {
        SetCursorPosition(at, shift);
        return true;
    }
    // Up and Down keep aiming at the column where they started, across shorter lines.
    const int goalX = m_goalX >= 0 ? m_goalX : XOf(text, at.Column);
    at.Line = std::clamp<qsizetype>(
        at.Line + lines, 0, std::max<qsizetype>(0, m_store.LineCount() - 1));
    if (std::abs(lines) > 1)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + lines);
    const QString target = m_store.Text(at.Line);
    qsizetype low = 0;
    qsizetype high = target.size();
    while (low < high) { // the first column at or right of the goal
        const qsizetype mid = (low + high) / 2;
        if (XOf(target, mid) < goalX)
            low = mid + 1;
        else
            high = mid;
    }
    at.Column = low;
    MoveCursor(at, shift);
    m_goalX = goalX;
    return true;
}

void OutputView::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::SelectAll)
        SelectAll();
    else if (event == QKeySequence::Copy)
        Copy();
    else if (event == QKeySequence::Cut)
        Cut();
    else if (event == QKeySequence::Paste)
        Paste();
    else if (event == QKeySequence::Undo)
        Undo();
    else if (event == QKeySequence::Redo)
        Redo();
    else if (Navigate(event))
        ;
    else if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) {
        // One character, a surrogate pair whole; at a line's edge, the line break.
        const TextPosition at = m_cursor;
        const QString text = m_store.Text(at.Line);
        TextPosition other;
        if (event->key() == Qt::Key_Backspace) {
            const qsizetype units = at.Column > 1 && text[at.Column - 1].isLowSurrogate() ? 2 : 1;
            other = at.Column > 0 ? TextPosition { at.Line, at.Column - units }
                                  : TextPosition { at.Line - 1, m_store.Length(at.Line - 1) };
        } else {
            const qsizetype units
                = at.Column + 1 < text.size() && text[at.Column].isHighSurrogate() ? 2 : 1;
            other = at.Column < text.size() ? TextPosition { at.Line, at.Column + units }
                                            : TextPosition { at.Line + 1, 0 };
        }
        if (HasSelection() || other.Line >= 0)
            RemoveSelectionOr(other, at);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        InsertText(QStringLiteral("\n"));
    } else if (!event->text().isEmpty() && event->text().front().isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        Replace(std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor), event->text(), true);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void OutputView::inputMethodEvent(QInputMethodEvent *event)
{
    if (!event->commitString().isEmpty())
        Replace(std::min(m_anchor, m_cursor), std::max(m_anchor, m_cursor), event->commitString(),
            true);
    event->accept();
}

QVariant OutputView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle: {
        const int x = TextMargin - horizontalScrollBar()->value()
            + XOf(m_store.Text(m_cursor.Line), m_cursor.Column);
        const int y = static_cast<int>(m_cursor.Line - verticalScrollBar()->value()) * LineHeight();
        return QRect(viewport()->mapTo(this, QPoint(x, y)), QSize(1, LineHeight()));
    }
    case Qt::ImFont:
        return font();
    case Qt::ImSurroundingText:
        return m_store.Text(m_cursor.Line);
    case Qt::ImCursorPosition:
        return static_cast<int>(m_cursor.Column);
    case Qt::ImAnchorPosition:
        return static_cast<int>(m_anchor.Line == m_cursor.Line ? m_anchor.Column : m_cursor.Column);
    case Qt::ImCurrentSelection:
        return m_anchor.Line == m_cursor.Line ? SelectedText() : QString();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void OutputView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    SetCursorPosition(
        PositionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void OutputView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        SetCursorPosition(PositionAt(event->position().toPoint()), true);
}

void OutputView::mouseReleaseEvent(QMouseEvent *event)
{
    // The selection was made while the button was down; the release only ends it.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void OutputView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mouseDoubleClickEvent(event);
    const TextPosition at = PositionAt(event->position().toPoint());
    const QString text = m_store.Text(at.Line);
    qsizetype start = at.Column;
    qsizetype end = at.Column;
    while (start > 0 && IsWordChar(text[start - 1]))
        --start;
    while (end < text.size() && IsWordChar(text[end]))
        ++end;
    SetCursorPosition({ at.Line, start });
    SetCursorPosition({ at.Line, end }, true);
}

void OutputView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void OutputView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace ui
