#include "ui/output_view.h"

#include <algorithm>
#include <limits>

#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace ui {

namespace {

    constexpr int Margin = 3; // pixels left of the text
    constexpr qsizetype LongLine = 4096; // characters; longer lines are measured, not shaped
    constexpr qsizetype MaxX = std::numeric_limits<int>::max() / 2;

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
        const int x = Margin - horizontalScrollBar()->value()
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

void OutputView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QFontMetrics metrics(font());
    const QPalette colors = palette();
    const int height = LineHeight();
    const int scrolled = horizontalScrollBar()->value();
    const qsizetype top = verticalScrollBar()->value();
    const qsizetype count = std::max<qsizetype>(1, m_store.LineCount());
    const TextPosition from = std::min(m_anchor, m_cursor);
    const TextPosition to = std::max(m_anchor, m_cursor);
    for (qsizetype line = top; line < count; ++line) {
        const int y = static_cast<int>(line - top) * height;
        if (y >= viewport()->height())
            break;
        // Of a very long line only the part in sight is decoded and drawn.
        const qsizetype length = m_store.Length(line);
        const qsizetype shown
            = length > LongLine ? std::clamp<qsizetype>(scrolled / CharWidth() - 1, 0, length) : 0;
        const QString text = length > LongLine
            ? m_store.Text(line, shown, viewport()->width() / CharWidth() + 3)
            : m_store.Text(line);
        const int x0 = Margin - scrolled + static_cast<int>(shown) * CharWidth();
        const auto xOf = [&](qsizetype column) {
            return x0 + XOf(text, std::clamp<qsizetype>(column - shown, 0, text.size()));
        };
        const int baseline = y + metrics.ascent();
        painter.setPen(colors.color(QPalette::Text));
        painter.drawText(x0, baseline, text);
        if (HasSelection() && line >= from.Line && line <= to.Line) {
            const int left = xOf(line == from.Line ? from.Column : 0);
            // A selected line break shows as a blank's width past the line's end.
            const int right = line == to.Line
                ? xOf(to.Column)
                : xOf(length) + metrics.horizontalAdvance(QLatin1Char(' '));
            const QRect selected(left, y, right - left, height);
            painter.fillRect(selected, colors.color(QPalette::Highlight));
            painter.save();
            painter.setClipRect(selected);
            painter.setPen(colors.color(QPalette::HighlightedText));
            painter.drawText(x0, baseline, text);
            painter.restore();
        }
        if (line == m_cursor.Line && hasFocus() && m_cursor.Column >= shown
            && m_cursor.Column <= shown + text.size())
            painter.fillRect(xOf(m_cursor.Column), y, 1, height, colors.color(QPalette::Text));
    }
}

void OutputView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void OutputView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateScrollBars();
        viewport()->update();
    }
}

int OutputView::LineHeight() const { return std::max(1, QFontMetrics(font()).lineSpacing()); }

int OutputView::VisibleLines() const { return std::max(1, viewport()->height() / LineHeight()); }

int OutputView::CharWidth() const
{
    return std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('M')));
}

int OutputView::XOf(const QString &text, qsizetype column) const
{
    // Shaping a line of a million characters at every paint and key would freeze the window;
    // a line that long (not a protocol's line, but a file without line ends) is measured in
    // the font's fixed advance.
    if (text.size() > LongLine)
        return static_cast<int>(std::min<qsizetype>(column * CharWidth(), MaxX));
    return QFontMetrics(font()).horizontalAdvance(text.left(column));
}

TextPosition OutputView::PositionAt(QPoint point) const
{
    const int height = LineHeight();
    const int row = point.y() >= 0 ? point.y() / height : -1;
    const qsizetype line = std::clamp<qsizetype>(
        verticalScrollBar()->value() + row, 0, std::max<qsizetype>(0, m_store.LineCount() - 1));
    const QString text = m_store.Text(line);
    const int x = point.x() + horizontalScrollBar()->value() - Margin;
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) { // the first column whose right half lies right of x
        const qsizetype mid = (low + high) / 2;
        if ((XOf(text, mid) + XOf(text, mid + 1)) / 2 < x)
            low = mid + 1;
        else
            high = mid;
    }
    return { line, low };
}

void OutputView::UpdateScrollBars()
{
    const QFontMetrics metrics(font());
    const qsizetype lines = std::max<qsizetype>(1, m_store.LineCount());
    const int visible = VisibleLines();
    verticalScrollBar()->setRange(0, static_cast<int>(std::max<qsizetype>(0, lines - visible)));
    verticalScrollBar()->setPageStep(visible);
    const int charWidth = CharWidth();
    const qsizetype textWidth
        = std::min<qsizetype>(m_store.MaxLength() * charWidth + 2 * Margin + 1, MaxX);
    horizontalScrollBar()->setRange(
        0, std::max(0, static_cast<int>(textWidth) - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(charWidth);
}

void OutputView::EnsureCursorVisible()
{
    QScrollBar *vertical = verticalScrollBar();
    const int visible = VisibleLines();
    if (m_cursor.Line < vertical->value())
        vertical->setValue(static_cast<int>(m_cursor.Line));
    else if (m_cursor.Line >= vertical->value() + visible)
        vertical->setValue(static_cast<int>(m_cursor.Line) - visible + 1);
    QScrollBar *horizontal = horizontalScrollBar();
    const int x = Margin + XOf(m_store.Text(m_cursor.Line), m_cursor.Column);
    const int width = viewport()->width();
    if (x - Margin < horizontal->value())
        horizontal->setValue(x - Margin);
    else if (x + Margin > horizontal->value() + width)
        horizontal->setValue(x + Margin - width);
}

} // namespace ui
