// The output view's painting: the lines in sight, the selection and the caret; and the geometry
// of lines that the scroll bars, the mouse and the caret's visibility go by.
#include "ui/output_view.h"

#include <algorithm>
#include <limits>

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>

namespace ui {

namespace {

    constexpr qsizetype LongLine = 4096; // characters; longer lines are measured, not shaped
    constexpr qsizetype MaxX = std::numeric_limits<int>::max() / 2;

} // namespace

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
        const int x0 = TextMargin - scrolled + static_cast<int>(shown) * CharWidth();
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
    const int x = point.x() + horizontalScrollBar()->value() - TextMargin;
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
        = std::min<qsizetype>(m_store.MaxLength() * charWidth + 2 * TextMargin + 1, MaxX);
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
    const int x = TextMargin + XOf(m_store.Text(m_cursor.Line), m_cursor.Column);
    const int width = viewport()->width();
    if (x - TextMargin < horizontal->value())
        horizontal->setValue(x - TextMargin);
    else if (x + TextMargin > horizontal->value() + width)
        horizontal->setValue(x + TextMargin - width);
}

} // namespace ui
