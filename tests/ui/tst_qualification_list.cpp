// The output's tab "Разрады": the list of the last recalculation, gone when the protocol is read
// anew; saved as CSV or as a page, printed through the preview and written as a PDF that holds
// every athlete of the list.
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "engine/qualification_list.h"
#include "ui/messages.h"
#include "ui/protocol_printer.h"
#include "ui/qualification_list_tab.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

namespace {

using test::Utf8;
using test::W;

} // namespace

class QualificationListTest : public QObject
{
    Q_OBJECT

private slots:
    void TheTabFollowsTheRecalculation();
    void TheExamplesListPrintsEveryAthlete();
};

// The golden page through the printing path: on one A4 page, every athlete of the golden CSV.
void QualificationListTest::TheExamplesListPrintsEveryAthlete()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
    const ui::PrintOutcome printed
        = ui::WritePdf(pdf, test::ReadBytes(test::ExamplesDir() / "sample_qualification_list.htm"));
    QVERIFY(printed.Ok());
    QCOMPARE(printed.Value(), 1);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), { pdf, QStringLiteral("-") });
    QVERIFY(text.waitForFinished());
    const QString shown = QString::fromUtf8(text.readAllStandardOutput());
    const QStringList rows
        = QString::fromUtf8(test::ReadBytes(test::ExamplesDir() / "sample_qualification_list.csv"))
              .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)
              .mid(1);
    QCOMPARE(rows.size(), 24);
    for (const QString &row : rows)
        QVERIFY2(shown.contains(row.section(QLatin1Char(','), 0, 0)), qPrintable(row));
}

void QualificationListTest::TheTabFollowsTheRecalculation()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    auto *tabs = form.findChild<QTabWidget *>(QStringLiteral("OutputTabs"));
    auto *tab = form.findChild<ui::QualificationListTab *>(QStringLiteral("ListTab"));
    QVERIFY(tabs && tab);
    QCOMPARE(tabs->tabText(2), Utf8("Разрады"));
    auto *save = tab->findChild<QPushButton *>(QStringLiteral("ListSaveButton"));
    auto *print = tab->findChild<QPushButton *>(QStringLiteral("ListPrintButton"));
    auto *pdf = tab->findChild<QPushButton *>(QStringLiteral("ListPdfButton"));
    QVERIFY(save && print && pdf);
    QVERIFY(!save->isEnabled() && !print->isEnabled() && !pdf->isEnabled());

    // Read and recalculated with the settings loading gives: the list is the engine's for them.
    window.OpenChoice = test::PathText(test::ExamplesDir() / "sample_protocol.htm");
    QTest::mouseClick(W(form).Button2, Qt::LeftButton);
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QVERIFY(tab->HasList());
    QVERIFY(save->isEnabled() && print->isEnabled() && pdf->isEnabled());
    engine::EarnedQualifications earned;
    const engine::ProcessOptions options = form.ReadOptions();
    QVERIFY(engine::RewriteProtocol(
        form.ProtocolLines(), form.Groups(), options, form.PointsTables().Grid, {}, &earned)
                .Ok());
    const engine::QualificationList list = engine::MakeQualificationList(
        form.ProtocolLines(), form.Groups(), earned, std::nullopt, options.DecimalSeparator);
    QVERIFY(!list.Athletes.empty());
    QCOMPARE(tab->FileBytes(engine::ListFormat::Csv), engine::QualificationListCsv(list));
    // The page is laid out once its tab is shown.
    auto *preview = tab->findChild<QTextBrowser *>(QStringLiteral("ListPreview"));
    QVERIFY(preview);
    tabs->setCurrentWidget(tab);
    QVERIFY(preview->toPlainText().contains(ui::FromCp1251(list.Athletes.front().Name)));
    QVERIFY(preview->toPlainText().contains(Utf8("Выполнение разрядных нормативов")));
    // It goes out of date with the results, and is new again after recalculating.
    auto *note = tab->findChild<QLabel *>(QStringLiteral("ListNote"));
    QVERIFY(note);
    QCOMPARE(note->text(), ui::text::ListNote());
    W(form).CheckBox2->toggle();
    QCOMPARE(note->text(), ui::text::ListOutOfDate());
    W(form).CheckBox2->toggle();
    QCOMPARE(note->text(), ui::text::ListNote()); // a setting changed back changes nothing

    // Saved in the format the name asks for; a file there is replaced only when the user agrees.
    W(form).LabeledEdit2->setText(test::PathText(window.TempPath("140208_res.htm")));
    for (const char *name : { "list.csv", "list.htm" }) {
        const std::filesystem::path path = window.TempPath(name);
        tab->ChooseListFile = [&] { return test::PathText(path); };
        QTest::mouseClick(save, Qt::LeftButton);
        const bool csv = std::string_view(name).ends_with(".csv");
        QCOMPARE(test::ReadBytes(path),
            tab->FileBytes(csv ? engine::ListFormat::Csv : engine::ListFormat::Html));
        window.ConfirmAnswer = false;
        test::WriteBytes(path, "kept");
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(test::ReadBytes(path), std::string("kept"));
        QCOMPARE(window.Confirmations.size(), csv ? 1 : 2);
        window.ConfirmAnswer = true;
    }
    // A list that cannot be written says why and names the file.
    tab->ChooseListFile = [&] { return test::PathText(window.TempPath("no-folder/list.csv")); };
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(window.Errors.size(), 1);
    QVERIFY2(window.Errors[0].contains(QStringLiteral("list.csv")), qPrintable(window.Errors[0]));

    // Printing goes through the window's dialog runner.
    int dialogs = 0;
    form.RunDialog = [&](QDialog &) { ++dialogs; };
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(dialogs, 1);

    // The PDF holds every athlete of the list.
    const std::filesystem::path pdfPath = window.TempPath("list.pdf");
    tab->ChoosePdfFile = [&] { return test::PathText(pdfPath); };
    QTest::mouseClick(pdf, Qt::LeftButton);
    QVERIFY(std::filesystem::exists(pdfPath));
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), { test::PathText(pdfPath), QStringLiteral("-") });
        QVERIFY(text.waitForFinished());
        const QString shown = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const engine::EarnedQualification &athlete : list.Athletes)
            QVERIFY2(shown.contains(ui::FromCp1251(athlete.Name)), athlete.Name.c_str());
    }

    // Reading the protocol again leaves no list of the one before.
    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QVERIFY(!tab->HasList());
    QVERIFY(!save->isEnabled());
}

QTEST_MAIN(QualificationListTest)
#include "tst_qualification_list.moc"
