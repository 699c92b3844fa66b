#include "ui/protocol_preview.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>

#include "ui/protocol_document.h"

namespace ui {

ProtocolPreview::ProtocolPreview(QWidget *parent)
    : QTextBrowser(parent)
    , m_document(new ProtocolDocument(this))
{
    setDocument(m_document);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setLineWrapMode(QTextEdit::WidgetWidth);
}

void ProtocolPreview::SetProtocol(std::string_view protocol)
{
    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    // QFontInfo: a font set in pixels has no point size of its own.
    m_document->SetProtocol(protocol, TableFont(QFontInfo(font()).pointSizeF()));
    m_document->documentLayout()->documentSize(); // the scroll ranges follow the finished layout
    // The view's cursor was pushed to the end by the new text; a first showing starts at the top.
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
}

} // namespace ui
