#include "ui/protocol_printer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include "ui/dialogs.h"
#include "ui/messages.h"
#include "ui/protocol_document.h"

namespace {

constexpr qreal TextPointSize = 10;
// Below it a table is unreadable anyway: its lines wrap instead.
constexpr qreal SmallestTablePointSize = 4;
constexpr qreal TablePointStep = 0.1;

QFont FooterFont()
{
    QFont font;
    font.setPointSizeF(9);
    return font;
}

// Lets the tables' lines wrap: on paper a line past the margin would be cut off and lost.
void WrapTables(QTextDocument &document)
{
    QTextBlockFormat wrapping;
    wrapping.setNonBreakableLines(false);
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().nonBreakableLines()) {
            cursor.setPosition(block.position());
            cursor.mergeBlockFormat(wrapping);
        }
    }
}

// Shrinks the tables' font until the widest table line fits `width`. Glyph widths scale with the
// size only roughly (hinting), so the estimate is checked and stepped down.
void FitTables(ui::ProtocolDocument &document, std::string_view protocol, qreal width)
{
    qreal size = TextPointSize;
    document.SetProtocol(protocol, ui::TableFont(size));
    const qreal widest = document.WidestTableLine();
    if (widest <= width)
        return;
    size = std::max(SmallestTablePointSize,
        std::floor(size * width / widest / TablePointStep) * TablePointStep);
    for (;;) {
        document.SetProtocol(protocol, ui::TableFont(size));
        if (document.WidestTableLine() <= width)
            return;
        if (size <= SmallestTablePointSize)
            return WrapTables(document);
        size -= TablePointStep;
    }
}

// The top of a block's first or last line on the laid out pages.
qreal LineTop(QTextDocument &document, const QTextBlock &block, bool lastLine)
{
    document.documentLayout()->blockBoundingRect(block); // lays the document out that far
    const QTextLayout &layout = *block.layout();
    const int line = lastLine ? layout.lineCount() - 1 : 0;
    return layout.position().y() + (line >= 0 ? layout.lineAt(line).y() : 0);
}

// A heading at the foot of a page with its table on the next reads as belonging to neither:
// a heading parted from the first lines under it (a table's rules, header row and first
// athlete) starts a new page instead.
void KeepHeadingsWithTables(QTextDocument &document, qreal pageHeight)
{
    constexpr int KeptBlocks = 4;
    const auto page = [pageHeight](qreal y) { return static_cast<int>(y / pageHeight); };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        QTextBlock kept = block;
        for (int i = 0; i < KeptBlocks && kept.next().isValid(); ++i)
            kept = kept.next();
        if (page(LineTop(document, block, false)) == page(LineTop(document, kept, true)))
            continue;
        QTextBlockFormat breakBefore;
        breakBefore.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).mergeBlockFormat(breakBefore);
    }
}

} // namespace

namespace ui {

namespace {

    PrintOutcome Failed(const QString &reason)
    {
        return engine::Failure { 0, reason.toStdString() };
    }

} // namespace

void SetProtocolPageLayout(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(20, 15, 10, 15), QPageLayout::Millimeter));
}

PrintOutcome PaintProtocol(QPagedPaintDevice &device, std::string_view protocol)
{
    QPainter painter;
    if (!painter.begin(&device))
        return Failed(text::PrintNotStarted());

    // The painter's origin is the top left corner inside the margins.
    const qreal width = device.width();
    const QFont footerFont = FooterFont();
    const qreal footerHeight = 2 * QFontMetricsF(footerFont, &device).height();
    const qreal bodyHeight = device.height() - footerHeight;

    ProtocolDocument document;
    document.documentLayout()->setPaintDevice(&device);
    QFont textFont;
    textFont.setPointSizeF(TextPointSize);
    document.setDefaultFont(textFont);
    document.setPageSize(QSizeF(width, bodyHeight));
    FitTables(document, protocol, width);
    KeepHeadingsWithTables(document, bodyHeight);

    const int pages = document.pageCount();
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return Failed(text::PageNotStarted().arg(page + 1));
        painter.save();
        painter.setClipRect(QRectF(0, 0, width, bodyHeight));
        painter.translate(0, -page * bodyHeight);
        context.clip = QRectF(0, page * bodyHeight, width, bodyHeight);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, bodyHeight, width, footerHeight),
            Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
    if (!painter.end())
        return Failed(text::PrintNotFinished());
    return pages;
}

PrintOutcome PrintProtocol(QPrinter &printer, std::string_view protocol)
{
    return PaintProtocol(printer, protocol);
}

PrintOutcome WritePdf(const QString &path, std::string_view protocol)
{
    const auto failure
        = [&path](const QString &reason) { return Failed(text::PdfNotWritten().arg(path, reason)); };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    PrintOutcome outcome = 0;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Lapwing"));
        SetProtocolPageLayout(writer);
        outcome = PaintProtocol(writer, protocol);
    } // the writer finishes the PDF when it goes
    if (!outcome)
        return failure(QString::fromStdString(outcome.Error().Reason));
    if (!file.commit())
        return failure(file.errorString());
    return outcome;
}

QString DefaultPdfName(const QString &outputPath)
{
    if (outputPath.isEmpty())
        return {};
    const qsizetype nameStart = std::max(outputPath.lastIndexOf(QLatin1Char('/')),
                                    outputPath.lastIndexOf(QLatin1Char('\\')))
        + 1;
    const qsizetype dot = outputPath.lastIndexOf(QLatin1Char('.'));
    // A dot that starts the name (".htm") or lies in a folder's name is no extension.
    const qsizetype stemEnd = dot > nameStart ? dot : outputPath.size();
    return outputPath.left(stemEnd) + QStringLiteral(".pdf");
}

std::unique_ptr<QPrintPreviewDialog> MakePrintPreview(std::string_view protocol, QWidget *parent)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    SetProtocolPageLayout(*printer);
    auto dialog = std::make_unique<QPrintPreviewDialog>(printer.get(), parent);
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested,
        [printer, bytes = std::string(protocol), window = dialog.get()](QPrinter *target) {
            const PrintOutcome outcome = PrintProtocol(*target, bytes);
            if (!outcome) // only a real printer fails; the preview draws on pictures
                ShowMessage(
                    window, MessageKind::Error, QString::fromStdString(outcome.Error().Reason));
        });
    return dialog;
}

} // namespace ui
