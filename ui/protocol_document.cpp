#include "ui/protocol_document.h"

#include <algorithm>

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "ui/text_codec.h"

namespace ui {

ProtocolDocument::ProtocolDocument(QObject *parent)
    : QTextDocument(parent)
{
    setUndoRedoEnabled(false); // nobody edits it; the font changes need no history
}

void ProtocolDocument::SetProtocol(std::string_view protocol, const QFont &tableFont)
{
    // A carriage return left before "</pre>" would show as a blank at the end of the last line.
    SetProtocolText(
        FromCp1251(protocol).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), tableFont);
}

void ProtocolDocument::SetProtocolText(const QString &protocol, const QFont &tableFont)
{
    setHtml(protocol);
    // The HTML reader marks "<pre>" blocks as non-breaking; give exactly those the table font,
    // keeping bold or italic that the protocol sets inside a table.
    QTextCharFormat tableFormat;
    tableFormat.setFont(tableFont, QTextCharFormat::FontPropertiesSpecifiedOnly);
    QTextCursor cursor(this);
    cursor.beginEditBlock();
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().nonBreakableLines())
            continue;
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(tableFormat);
        cursor.mergeBlockCharFormat(tableFormat);
    }
    cursor.endEditBlock();
}

qreal ProtocolDocument::WidestTableLine()
{
    documentLayout()->documentSize(); // lays the document out
    qreal widest = 0;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        if (!block.blockFormat().nonBreakableLines() || !block.layout())
            continue;
        const QTextLayout &layout = *block.layout();
        for (int i = 0; i < layout.lineCount(); ++i) {
            widest = std::max(widest,
                layout.lineAt(i).naturalTextWidth() + block.blockFormat().leftMargin()
                    + block.blockFormat().rightMargin() + block.blockFormat().textIndent());
        }
    }
    return widest + 2 * documentMargin();
}

QVariant ProtocolDocument::loadResource(int, const QUrl &) { return {}; }

QFont TableFont(qreal pointSize)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(pointSize);
    return font;
}

std::string JoinLines(const std::vector<engine::ProtocolLine> &lines)
{
    std::string text;
    for (const engine::ProtocolLine &line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

} // namespace ui
