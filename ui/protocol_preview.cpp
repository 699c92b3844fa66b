#include "ui/protocol_preview.h"

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>

#include "ui/messages.h"
#include "ui/protocol_document.h"
#include "ui/text_codec.h"

namespace ui {

namespace {

    // The links of the page bars; a protocol's own links are only reported.
    const QString PageScheme = QStringLiteral("lapwing-page");

    // How far back a page looks for the "<pre>" it may begin inside: more than any table holds.
    constexpr qsizetype TableSearchLines = 1'000'000;

} // namespace

ProtocolPreview::ProtocolPreview(QWidget *parent)
    : QTextBrowser(parent)
    , m_document(new ProtocolDocument(this))
{
    setDocument(m_document);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
    connect(this, &QTextBrowser::anchorClicked, this, &ProtocolPreview::AnchorClicked);
}

void ProtocolPreview::SetProtocol(std::string_view protocol)
{
    m_text.assign(protocol);
    m_lineStarts.clear();
    for (std::size_t start = 0; start < m_text.size();) {
        m_lineStarts.push_back(start);
        const std::size_t end = m_text.find('\n', start);
        start = end == std::string::npos ? m_text.size() : end + 1;
    }
    SetLines(static_cast<qsizetype>(m_lineStarts.size()), [this](qsizetype line) {
        const std::size_t start = m_lineStarts[static_cast<std::size_t>(line)];
        const std::size_t end = m_text.find('\n', start);
        return FromCp1251(std::string_view(m_text).substr(
            start, (end == std::string::npos ? m_text.size() : end) - start));
    });
}

void ProtocolPreview::SetLines(qsizetype count, LineText line)
{
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    m_count = count;
    m_line = std::move(line);
    m_page = std::clamp<qsizetype>(m_page, 0, PageCount() - 1);
    Render();
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
}

qsizetype ProtocolPreview::PageCount() const
{
    return std::max<qsizetype>(1, (m_count + PageLines - 1) / PageLines);
}

void ProtocolPreview::ShowPage(qsizetype page)
{
    m_page = std::clamp<qsizetype>(page, 0, PageCount() - 1);
    Render();
}

void ProtocolPreview::Render()
{
    const qsizetype first = m_page * PageLines;
    const qsizetype end = std::min(m_count, first + PageLines);
    QString html;
    if (StartsInsideTable(first))
        html += QStringLiteral("<pre>");
    for (qsizetype line = first; line < end; ++line) {
        QString text = m_line(line);
        // A carriage return left before "</pre>" would show as a blank at the end of the last
        // line.
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        html += text;
        html += QLatin1Char('\n');
    }
    // QFontInfo: a font set in pixels has no point size of its own.
    m_document->SetProtocolText(html, TableFont(QFontInfo(font()).pointSizeF()));
    if (PageCount() > 1)
        AddPageBars(first, end);
    m_document->documentLayout()->documentSize(); // the scroll ranges follow the finished layout
    // The view's cursor was pushed to the end by the new text; a page is shown from its top.
    moveCursor(QTextCursor::Start);
}

bool ProtocolPreview::StartsInsideTable(qsizetype first) const
{
    const qsizetype stop = std::max<qsizetype>(0, first - TableSearchLines);
    for (qsizetype line = first - 1; line >= stop; --line) {
        const QString text = m_line(line);
        const qsizetype open = text.lastIndexOf(QLatin1String("<pre"), -1, Qt::CaseInsensitive);
        const qsizetype close = text.lastIndexOf(QLatin1String("</pre"), -1, Qt::CaseInsensitive);
        if (open >= 0 || close >= 0)
            return open > close;
    }
    return false;
}

void ProtocolPreview::AddPageBars(qsizetype first, qsizetype end)
{
    QString bar = QStringLiteral("<span style=\"background-color:#e8e8e8\">&nbsp;")
        + text::PreviewPageLines().arg(first + 1).arg(end).arg(m_count) + QStringLiteral("&nbsp;");
    const auto link = [](qsizetype page, const QString &caption) {
        return QStringLiteral("&nbsp; <a href=\"%1:%2\">%3</a>")
            .arg(PageScheme)
            .arg(page)
            .arg(caption.toHtmlEscaped());
    };
    if (m_page > 0)
        bar += link(m_page - 1, text::PreviewPreviousPage());
    if (m_page + 1 < PageCount())
        bar += link(m_page + 1, text::PreviewNextPage());
    bar += QStringLiteral("</span>");

    QTextCursor cursor(m_document);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertHtml(bar);
    // Above: the first block keeps its own format in the block split off it.
    cursor.movePosition(QTextCursor::Start);
    cursor.insertBlock(cursor.blockFormat(), cursor.blockCharFormat());
    cursor.movePosition(QTextCursor::Start);
    cursor.setBlockFormat(QTextBlockFormat());
    cursor.setBlockCharFormat(QTextCharFormat());
    cursor.insertHtml(bar);
    cursor.endEditBlock();
}

void ProtocolPreview::AnchorClicked(const QUrl &url)
{
    if (url.scheme() == PageScheme)
        ShowPage(url.path().toLongLong());
}

void ProtocolPreview::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::ControlModifier
        && (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)) {
        ShowPage(m_page + (event->key() == Qt::Key_PageDown ? 1 : -1));
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

} // namespace ui
