// The rewritten protocol as a rich text document, shared by the preview and the printout.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QFont>
#include <QTextDocument>

#include "engine/protocol.h"

namespace ui {

// A protocol rendered as a browser shows it: headings as headings, each "<pre>" table in a
// monospaced font so its fixed columns line up. The document loads no resource at all: an image
// or style sheet a protocol names is neither fetched from the network nor read from the disk,
// so opening a protocol never reaches beyond the protocol's own bytes.
class ProtocolDocument : public QTextDocument
{
    Q_OBJECT

public:
    explicit ProtocolDocument(QObject *parent = nullptr);

    // Replaces the content. `protocol`: the whole protocol in Windows-1251; `tableFont`: the font
    // of the "<pre>" tables (other text keeps the document's default font).
    void SetProtocol(std::string_view protocol, const QFont &tableFont);
    // The same for a protocol decoded already, its lines ended by '\n' alone.
    void SetProtocolText(const QString &protocol, const QFont &tableFont);

    // The width the widest line of a "<pre>" table takes, margins included, in the units of the
    // layout's paint device: wider than the page means a table line would not fit.
    qreal WidestTableLine();

    QVariant loadResource(int type, const QUrl &name) override;
};

// The monospaced font of the tables (the text view's font, or the nearest fixed-pitch one).
QFont TableFont(qreal pointSize);

// The lines joined with line feeds, as the preview and the printout take them.
std::string JoinLines(const std::vector<engine::ProtocolLine> &lines);

} // namespace ui
