// The preview of the rewritten protocol: headings and aligned tables as a browser shows them,
// and nothing a protocol names is fetched, read or followed.
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include "ui/messages.h"
#include "ui/protocol_preview.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

class ProtocolPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void ShowsHeadingsAndAlignedTables();
    void FetchesAndFollowsNothing();
    void LongProtocolIsShownAPageAtATime();
};

void ProtocolPreviewTest::ShowsHeadingsAndAlignedTables()
{
    const std::string protocol
        = test::ReadBytes(test::ExamplesDir() / "sample_protocol_expected.htm");
    const QString source = ui::FromCp1251(protocol);
    ui::ProtocolPreview preview;
    preview.resize(500, 400);
    preview.SetProtocol(protocol);
    QTextDocument &document = *preview.document();

    QStringList headings;
    for (const auto &match : QRegularExpression("<h2>(.*)</h2>").globalMatch(source))
        headings << match.captured(1);
    QVERIFY(headings.size() >= 2);

    QStringList shownHeadings;
    int tableLines = 0;
    QList<int> columnX; // x of each column on the first table line, kept for the lines after
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 2)
            shownHeadings << block.text();
        if (!block.blockFormat().nonBreakableLines())
            continue;
        // The line as the protocol has it, unwrapped (the reader may add a blank at a table's
        // end for the line break after "</pre>").
        const QString line = block.text().endsWith(' ') ? block.text().chopped(1) : block.text();
        QVERIFY2(source.contains(line), qPrintable(line));
        QVERIFY(QFontInfo(block.charFormat().font()).fixedPitch());
        ++tableLines;
        QTextCursor cursor(block);
        for (int column = 0; column < block.text().size(); column += 7) {
            cursor.setPosition(block.position() + column);
            const int x = preview.cursorRect(cursor).left();
            if (columnX.size() <= column / 7)
                columnX << x;
            else
                QCOMPARE(x, columnX[column / 7]);
        }
    }
    QCOMPARE(shownHeadings, headings);
    QVERIFY(tableLines > 40);
    QVERIFY(columnX.size() > 10);

    // Shown first at the top; a refresh, as after an edit, keeps the place the user scrolled to.
    QScrollBar &scroll = *preview.verticalScrollBar();
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(scroll.value(), 0);
    QVERIFY(scroll.maximum() > 0);
    scroll.setValue(scroll.maximum() / 2);
    const int scrolled = scroll.value();
    preview.SetProtocol(protocol);
    QCOMPARE(scroll.value(), scrolled);
}

void ProtocolPreviewTest::FetchesAndFollowsNothing()
{
    // The program links no network module, so a web address can only be asked of the
    // document's resource loader; a local file is what a plain document would read.
    const QString web = QStringLiteral("http://127.0.0.1:8/");
    QTemporaryDir dir;
    const QString imagePath = dir.filePath("flag.png");
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(imagePath));
    const QUrl localImage = QUrl::fromLocalFile(imagePath);
    const QString html = QStringLiteral(
        "<html><head><link rel=\"stylesheet\" href=\"%1style.css\"></head><body>"
        "<img src=\"%1logo.png\"><img src=\"%2\"><p><a href=\"%1next.htm\">LINK</a></p>"
        "<pre>   1 Name</pre></body></html>")
                             .arg(web, localImage.toString());

    ui::ProtocolPreview preview;
    preview.resize(400, 300);
    preview.SetProtocol(ui::ToCp1251(html));
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QVERIFY(preview.document()->resource(QTextDocument::ImageResource, localImage).isNull());
    QVERIFY(preview.document()
                ->resource(QTextDocument::ImageResource, QUrl(web + "logo.png"))
                .isNull());

    const QString shown = preview.toPlainText();
    QTextCursor link = preview.document()->find(QStringLiteral("LINK"));
    QVERIFY(!link.isNull());
    link.setPosition(link.selectionStart() + 1);
    QSignalSpy clicked(&preview, &QTextBrowser::anchorClicked);
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, preview.cursorRect(link).center());
    QCOMPARE(clicked.size(), 1); // the click did land on the link
    QVERIFY(preview.source().isEmpty());
    QCOMPARE(preview.toPlainText(), shown);
}

void ProtocolPreviewTest::LongProtocolIsShownAPageAtATime()
{
    // One table of 4999 results: three pages, the later ones beginning inside the table.
    constexpr int Results = 4999;
    std::string protocol = "<html><body><h2>M21</h2>\n<pre>\n";
    for (int i = 1; i <= Results; ++i)
        protocol += QString("%1 Athlete %1").arg(i, 5).toStdString() + "\n";
    protocol += "</pre>\n</body></html>\n";
    ui::ProtocolPreview preview;
    preview.resize(500, 400);
    preview.SetProtocol(protocol);
    QTextDocument &document = *preview.document();
    // Only the page shown is laid out.
    QVERIFY2(document.blockCount() <= ui::ProtocolPreview::PageLines + 4,
        qPrintable(QString::number(document.blockCount())));
    QCOMPARE(preview.PageCount(), 3);
    QVERIFY(document.toPlainText().contains("    1 Athlete     1"));
    QVERIFY(!document.toPlainText().contains(" 2500 Athlete"));
    QVERIFY(document.begin().text().contains(
        ui::text::PreviewPageLines().arg(1).arg(2000).arg(Results + 4)));

    // The bar's link and Ctrl+PageDown turn on; the table's lines stay monospaced.
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTextCursor next = document.find(ui::text::PreviewNextPage());
    QVERIFY(!next.isNull());
    next.setPosition(next.selectionStart() + 2);
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, preview.cursorRect(next).center());
    QCOMPARE(preview.Page(), 1);
    QTest::keyClick(&preview, Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(preview.Page(), 2);
    QVERIFY(document.begin().text().contains(
        ui::text::PreviewPageLines().arg(4001).arg(Results + 4).arg(Results + 4)));
    QVERIFY(document.find(ui::text::PreviewNextPage()).isNull()); // the last page has no next
    const QTextBlock table = document.find(" 4500 Athlete  4500").block();
    QVERIFY(table.isValid());
    QVERIFY(table.blockFormat().nonBreakableLines());
    QVERIFY(QFontInfo(table.charFormat().font()).fixedPitch());

    // A refresh keeps the page; Ctrl+PageUp goes back.
    preview.SetProtocol(protocol);
    QCOMPARE(preview.Page(), 2);
    QTest::keyClick(&preview, Qt::Key_PageUp, Qt::ControlModifier);
    QCOMPARE(preview.Page(), 1);
}

QTEST_MAIN(ProtocolPreviewTest)
#include "tst_protocol_preview.moc"
