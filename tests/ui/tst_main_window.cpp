// The main window's controls and handlers apart from the group list and the points grid: the
// steps' guidance, reading and saving failures, the options, the output view, opening a
// protocol from the command line or by dropping it, and the layout when resized.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include "engine/cp1251.h"
#include "ui/messages.h"
#include "engine/rewrite.h"
#include "ui/output_view.h"
#include "ui/points_grid_view.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::Utf8;

namespace {

QString SampleProtocol() { return test::PathText(test::ExamplesDir() / "sample_protocol.htm"); }

std::vector<std::string> SplitCrLf(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

// On the box itself: a check box stretched over the window's width ends with its text.
void ClickCheckBox(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

void DropFile(QWidget *target, const QString &path)
{
    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(path) });
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void ControlsAndDefaults();
    void DefaultOutputName();
    void TabOrder();
    void CancelledOpenStillReads();
    void LoadFailures_data();
    void LoadFailures();
    void RecalculateWithoutProtocolClearsView();
    void RecalculateLeadsToSaveWhenNamed();
    void SaveWithoutName();
    void SaveFailure();
    void SaveInitialText();
    void BadFactorKeepsView();
    void RatingCheckBoxEnablesFactors();
    void OutOfCompetitionWarns();
    void DecimalSeparatorFollowsLocale();
    void CommandLineProtocol();
    void DroppedProtocol();
    void Utf8ProtocolIsPointedOut();
    void EditedViewKeepsUntouchedBytes();
    void Resizing();
};

void MainWindowTest::ControlsAndDefaults()
{
    test::Window window;
    TForm1 &form = window.Form();
    QCOMPARE(form.windowTitle(), QString("Lapwing v1.9 - 8.02.2014"));
    QCOMPARE(form.LabeledEdit1Label->text(), Utf8("Імя файла:"));
    QCOMPARE(form.Button2->text(), Utf8("1. Агляд..."));
    QCOMPARE(form.Button3->text(), Utf8("Перачытаць"));
    QCOMPARE(form.Label2->text(), Utf8("Групы:"));
    QCOMPARE(form.Label3->text(), Utf8("Табліцы ачкоў:"));
    QCOMPARE(form.checkUseVK->text(), Utf8("Улічваць ранг спартсменаў па-за конкурсам (в/к)"));
    QVERIFY(!form.checkUseVK->isChecked());
    QCOMPARE(form.CheckBox1->text(), Utf8("Палічыць ачкі па рэйтынгу"));
    QVERIFY(!form.CheckBox1->isChecked());
    QCOMPARE(form.LabeledEdit3Label->text(), Utf8("К="));
    QCOMPARE(form.LabeledEdit3->text(), QString("1000"));
    QVERIFY(!form.LabeledEdit3->isEnabled());
    QCOMPARE(form.LabeledEdit4Label->text(), Utf8("К="));
    QCOMPARE(form.LabeledEdit4->text(), QString("2"));
    QVERIFY(!form.LabeledEdit4->isEnabled());
    QCOMPARE(form.Button1->text(), Utf8("3. Пералічыць"));
    QCOMPARE(form.CheckBox2->text(),
        Utf8("Не улічваць іншаземных спарцменаў (шукае тры вялікія лацінскія літары LTV, "
             "LTU, POL, UKR, RUS і г.д.)"));
    QVERIFY(form.CheckBox2->isChecked());
    QCOMPARE(form.Memo2->toPlainText(), Utf8("Тут з'яўляеца апрацаваная версія"));
    QVERIFY(QFontInfo(form.Memo2->font()).fixedPitch());
    QCOMPARE(form.Memo2->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(form.Memo2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(form.LabeledEdit2Label->text(), Utf8("Імя файла:"));
    QCOMPARE(form.Button4->text(), Utf8("4. Агляд..."));
    QCOMPARE(form.Button5->text(), Utf8("5. Захаваць"));
    QCOMPARE(form.StringGrid2->columnCount(), 5);

    QCOMPARE(form.OpenDialog1->windowTitle(), Utf8("Імя файла з вынікамі для пераліку"));
    QCOMPARE(form.OpenDialog1->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(form.OpenDialog1->nameFilters().size(), 3);
    QVERIFY(form.OpenDialog1->nameFilters()[0].startsWith(Utf8("HTM-файлы")));
    QVERIFY(form.OpenDialog1->nameFilters()[2].startsWith(Utf8("Ўсе файлы (*.*)")));
    QVERIFY(form.OpenDialog1->selectedFiles().value(0).endsWith(Utf8("Протокол_Результатов.htm")));
    QVERIFY(form.SaveDialog1->selectedFiles().value(0).endsWith(
        TForm1::DefaultOutputName(QDate::currentDate())));

    // The group editors lie hidden until a cell is selected.
    QVERIFY(window.ShowAndActivate());
    QVERIFY(!form.cbMaxKval->isVisible() && !form.ComboBox4->isVisible()
        && !form.ebMastersCount->isVisible() && !form.ComboBox3->isVisible());
    QVERIFY(form.Button2->font().bold());
    QCOMPARE(QApplication::focusWidget(), form.Button2);
    QCOMPARE(form.size(), QSize(707, 555));
}

void MainWindowTest::DefaultOutputName()
{
    QCOMPARE(TForm1::DefaultOutputName(QDate(2014, 2, 8)), QString("140208_res.htm"));
    QCOMPARE(TForm1::DefaultOutputName(QDate(2009, 11, 30)), QString("091130_res.htm"));
}

void MainWindowTest::TabOrder()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    // The path edit and the output view are skipped, as are the disabled "К=" edits.
    const QList<QWidget *> expected { form.Button3, form.StringGrid2, form.StringGrid1,
        form.checkUseVK, form.CheckBox1, form.Button1, form.CheckBox2, form.LabeledEdit2,
        form.Button4, form.Button5, form.Button2 };
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void MainWindowTest::CancelledOpenStillReads()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.LabeledEdit1->setText(SampleProtocol());
    QTest::mouseClick(form.Button2, Qt::LeftButton); // the dialog is cancelled
    QCOMPARE(form.LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(form.StringGrid2->rowCount(), 4);
    QVERIFY(!form.ProtocolLines().empty());
    QVERIFY(!form.Button2->font().bold() && !form.Button3->font().bold());
    QVERIFY(form.Button1->font().bold());
    QCOMPARE(QApplication::focusWidget(), form.Button1);
}

void MainWindowTest::LoadFailures_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<bool>("message");
    QTest::newRow("missing file") << QByteArray() << true;
    QTest::newRow("no headings") << QByteArray("<html>\r\n<pre>\r\n</pre>\r\n</html>\r\n") << true;
}

void MainWindowTest::LoadFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, message);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const std::filesystem::path path = window.TempPath("protocol.htm");
    if (!content.isEmpty())
        test::WriteBytes(path, content.toStdString());
    window.OpenChoice = test::PathText(path);
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    QCOMPARE(window.Informations.size(), message ? 1 : 0);
    QCOMPARE(window.Informations.value(0), Utf8(ui::LoadFailedMessage));
    QCOMPARE(form.StringGrid2->rowCount(), 0);
    QVERIFY(form.Button1->font().bold() && !form.Button3->font().bold());
    QCOMPARE(QApplication::focusWidget(), form.Button1);
}

void MainWindowTest::RecalculateWithoutProtocolClearsView()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(form.Memo2->toPlainText(), QString());
    QVERIFY(form.OutputToSave().empty());
    QVERIFY(!form.Button1->font().bold() && form.Button4->font().bold());
    QCOMPARE(QApplication::focusWidget(), form.Button4);
}

void MainWindowTest::RecalculateLeadsToSaveWhenNamed()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.LabeledEdit2->setText("out.htm");
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QVERIFY(!form.Button4->font().bold() && form.Button5->font().bold());
    QCOMPARE(QApplication::focusWidget(), form.Button5);
}

void MainWindowTest::SaveWithoutName()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QTest::mouseClick(form.Button4, Qt::LeftButton); // the dialog is cancelled
    QVERIFY(form.LabeledEdit2->text().isEmpty());
    QVERIFY(form.Button5->font().bold());
    QTest::mouseClick(form.Button5, Qt::LeftButton);
    QCOMPARE(window.Informations, QStringList { Utf8(ui::NoOutputNameMessage) });
    QVERIFY(form.Button5->font().bold() && !form.Button3->font().bold());
}

void MainWindowTest::SaveFailure()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.LabeledEdit2->setText(test::PathText(window.TempPath("missing/out.htm")));
    QTest::mouseClick(form.Button5, Qt::LeftButton);
    QCOMPARE(window.Informations, QStringList { Utf8(ui::SaveFailedMessage) });
    QVERIFY(!form.Button3->font().bold());
}

void MainWindowTest::SaveInitialText()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    window.SaveChoice = test::PathText(window.TempPath("out.htm"));
    QTest::mouseClick(form.Button4, Qt::LeftButton);
    QTest::mouseClick(form.Button5, Qt::LeftButton);
    QCOMPARE(test::ReadBytes(window.TempPath("out.htm")),
        ui::ToCp1251(Utf8("Тут з'яўляеца апрацаваная версія")) + "\r\n");
    QVERIFY(!form.Button5->font().bold() && form.Button3->font().bold());
    QCOMPARE(QApplication::focusWidget(), form.Button3);
}

void MainWindowTest::BadFactorKeepsView()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    ClickCheckBox(form.CheckBox1);
    form.LabeledEdit3->setText("abc");
    const QString before = form.Memo2->toPlainText();
    test::InspectorAnswer answer(window.Dialog(), [](TForm_Controler &dialog) { dialog.reject(); });
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    QCOMPARE(window.Errors, QStringList { "'abc' is not a valid floating point value" });
    QCOMPARE(form.Memo2->toPlainText(), before);
    QCOMPARE(answer.Shows(), 0);
    QVERIFY(form.Button1->font().bold());
}

void MainWindowTest::RatingCheckBoxEnablesFactors()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    ClickCheckBox(form.CheckBox2); // wired to the same handler
    QVERIFY(!form.CheckBox2->isChecked());
    QVERIFY(!form.LabeledEdit3->isEnabled() && !form.LabeledEdit4->isEnabled());
    ClickCheckBox(form.CheckBox1);
    QVERIFY(form.LabeledEdit3->isEnabled() && form.LabeledEdit4->isEnabled());
    ClickCheckBox(form.CheckBox2);
    QVERIFY(form.LabeledEdit3->isEnabled());
    ClickCheckBox(form.CheckBox1);
    QVERIFY(!form.LabeledEdit3->isEnabled() && !form.LabeledEdit4->isEnabled());

    const engine::ProcessOptions options = form.ReadOptions();
    QVERIFY(!options.RatingPoints);
    QVERIFY(options.ExcludeForeign);
    QCOMPARE(options.K1Text, std::string("1000"));
    QCOMPARE(options.K2Text, std::string("2"));
}

void MainWindowTest::OutOfCompetitionWarns()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    ClickCheckBox(form.checkUseVK);
    QCOMPARE(window.Informations, QStringList { Utf8("Не ўпэўнены, што гэта добра працуе.") });
    QVERIFY(form.ReadOptions().CountOutOfCompetition);
    ClickCheckBox(form.checkUseVK);
    QCOMPARE(window.Informations.size(), 1);
}

void MainWindowTest::DecimalSeparatorFollowsLocale()
{
    // CTest runs this test in a Belarusian locale, whose decimal separator is a comma.
    const QString separator = QLocale::system().decimalPoint();
    if (QLocale::system().language() == QLocale::Belarusian)
        QCOMPARE(separator, QString(","));
    test::Window window;
    TForm1 &form = window.Form();
    QCOMPARE(QString(QChar(form.ReadOptions().DecimalSeparator)), separator);
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    const QStringList lines = form.Memo2->toPlainText().split('\n');
    bool found = false;
    for (const QString &line : lines) {
        if (line.startsWith(Utf8("Ранг соревнований  - "))) {
            QVERIFY2(line.contains(QRegularExpression(
                         "\\d" + QRegularExpression::escape(separator) + "\\d баллов")),
                qPrintable(line));
            found = true;
        }
    }
    QVERIFY(found);
}

void MainWindowTest::CommandLineProtocol()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    QCOMPARE(form.LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(form.StringGrid2->rowCount(), 4);
    QVERIFY(!form.Button2->font().bold() && form.Button1->font().bold());
    QCOMPARE(QApplication::focusWidget(), form.Button1);
}

void MainWindowTest::Utf8ProtocolIsPointedOut()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const std::filesystem::path path = window.TempPath("utf8.htm");
    test::WriteBytes(path, engine::Cp1251ToUtf8(test::ReadBytes(test::ExamplesDir() / "sample_protocol.htm")));
    form.OpenProtocol(test::PathText(path));
    QCOMPARE(window.Informations, QStringList { Utf8(ui::Utf8ProtocolMessage) });
    QCOMPARE(form.StringGrid2->rowCount(), 4); // read all the same

    window.Informations.clear();
    form.OpenProtocol(SampleProtocol());
    QVERIFY(window.Informations.isEmpty());
}

void MainWindowTest::DroppedProtocol()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    DropFile(&form, SampleProtocol());
    QCOMPARE(form.LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(form.StringGrid2->rowCount(), 4);
    QCOMPARE(QApplication::focusWidget(), form.Button1);

    // Over the output view the file is read too, not pasted as text.
    form.LabeledEdit1->clear();
    const QString text = form.Memo2->toPlainText();
    DropFile(form.Memo2->viewport(), SampleProtocol());
    QCOMPARE(form.LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(form.Memo2->toPlainText(), text);
}

void MainWindowTest::EditedViewKeepsUntouchedBytes()
{
    // Bytes that a text view may not give back as they were: a no-break space, 0x98, a tab.
    test::Window window;
    TForm1 &form = window.Form();
    std::string protocol = test::ReadBytes(test::ExamplesDir() / "sample_protocol.htm");
    protocol.insert(0,
        "<!-- a\xA0"
        "b \x98\tc -->\r\n");
    const std::filesystem::path path = window.TempPath("protocol.htm");
    test::WriteBytes(path, protocol);
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(test::PathText(path));
    QTest::mouseClick(form.Button1, Qt::LeftButton);

    const engine::RewriteResult expected = engine::RewriteProtocol(form.ProtocolLines(),
        form.Groups(), form.ReadOptions(), form.PointsTables().Grid, [] { return std::nullopt; });
    QVERIFY(form.OutputToSave() == expected.Lines);

    // The user appends a word to the third line.
    form.Memo2->setFocus();
    form.Memo2->SetCursorPosition({ 2, 0 });
    QTest::keyClick(form.Memo2, Qt::Key_End);
    test::TypeText(form.Memo2, Utf8(" ўсё"));

    window.SaveChoice = test::PathText(window.TempPath("out.htm"));
    QTest::mouseClick(form.Button4, Qt::LeftButton);
    QTest::mouseClick(form.Button5, Qt::LeftButton);
    std::vector<engine::ProtocolLine> lines = expected.Lines;
    lines[2] += ui::ToCp1251(Utf8(" ўсё"));
    QVERIFY(SplitCrLf(test::ReadBytes(window.TempPath("out.htm"))) == lines);
    QVERIFY(lines[0].find("\xA0"
                          "b \x98\tc")
        != std::string::npos);
}

void MainWindowTest::Resizing()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const auto geometryOf = [](const QWidget *widget) {
        return QRect(widget->mapTo(widget->window(), QPoint()), widget->size());
    };
    const QList<QWidget *> watched { form.StringGrid1, form.StringGrid2, form.Memo2,
        form.LabeledEdit1, form.LabeledEdit2, form.Button2, form.Button3, form.Button1,
        form.Button4, form.Button5, form.checkUseVK, form.CheckBox2 };
    QList<QRect> before;
    for (const QWidget *widget : watched)
        before.append(geometryOf(widget));
    const QSize grow(120, 90);
    form.resize(form.size() + grow);
    QTest::qWait(50);
    QList<QRect> after;
    for (const QWidget *widget : watched)
        after.append(geometryOf(widget));

    // StringGrid1: both ways.
    QCOMPARE(after[0].size(), before[0].size() + grow);
    // StringGrid2: in height only.
    QCOMPARE(after[1].size(), before[1].size() + QSize(0, grow.height()));
    // Memo2 and the path edits: in width only; the output row moves down with the bottom.
    QCOMPARE(after[2].size(), before[2].size() + QSize(grow.width(), 0));
    QCOMPARE(after[2].top(), before[2].top() + grow.height());
    QCOMPARE(after[3].size(), before[3].size() + QSize(grow.width(), 0));
    QCOMPARE(after[4].size(), before[4].size() + QSize(grow.width(), 0));
    QCOMPARE(after[4].top(), before[4].top() + grow.height());
    // The browse and save buttons keep to the right; the lower ones to the bottom too.
    QCOMPARE(after[5], before[5].translated(grow.width(), 0));
    QCOMPARE(after[6], before[6].translated(grow.width(), 0));
    QCOMPARE(after[7], before[7].translated(grow.width(), grow.height()));
    QCOMPARE(after[8], before[8].translated(grow.width(), grow.height()));
    QCOMPARE(after[9], before[9].translated(grow.width(), grow.height()));
    QCOMPARE(after[10].topLeft(), before[10].topLeft() + QPoint(0, grow.height()));
    QCOMPARE(after[11].topLeft(), before[11].topLeft() + QPoint(0, grow.height()));
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
