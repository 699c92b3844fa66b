// The printout and the PDF: A4 pages whose text holds every table line whole and in order,
// page numbers at the foot, the default PDF name, and a PDF that cannot be written.
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "engine/protocol.h"
#include "ui/protocol_document.h"
#include "ui/protocol_printer.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

namespace {

// The lines of a text as the output view holds them.
std::vector<std::string> Lines(std::string_view text)
{
    const engine::ProtocolLines lines = engine::SplitLines(text);
    return { lines.begin(), lines.end() };
}

std::string Example()
{
    return test::ReadBytes(test::ExamplesDir() / "sample_protocol_expected.htm");
}

// The protocol's first group alone: its heading and table.
std::string FirstGroup()
{
    const std::string all = Example();
    const std::size_t start = all.find("<h2>");
    return all.substr(0, all.find("</pre>", start) + 6) + "</body></html>";
}

QStringList Headings(const std::string &protocol)
{
    QStringList headings;
    for (const auto &match :
        QRegularExpression("<h2>(.*?)</h2>").globalMatch(ui::FromCp1251(protocol)))
        headings << match.captured(1).simplified();
    return headings;
}

// The lines of the protocol's "<pre>" tables, blanks collapsed, empty lines left out.
QStringList TableLines(const std::string &protocol)
{
    QStringList lines;
    const QRegularExpression table(
        "<pre>(.*?)</pre>", QRegularExpression::DotMatchesEverythingOption);
    for (const auto &match : table.globalMatch(ui::FromCp1251(protocol))) {
        for (const QString &line : match.captured(1).split(QLatin1Char('\n'))) {
            if (!line.simplified().isEmpty())
                lines << line.simplified();
        }
    }
    return lines;
}

} // namespace

class ProtocolPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void PdfHoldsEveryLineOnNumberedPages_data();
    void PdfHoldsEveryLineOnNumberedPages();
    void PreviewShowsThePages();
    void UnwritableTargetsFailWithAReason();
    void DefaultPdfName_data();
    void DefaultPdfName();
};

void ProtocolPrinterTest::PdfHoldsEveryLineOnNumberedPages_data()
{
    QTest::addColumn<QByteArray>("protocol");
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("wrapped"); // table lines too wide for any readable size
    // The widest table line has 105 letters; on A4 less 30 mm of margins that is a font of about
    // 8 points, whose lines are about 3.3 mm apart: some 75 lines a page.
    QTest::newRow("one group, 30 lines") << QByteArray::fromStdString(FirstGroup()) << 1 << false;
    QTest::newRow("the example, 95 lines") << QByteArray::fromStdString(Example()) << 2 << false;
    QTest::newRow("the example as the window's lines")
        << QByteArray::fromStdString(ui::JoinLines(Lines(Example()))) << 2 << false;
    QByteArray wide = "<pre>\n";
    for (int word = 0; word < 150; ++word)
        wide += QByteArray::number(1000 + word) + ' ';
    QTest::newRow("a 750 letter line") << wide + "\n</pre>" << 1 << true;
}

void ProtocolPrinterTest::PdfHoldsEveryLineOnNumberedPages()
{
    QFETCH(QByteArray, protocol);
    QFETCH(int, pages);
    QFETCH(bool, wrapped);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("protocol.pdf");
    const ui::PrintOutcome outcome = ui::WritePdf(pdf, protocol.toStdString());
    QVERIFY2(outcome.Ok(), outcome ? "" : outcome.Error().Reason.c_str());
    QCOMPARE(outcome.Value(), pages);

    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not checked");
    QProcess pdftotext;
    pdftotext.start("pdftotext", { "-layout", "-enc", "UTF-8", pdf, "-" });
    QVERIFY(pdftotext.waitForFinished(30000));
    QCOMPARE(pdftotext.exitCode(), 0);
    QStringList pageTexts = QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f');
    pageTexts.removeAll(QString()); // after the last page's form feed
    QCOMPARE(pageTexts.size(), pages);

    // Every table line, names and awarded qualifications with it, whole on one line of the
    // PDF (neither wrapped nor cut at the margin) and in the protocol's order.
    QStringList pdfLines;
    for (int page = 0; page < pages; ++page) {
        QStringList lines = pageTexts[page].split('\n');
        for (QString &line : lines)
            line = line.simplified();
        lines.removeAll(QString());
        QVERIFY(lines.size() >= 2); // some text and the page number
        QCOMPARE(lines.takeLast().remove(' '), QStringLiteral("%1/%2").arg(page + 1).arg(pages));
        QVERIFY2(!Headings(protocol.toStdString()).contains(lines.last()),
            qPrintable("a heading parted from its table: " + lines.last()));
        pdfLines << lines;
    }
    if (wrapped) { // nothing cut off at the margin: the words follow one another
        const QString text = pdfLines.join(' ');
        QCOMPARE(text.simplified(), TableLines(protocol.toStdString()).join(' '));
        return;
    }
    qsizetype at = 0;
    for (const QString &line : TableLines(protocol.toStdString())) {
        at = pdfLines.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable("missing or out of order: " + line));
        ++at;
    }
}

void ProtocolPrinterTest::PreviewShowsThePages()
{
    const auto dialog = ui::MakePrintPreview(Example(), nullptr);
    dialog->open();
    auto *preview = dialog->findChild<QPrintPreviewWidget *>();
    QVERIFY(preview);
    QTRY_COMPARE(preview->pageCount(), 2);
    dialog->reject();
}

void ProtocolPrinterTest::UnwritableTargetsFailWithAReason()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("no such folder/protocol.pdf");
    const ui::PrintOutcome outcome = ui::WritePdf(pdf, Example());
    QVERIFY(!outcome.Ok());
    const QString reason = QString::fromStdString(outcome.Error().Reason);
    QVERIFY2(reason.contains(pdf), qPrintable(reason));
    QVERIFY(!QFile::exists(pdf));

    // A printer that cannot start (here one printing to a file in a missing folder).
    QPrinter printer;
    printer.setOutputFileName(pdf);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    const ui::PrintOutcome printed = ui::PrintProtocol(printer, Example());
    QVERIFY(!printed.Ok());
    QVERIFY(!printed.Error().Reason.empty());
}

void ProtocolPrinterTest::DefaultPdfName_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("pdf");
    QTest::newRow("extension replaced") << "/home/s/140208_res.htm"
                                        << "/home/s/140208_res.pdf";
    QTest::newRow("only the last extension") << "a.b/res.tar.HTM"
                                             << "a.b/res.tar.pdf";
    QTest::newRow("no extension, dotted folder") << "a.b/res"
                                                 << "a.b/res.pdf";
    QTest::newRow("Windows folder") << "C:\\v.1\\res"
                                    << "C:\\v.1\\res.pdf";
    QTest::newRow("name starting with a dot") << "/tmp/.htm"
                                              << "/tmp/.htm.pdf";
    QTest::newRow("already PDF") << "res.pdf"
                                 << "res.pdf";
    QTest::newRow("Cyrillic") << test::Utf8("Пратакол.htm") << test::Utf8("Пратакол.pdf");
    QTest::newRow("no output file yet") << ""
                                        << "";
}

void ProtocolPrinterTest::DefaultPdfName()
{
    QFETCH(QString, output);
    QFETCH(QString, pdf);
    QCOMPARE(ui::DefaultPdfName(output), pdf);
}

QTEST_MAIN(ProtocolPrinterTest)
#include "tst_protocol_printer.moc"
