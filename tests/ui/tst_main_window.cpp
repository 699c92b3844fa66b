// The main window's controls and handlers apart from the group list and the points grid: the
// steps' guidance, reading and saving failures, the options, the output view, opening a
// protocol from the command line or by dropping it, and the layout when resized.
#include <functional>
#include <tuple>
#include <utility>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTextEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QUrl>

#include "engine/cp1251.h"
#include "ui/messages.h"
#include "engine/rewrite.h"
#include "ui/output_view.h"
#include "engine/save.h"
#include "ui/interface_language.h"
#include "ui/dialogs.h"
#include "ui/points_grid_view.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;

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
    void NothingToSave_data();
    void NothingToSave();
    void BadFactorKeepsView_data();
    void BadFactorKeepsView();
    void LongMessageScrolls_data();
    void LongMessageScrolls();
    void FileDialogsStartBesideTheFiles();
    void RatingCheckBoxEnablesFactors();
    void OutOfCompetitionWarns();
    void DecimalSeparatorFollowsLocale();
    void CommandLineProtocol();
    void ImpossibleTimesAreToldOnReading();
    void DroppedProtocol();
    void Utf8ProtocolIsSavedBackInUtf8();
    void EditedViewKeepsUntouchedBytes();
    void Resizing();
    void LayoutKeptBetweenRuns();
    void OneBoldStep_data();
    void OneBoldStep();
    void TypedPathsDoTheirSteps();
    void UnencodableOutputIsNotSaved_data();
    void UnencodableOutputIsNotSaved();
    void CollectorEmail_data();
    void CollectorEmail();
    void FileDialogs();
    void QtDialogsInTheWindowsLanguage_data();
    void QtDialogsInTheWindowsLanguage();
    void OverwriteIsAsked_data();
    void OverwriteIsAsked();
    void CloseQuestionInBelarusian();
};

void MainWindowTest::ControlsAndDefaults()
{
    test::Window window;
    TForm1 &form = window.Form();
    QCOMPARE(form.windowTitle(), QString("Lapwing v1.9 - 8.02.2014"));
    QCOMPARE(W(form).LabeledEdit1Label->text(), Utf8("Імя файла:"));
    QCOMPARE(W(form).Button2->text(), Utf8("1. Агляд..."));
    QCOMPARE(W(form).Button3->text(), Utf8("Перачытаць"));
    QCOMPARE(W(form).Label2->text(), Utf8("Групы:"));
    QCOMPARE(W(form).Label3->text(), Utf8("Табліцы ачкоў:"));
    QCOMPARE(W(form).checkUseVK->text(), Utf8("Улічваць ранг спартсменаў па-за конкурсам (в/к)"));
    QVERIFY(!W(form).checkUseVK->isChecked());
    QCOMPARE(W(form).CheckBox1->text(), Utf8("Палічыць ачкі па рэйтынгу"));
    QVERIFY(!W(form).CheckBox1->isChecked());
    QCOMPARE(W(form).LabeledEdit3Label->text(), Utf8("К="));
    QCOMPARE(W(form).LabeledEdit3->text(), QString("1000"));
    QVERIFY(!W(form).LabeledEdit3->isEnabled());
    QCOMPARE(W(form).LabeledEdit4Label->text(), Utf8("К="));
    QCOMPARE(W(form).LabeledEdit4->text(), QString("2"));
    QVERIFY(!W(form).LabeledEdit4->isEnabled());
    QCOMPARE(W(form).Button1->text(), Utf8("3. Пералічыць"));
    QCOMPARE(W(form).CheckBox2->text(),
        Utf8("Не улічваць іншаземных спарцменаў (шукае тры вялікія лацінскія літары LAT, "
             "LTU, POL, UKR, RUS і г.д.)"));
    QVERIFY(W(form).CheckBox2->isChecked());
    QCOMPARE(W(form).Memo2->toPlainText(), Utf8("Тут з'яўляецца апрацаваная версія"));
    QVERIFY(QFontInfo(W(form).Memo2->font()).fixedPitch());
    QCOMPARE(W(form).Memo2->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(W(form).Memo2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(W(form).LabeledEdit2Label->text(), Utf8("Імя файла:"));
    QCOMPARE(W(form).Button4->text(), Utf8("4. Агляд..."));
    QCOMPARE(W(form).Button5->text(), Utf8("5. Захаваць"));
    QCOMPARE(W(form).StringGrid2->model()->columnCount(), 5);
    QCOMPARE(W(form).StringGrid2->model()->headerData(0, Qt::Horizontal), QVariant(QString()));

    QCOMPARE(W(form).OpenDialog1->windowTitle(), Utf8("Імя файла з вынікамі для пераліку"));
    QCOMPARE(W(form).OpenDialog1->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(W(form).OpenDialog1->nameFilters().size(), 3);
    QVERIFY(W(form).OpenDialog1->nameFilters()[0].startsWith(Utf8("HTM-файлы")));
    QVERIFY(W(form).OpenDialog1->nameFilters()[2].startsWith(Utf8("Ўсе файлы (*.*)")));
    QVERIFY(
        W(form).OpenDialog1->selectedFiles().value(0).endsWith(Utf8("Протокол_Результатов.htm")));
    QVERIFY(W(form).SaveDialog1->selectedFiles().value(0).endsWith(
        TForm1::DefaultOutputName(QDate::currentDate())));

    // The group editors lie hidden until a cell is selected.
    QVERIFY(window.ShowAndActivate());
    QVERIFY(!W(form).cbMaxKval->isVisible() && !W(form).ComboBox4->isVisible()
        && !W(form).ebMastersCount->isVisible() && !W(form).ComboBox3->isVisible());
    QVERIFY(W(form).Button2->font().bold());
    QCOMPARE(QApplication::focusWidget(), W(form).Button2);
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
    const QList<QWidget *> expected { W(form).Button3, W(form).StringGrid2, W(form).StringGrid1,
        W(form).checkUseVK, W(form).CheckBox1, W(form).Button1, W(form).CheckBox2,
        W(form).LabeledEdit2, W(form).Button4, W(form).Button5,
        form.findChild<QLineEdit *>("CollectorEmail"), form.findChild<QWidget *>("PrintButton"),
        form.findChild<QWidget *>("PdfButton"), form.findChild<QWidget *>("AboutButton"),
        form.findChild<QWidget *>("LanguageButton"), W(form).Button2 };
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
    W(form).LabeledEdit1->setText(SampleProtocol());
    QTest::mouseClick(W(form).Button2, Qt::LeftButton); // the dialog is cancelled
    QCOMPARE(W(form).LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 4);
    QVERIFY(!form.ProtocolLines().empty());
    QVERIFY(!W(form).Button2->font().bold() && !W(form).Button3->font().bold());
    QVERIFY(W(form).Button1->font().bold());
    QCOMPARE(QApplication::focusWidget(), W(form).Button1);
}

void MainWindowTest::LoadFailures_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("reason"); // what the message says after the file's name
    // The groups the list shows afterwards: a file read without headings has none, one that
    // could not be read leaves the groups read before.
    QTest::addColumn<int>("groups");
    QTest::newRow("missing file") << QByteArray() << QStringLiteral("No such file") << 4;
    QTest::newRow("no headings") << QByteArray("<html>\r\n<pre>\r\n</pre>\r\n</html>\r\n")
                                 << ui::text::NoHeadings() << 0;
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE<\0h\0"
                                          "2\0>\0",
        10) << QStringLiteral("UTF-16") << 4;
}

void MainWindowTest::LoadFailures()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    QFETCH(int, groups);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 4);
    const std::filesystem::path path = window.TempPath("protocol.htm");
    if (!content.isEmpty())
        test::WriteBytes(path, content.toStdString());
    window.OpenChoice = test::PathText(path);
    QTest::mouseClick(W(form).Button2, Qt::LeftButton);
    // The fixed text, then the file and the reason.
    QCOMPARE(window.Informations.size(), 1);
    const QString shown = window.Informations.value(0);
    QVERIFY2(shown.startsWith(ui::text::LoadFailed() + QLatin1Char('\n'))
            && shown.contains(test::PathText(path)) && shown.contains(reason),
        qPrintable(shown));
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), groups);
    QCOMPARE(int(form.Groups().size()), groups);
    QVERIFY(W(form).Button1->font().bold() && !W(form).Button3->font().bold());
    QCOMPARE(QApplication::focusWidget(), W(form).Button1);
}

void MainWindowTest::RecalculateWithoutProtocolClearsView()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(W(form).Memo2->toPlainText(), QString());
    QVERIFY(form.OutputToSave().empty());
    QVERIFY(!W(form).Button1->font().bold() && W(form).Button4->font().bold());
    QCOMPARE(QApplication::focusWidget(), W(form).Button4);
}

void MainWindowTest::RecalculateLeadsToSaveWhenNamed()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    W(form).LabeledEdit2->setText("out.htm");
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QVERIFY(!W(form).Button4->font().bold() && W(form).Button5->font().bold());
    QCOMPARE(QApplication::focusWidget(), W(form).Button5);
}

void MainWindowTest::SaveWithoutName()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QTest::mouseClick(W(form).Button4, Qt::LeftButton); // the dialog is cancelled
    QVERIFY(W(form).LabeledEdit2->text().isEmpty());
    QVERIFY(W(form).Button5->font().bold());
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);
    QCOMPARE(window.Informations, QStringList { ui::text::NoOutputName() });
    QVERIFY(W(form).Button5->font().bold() && !W(form).Button3->font().bold());
}

void MainWindowTest::SaveFailure()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    W(form).LabeledEdit2->setText(test::PathText(window.TempPath("missing/out.htm")));
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);
    // An error naming the file and the system's reason.
    QVERIFY(window.Informations.isEmpty());
    QCOMPARE(window.Errors.size(), 1);
    const QString prefix = ui::text::SaveFailed() + "\n" + W(form).LabeledEdit2->text() + ": ";
    QVERIFY(window.Errors[0].startsWith(prefix));
    QVERIFY(window.Errors[0].size() > prefix.size());
    QVERIFY(!W(form).Button3->font().bold());
}

void MainWindowTest::NothingToSave_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("named"); // "5. Захаваць" with a name, or Ctrl+S without one
    for (const bool named : { true, false }) {
        const char *how = named ? ", saved with a name" : ", Ctrl+S";
        QTest::newRow(qPrintable(QString("start") + how)) << "start" << named;
        QTest::newRow(qPrintable(QString("recalculated without a protocol") + how))
            << "no protocol" << named;
        QTest::newRow(qPrintable(QString("results emptied by hand") + how)) << "emptied" << named;
    }
}

// No results, no file: neither the view's first line nor an empty view is sent anywhere.
void MainWindowTest::NothingToSave()
{
    QFETCH(QString, before);
    QFETCH(bool, named);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const QString out = test::PathText(window.TempPath("out.htm"));
    if (before == "no protocol") {
        QTest::keyClick(&form, Qt::Key_F9);
    } else if (before == "emptied") {
        form.OpenProtocol(SampleProtocol());
        QTest::keyClick(&form, Qt::Key_F9);
        W(form).Memo2->SelectAll();
        W(form).Memo2->InsertText(QString());
    }
    window.SaveChoice = out;
    if (named) {
        W(form).LabeledEdit2->setText(out);
        QTest::mouseClick(W(form).Button5, Qt::LeftButton);
    } else {
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    }
    QCOMPARE(window.Informations, QStringList { ui::text::NoResultsToSave() });
    QVERIFY(!std::filesystem::exists(window.TempPath("out.htm")));
    QCOMPARE(W(form).LabeledEdit2->text().isEmpty(), !named); // no file asked for
    QVERIFY(!W(form).Button3->font().bold());
}

void MainWindowTest::BadFactorKeepsView_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("told"); // the message; empty: the run goes on
    const QString separator = QLocale::system().decimalPoint();
    const auto told = [&separator](const QString &field, const QString &text) {
        return ui::text::FactorNotANumber().arg(field, text,
            separator == "." ? ui::text::FactorPoint() : ui::text::FactorSeparators().arg(separator),
            "1" + separator + "5");
    };
    QTest::newRow("letters") << "abc"
                             << "2" << told(ui::text::FirstFactorField(), "abc");
    QTest::newRow("other separator in the second")
        << "1000"
        << "2;5" << told(ui::text::SecondFactorField(), "2;5");
    QTest::newRow("the locale's separator") << "1000" << "2" + separator + "5" << QString();
    QTest::newRow("a point") << "1000.5"
                             << "2.5" << QString();
}

void MainWindowTest::BadFactorKeepsView()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, told);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    ClickCheckBox(W(form).CheckBox1);
    W(form).LabeledEdit3->setText(first);
    W(form).LabeledEdit4->setText(second);
    const QString before = W(form).Memo2->toPlainText();
    test::InspectorAnswer answer(window.Dialog(), [](TForm_Controler &dialog) { dialog.reject(); });
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(window.Errors, told.isEmpty() ? QStringList() : QStringList { told });
    QCOMPARE(W(form).Memo2->toPlainText() == before, !told.isEmpty());
    QCOMPARE(answer.Shows(), 0);
    if (told.isEmpty())
        return;
    QVERIFY(W(form).Button1->font().bold());
    // The field named has the focus, its text selected to be typed over.
    QLineEdit *bad = told.contains(ui::text::FirstFactorField()) ? W(form).LabeledEdit3
                                                                : W(form).LabeledEdit4;
    QCOMPARE(QApplication::focusWidget(), bad);
    QCOMPARE(bad->selectedText(), bad->text());
}

void MainWindowTest::LongMessageScrolls_data()
{
    QTest::addColumn<QString>("separator"); // between the 400 names
    QTest::newRow("lines") << "\n";
    QTest::newRow("one line that wraps") << ", ";
}

void MainWindowTest::LongMessageScrolls()
{
    // The box keeps its button on the screen, its text in a view that scrolls.
    QFETCH(QString, separator);
    QStringList names;
    for (int i = 1; i <= 400; ++i)
        names << QStringLiteral("Эстафета МЖ %1").arg(i);
    const QString text = names.join(separator);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect shown;
    bool scrolls = false;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        QVERIFY(box);
        QVERIFY(QTest::qWaitForWindowExposed(box)); // laid out at its size
        shown = box->frameGeometry();
        auto *view = box->findChild<QTextEdit *>();
        scrolls = view && view->toPlainText() == text && view->verticalScrollBar()->maximum() > 0;
        box->close();
    });
    ui::ShowMessage(nullptr, ui::MessageKind::Information, text);
    QVERIFY(scrolls);
    QVERIFY2(shown.height() <= screen.height() && shown.width() <= screen.width(),
        qPrintable(QString("%1 x %2").arg(shown.width()).arg(shown.height())));
}

void MainWindowTest::FileDialogsStartBesideTheFiles()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QStringList folders;
    const auto where = [&](QFileDialog *dialog) {
        return [&folders, dialog] {
            folders << dialog->directory().absolutePath();
            return QString();
        };
    };
    form.ChooseOpenFile = where(W(form).OpenDialog1);
    form.ChooseSaveFile = where(W(form).SaveDialog1);
    const QString examples = QDir(test::PathText(test::ExamplesDir())).absolutePath();
    W(form).LabeledEdit1->setText(SampleProtocol());
    QTest::mouseClick(W(form).Button2, Qt::LeftButton); // reads the protocol named
    QTest::mouseClick(W(form).Button4, Qt::LeftButton); // beside the protocol
    W(form).LabeledEdit2->setText(test::PathText(window.TempPath("out.htm")));
    QTest::mouseClick(W(form).Button4, Qt::LeftButton); // beside the output named
    QCOMPARE(folders,
        QStringList({ examples, examples,
            QDir(test::PathText(window.TempPath(""))).absolutePath() }));
}

void MainWindowTest::RatingCheckBoxEnablesFactors()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    ClickCheckBox(W(form).CheckBox2); // wired to the same handler
    QVERIFY(!W(form).CheckBox2->isChecked());
    QVERIFY(!W(form).LabeledEdit3->isEnabled() && !W(form).LabeledEdit4->isEnabled());
    ClickCheckBox(W(form).CheckBox1);
    QVERIFY(W(form).LabeledEdit3->isEnabled() && W(form).LabeledEdit4->isEnabled());
    ClickCheckBox(W(form).CheckBox2);
    QVERIFY(W(form).LabeledEdit3->isEnabled());
    ClickCheckBox(W(form).CheckBox1);
    QVERIFY(!W(form).LabeledEdit3->isEnabled() && !W(form).LabeledEdit4->isEnabled());

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
    ClickCheckBox(W(form).checkUseVK);
    QCOMPARE(window.Informations, QStringList { Utf8("Не ўпэўнены, што гэта добра працуе.") });
    QVERIFY(form.ReadOptions().CountOutOfCompetition);
    ClickCheckBox(W(form).checkUseVK);
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
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    const QStringList lines = W(form).Memo2->toPlainText().split('\n');
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
    QCOMPARE(W(form).LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 4);
    QVERIFY(!W(form).Button2->font().bold() && W(form).Button1->font().bold());
    QCOMPARE(QApplication::focusWidget(), W(form).Button1);
}

// Read as they stand, as the batch tool reads them, and named once, as it names them.
void MainWindowTest::ImpossibleTimesAreToldOnReading()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    std::string bytes = test::ReadBytes(test::ExamplesDir() / "sample_protocol.htm");
    std::size_t line8 = 0; // the first athlete of "М21"
    for (int i = 0; i < 7; ++i)
        line8 = bytes.find("\r\n", line8) + 2;
    bytes.replace(line8 + 70, 5, "99:99");
    const std::filesystem::path path = window.TempPath("times.htm");
    test::WriteBytes(path, bytes);
    form.OpenProtocol(test::PathText(path));
    QCOMPARE(window.Informations,
        QStringList { test::PathText(path)
            + QStringLiteral(": line 8: the result time's minutes or seconds exceed 59 (read as "
                             "they stand)") });
    QCOMPARE(int(form.Groups().size()), 4);
}

void MainWindowTest::Utf8ProtocolIsSavedBackInUtf8()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(test::PathText(test::ExamplesDir() / "sample_protocol_utf8.htm"));
    QVERIFY(window.Informations.isEmpty());
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 4);
    QCOMPARE(form.windowTitle(), ui::text::WindowCaption() + ui::text::Utf8Suffix());
    QTest::mouseClick(W(form).Button1, Qt::LeftButton); // the default classes need no inspector
    const std::filesystem::path saved = window.TempPath("utf8_res.htm");
    W(form).LabeledEdit2->setText(test::PathText(saved));
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);

    // The same as the Windows-1251 twin's output, in UTF-8 after the byte order mark.
    engine::ProtocolLines lines;
    std::vector<engine::GroupSettings> groups;
    QVERIFY(engine::LoadProtocol(test::ExamplesDir() / "sample_protocol.htm", lines, groups).Ok());
    const engine::RewriteResult twin
        = engine::RewriteProtocol(lines, groups, form.ReadOptions(), form.PointsTables().Grid, {});
    QVERIFY(twin.Ok());
    std::string expected(engine::Utf8ByteOrderMark);
    engine::AppendAsUtf8(expected, engine::ProtocolBytes(twin.Lines));
    QVERIFY(test::ReadBytes(saved) == expected);

    form.OpenProtocol(SampleProtocol());
    QCOMPARE(form.windowTitle(), ui::text::WindowCaption());
}

void MainWindowTest::DroppedProtocol()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    DropFile(&form, SampleProtocol());
    QCOMPARE(W(form).LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 4);
    QCOMPARE(QApplication::focusWidget(), W(form).Button1);

    // Over the output view the file is read too, not pasted as text.
    W(form).LabeledEdit1->clear();
    const QString text = W(form).Memo2->toPlainText();
    DropFile(W(form).Memo2->viewport(), SampleProtocol());
    QCOMPARE(W(form).LabeledEdit1->text(), SampleProtocol());
    QCOMPARE(W(form).Memo2->toPlainText(), text);
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
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);

    const engine::RewriteResult expected = engine::RewriteProtocol(form.ProtocolLines(),
        form.Groups(), form.ReadOptions(), form.PointsTables().Grid, [] { return std::nullopt; });
    QVERIFY(form.OutputToSave() == expected.Lines);

    // The user appends a word to the third line.
    W(form).Memo2->setFocus();
    W(form).Memo2->SetCursorPosition({ 2, 0 });
    QTest::keyClick(W(form).Memo2, Qt::Key_End);
    test::TypeText(W(form).Memo2, Utf8(" ўсё"));

    window.SaveChoice = test::PathText(window.TempPath("out.htm"));
    QTest::mouseClick(W(form).Button4, Qt::LeftButton);
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);
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
    const QList<QWidget *> watched { W(form).StringGrid1, W(form).StringGrid2, W(form).Memo2,
        W(form).LabeledEdit1, W(form).LabeledEdit2, W(form).Button2, W(form).Button3,
        W(form).Button1, W(form).Button4, W(form).Button5, W(form).checkUseVK, W(form).CheckBox2 };
    QList<QRect> before;
    for (const QWidget *widget : watched)
        before.append(geometryOf(widget));
    const QSize grow(120, 90);
    form.resize(form.size() + grow);
    QTest::qWait(50);
    QList<QRect> after;
    for (const QWidget *widget : watched)
        after.append(geometryOf(widget));

    // StringGrid1: in width; StringGrid2 keeps its size: the height goes to the output view.
    QCOMPARE(after[0].size(), before[0].size() + QSize(grow.width(), 0));
    QCOMPARE(after[1].size(), before[1].size());
    // Memo2 takes the extra height and width; the path edits the width; the output row moves
    // down with the bottom.
    QCOMPARE(after[2].size(), before[2].size() + grow);
    QCOMPARE(after[2].top(), before[2].top());
    QCOMPARE(after[3].size(), before[3].size() + QSize(grow.width(), 0));
    QVERIFY(after[4].width() > before[4].width());
    QCOMPARE(after[4].height(), before[4].height());
    QCOMPARE(after[4].top(), before[4].top() + grow.height());
    // The browse and save buttons keep to the right; the lower ones to the bottom too.
    QCOMPARE(after[5], before[5].translated(grow.width(), 0));
    QCOMPARE(after[6], before[6].translated(grow.width(), 0));
    QCOMPARE(after[7], before[7].translated(grow.width(), 0));
    for (int lower : { 8, 9 }) { // beside the path edit, which shares the width with the e-mail
        QCOMPARE(after[lower].size(), before[lower].size());
        QCOMPARE(after[lower].top(), before[lower].top() + grow.height());
        QVERIFY(after[lower].left() > before[lower].left());
    }
    QCOMPARE(after[10].topLeft(), before[10].topLeft());
    QCOMPARE(after[11].topLeft(), before[11].topLeft());
}

// The size, the splitter and the tab come back at the next start, kept in the settings file's
// own section: the points tables' bytes stay, and a window left as it was writes nothing.
void MainWindowTest::LayoutKeptBetweenRuns()
{
    const std::string tables = test::ReadBytes(test::ExamplesDir() / "sample.INI");
    std::string settings;
    QList<int> parts;
    {
        test::Window first(tables);
        TForm1 &form = first.Form();
        QVERIFY(first.ShowAndActivate());
        QVERIFY(form.close()); // left as it was
        QVERIFY(test::ReadBytes(first.SettingsPath()) == tables);
        form.show();
        form.resize(760, 590);
        QTest::qWait(20);
        auto *splitter = form.findChild<QSplitter *>("OutputSplitter");
        const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
        splitter->setSizes({ total - 230, 230 });
        parts = splitter->sizes();
        form.findChild<QTabWidget *>("OutputTabs")->setCurrentIndex(1);
        QVERIFY(form.close());
        settings = test::ReadBytes(first.SettingsPath());
    }
    QVERIFY(settings.starts_with(tables));
    QVERIFY(settings.find("[Window]") != std::string::npos);

    test::Window next(settings);
    TForm1 &form = next.Form();
    QVERIFY(next.ShowAndActivate());
    QCOMPARE(form.size(), QSize(760, 590));
    QCOMPARE(form.findChild<QSplitter *>("OutputSplitter")->sizes(), parts);
    QCOMPARE(form.findChild<QTabWidget *>("OutputTabs")->currentIndex(), 1);
}

QList<QPushButton *> BoldSteps(const TForm1 &form)
{
    QList<QPushButton *> bold;
    for (QPushButton *step :
        { W(form).Button2, W(form).Button3, W(form).Button1, W(form).Button4, W(form).Button5 }) {
        if (step->font().bold())
            bold.append(step);
    }
    return bold;
}

void MainWindowTest::OneBoldStep_data()
{
    // Steps clicked in order: 2 browse, 3 re-read, 1 recalculate, 4 browse, 5 save; then the
    // one bold step.
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("bold");
    QTest::newRow("re-read after choosing the output") << QList<int> { 2, 4, 3 } << "Button1";
    QTest::newRow("recalculate after saving") << QList<int> { 2, 1, 4, 5, 1 } << "Button5";
    QTest::newRow("browse after choosing the output") << QList<int> { 4, 2 } << "Button1";
    QTest::newRow("the whole way") << QList<int> { 2, 3, 1, 4, 5 } << "Button3";
}

void MainWindowTest::OneBoldStep()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QString, bold);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    window.OpenChoice = SampleProtocol();
    window.SaveChoice = test::PathText(window.TempPath("out.htm"));
    for (const int step : clicks) {
        QTest::mouseClick(
            form.findChild<QPushButton *>(QString("Button%1").arg(step)), Qt::LeftButton);
        QCOMPARE(BoldSteps(form).size(), 1);
    }
    QCOMPARE(BoldSteps(form).value(0)->objectName(), bold);
    QCOMPARE(QApplication::focusWidget(), BoldSteps(form).value(0));
}

void MainWindowTest::TypedPathsDoTheirSteps()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    // Another protocol, one heading more.
    const std::filesystem::path other = window.TempPath("other.htm");
    std::string bytes = test::ReadBytes(test::ExamplesDir() / "sample_protocol.htm");
    bytes += "<h2>M99, 1 KP</h2>\r\n";
    test::WriteBytes(other, bytes);

    // Typed but not read: recalculating would rewrite the protocol read before.
    W(form).LabeledEdit1->setText(test::PathText(other));
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(
        window.Informations, QStringList { ui::text::UnreadProtocol().arg(test::PathText(other)) });
    QCOMPARE(W(form).Memo2->toPlainText(), ui::text::InitialOutput());
    QCOMPARE(BoldSteps(form), QList<QPushButton *> { W(form).Button3 });

    // Enter in the edit reads it; then recalculating goes ahead.
    QTest::keyClick(W(form).LabeledEdit1, Qt::Key_Return);
    QCOMPARE(W(form).StringGrid2->model()->rowCount(), 5);
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(window.Informations.size(), 1);
    QVERIFY(W(form).Memo2->toPlainText().contains("M99"));

    // Enter in the output edit saves.
    const std::filesystem::path out = window.TempPath("typed.htm");
    W(form).LabeledEdit2->setText(test::PathText(out));
    QTest::keyClick(W(form).LabeledEdit2, Qt::Key_Return);
    QCOMPARE(window.Informations.size(), 2);
    QVERIFY(test::ReadBytes(out) == engine::ProtocolBytes(form.OutputToSave()));
}

void MainWindowTest::UnencodableOutputIsNotSaved_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error"); // empty: saved
    QTest::newRow("Latin letter") << Utf8("ab\nc ?Ł")
                                  << ui::text::UnencodableOutput().arg(2).arg(4).arg(Utf8("Ł"));
    QTest::newRow("CJK") << Utf8("中") << ui::text::UnencodableOutput().arg(1).arg(1).arg(Utf8("中"));
    QTest::newRow("after a pair") << Utf8("x\ny\n😀ł")
                                  << ui::text::UnencodableOutput().arg(3).arg(1).arg(Utf8("😀"));
    QTest::newRow("Windows-1251 only") << Utf8("Ўсё «добра» №1 €") << QString();
}

void MainWindowTest::UnencodableOutputIsNotSaved()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const std::filesystem::path out = window.TempPath("out.htm");
    W(form).LabeledEdit2->setText(test::PathText(out));
    form.OpenProtocol(SampleProtocol());
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    W(form).Memo2->setPlainText(text); // the results corrected by hand
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);
    QCOMPARE(window.Errors, error.isEmpty() ? QStringList() : QStringList { error });
    QCOMPARE(std::filesystem::exists(out), error.isEmpty());
}

void MainWindowTest::CollectorEmail_data()
{
    QTest::addColumn<QString>("email");
    QTest::newRow("none") << QString();
    QTest::newRow("set") << "zbor@example.by";
}

void MainWindowTest::CollectorEmail()
{
    QFETCH(QString, email);
    const std::string settings = test::ReadBytes(test::ExamplesDir() / "sample.INI");
    auto window = std::make_unique<test::Window>(settings);
    TForm1 &form = window->Form();
    QVERIFY(window->ShowAndActivate());
    auto *edit = form.findChild<QLineEdit *>("CollectorEmail");
    QVERIFY(edit->text().isEmpty()); // no address until the user gives one
    // Another window saves its points tables meanwhile: they stay.
    const std::string others = settings + "; saved by another window\r\n";
    test::WriteBytes(window->SettingsPath(), others);
    edit->setFocus();
    test::TypeText(edit, email);
    QTest::keyClick(edit, Qt::Key_Return);
    // Kept in a section of its own: the points tables' bytes stay as they were.
    const std::string saved = test::ReadBytes(window->SettingsPath());
    QVERIFY(saved.starts_with(others));
    QCOMPARE(saved == others, email.isEmpty());

    // The message names the file written, and the address.
    form.OpenProtocol(SampleProtocol());
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    const QString out = test::PathText(window->TempPath("out.htm"));
    W(form).LabeledEdit2->setText(out);
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);
    QCOMPARE(window->Informations,
        QStringList { email.isEmpty() ? Utf8("Вынікі захаваны ў файле «%1». Не забудзцеся даслаць "
                                             "іх зборшчыку вынікаў. Дзякую!")
                                            .arg(out)
                                      : Utf8("Вынікі захаваны ў файле «%1». Не забудзцеся даслаць "
                                             "іх на e-mail: %2. Дзякую!")
                                            .arg(out, email) });

    // The next start shows it again.
    test::Window next(saved);
    QCOMPARE(next.Form().findChild<QLineEdit *>("CollectorEmail")->text(), email);
}

void MainWindowTest::FileDialogs()
{
    test::Window window;
    TForm1 &form = window.Form();
    QFileDialog *open = W(form).OpenDialog1;
    QFileDialog *save = W(form).SaveDialog1;
    // Belarusian captions and buttons: Qt's own dialog, whose texts can be set.
    for (QFileDialog *dialog : { open, save }) {
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->labelText(QFileDialog::Reject), ui::text::DialogCancel());
        QCOMPARE(dialog->labelText(QFileDialog::FileName), ui::text::DialogFileName());
    }
    QCOMPARE(open->labelText(QFileDialog::Accept), ui::text::DialogOpen());
    QCOMPARE(save->labelText(QFileDialog::Accept), ui::text::DialogSave());
    QCOMPARE(save->windowTitle(), ui::text::SaveDialogTitle());
    QVERIFY(open->nameFilters()[0].contains("*.html"));
    QVERIFY(save->nameFilters()[0].contains("*.htm"));
    // A name typed without an extension gets ".htm".
    save->setDirectory(test::PathText(window.TempPath("")));
    save->selectFile("result");
    QVERIFY(save->selectedFiles().value(0).endsWith("/result.htm"));
}

void MainWindowTest::QtDialogsInTheWindowsLanguage_data()
{
    QTest::addColumn<bool>("shipped"); // Qt's translations where Qt keeps them, or none at all
    QTest::newRow("Qt's translations") << true;
    QTest::newRow("none installed") << false;
}

void MainWindowTest::QtDialogsInTheWindowsLanguage()
{
    QFETCH(bool, shipped);
    const QTemporaryDir nothing;
    test::Window window;
    // Texts of Qt's own dialogs: the file list's heading, a message box's button and the print
    // preview's actions.
    const QAbstractItemModel *files
        = W(window.Form()).SaveDialog1->findChild<QTreeView *>()->model();
    const auto heading = [files] { return files->headerData(0, Qt::Horizontal).toString(); };
    const auto cancel = [] {
        QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Cancel);
        return box.button(QMessageBox::Cancel)->text();
    };
    const auto previewActions = [] {
        QPrintPreviewDialog preview;
        QStringList texts;
        for (const QAction *action : preview.findChildren<QAction *>())
            texts << action->text();
        return texts;
    };
    {
        const ui::InterfaceLanguage language(ui::Language::Belarusian, {},
            shipped ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : nothing.path());
        QCOMPARE(QFileInfo(language.QtTranslationFile()).fileName(),
            shipped ? QString("qtbase_ru.qm") : QString());
        // The program's Belarusian comes before Qt's Russian.
        QCOMPARE(heading(), Utf8("Імя"));
        QCOMPARE(cancel(), Utf8("Адмена"));
        QVERIFY(previewActions().contains(shipped ? Utf8("Печать") : QString("Print")));
    }
    QCOMPARE(heading(), QString("Name"));
    QCOMPARE(cancel(), QString("Cancel"));
    QVERIFY(previewActions().contains("Print"));
}

void MainWindowTest::OverwriteIsAsked_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void MainWindowTest::OverwriteIsAsked()
{
    QFETCH(bool, answer);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const std::filesystem::path existing = window.TempPath("old.htm");
    test::WriteBytes(existing, "old");
    window.SaveChoice = test::PathText(existing);
    window.ConfirmAnswer = answer;
    QTest::mouseClick(W(form).Button4, Qt::LeftButton);
    QCOMPARE(
        window.Confirmations, QStringList { ui::text::OverwriteQuestion().arg(window.SaveChoice) });
    QCOMPARE(W(form).LabeledEdit2->text(), answer ? window.SaveChoice : QString());
    // A new file is not asked about.
    window.SaveChoice = test::PathText(window.TempPath("new.htm"));
    QTest::mouseClick(W(form).Button4, Qt::LeftButton);
    QCOMPARE(window.Confirmations.size(), 1);
    QCOMPARE(W(form).LabeledEdit2->text(), window.SaveChoice);
}

// The questions with three answers: each button gives its answer, Escape goes back, and the
// buttons speak Belarusian.
void MainWindowTest::CloseQuestionInBelarusian()
{
    const auto answered = [](const QString &label, const std::function<int()> &ask) {
        QStringList buttons;
        QTimer::singleShot(0, [&buttons, label] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            for (QAbstractButton *button : box->buttons())
                buttons.append(button->text());
            if (label.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == label)
                    button->click();
            }
        });
        const int answer = ask();
        buttons.sort();
        return std::pair { answer, buttons };
    };
    const std::function<int()> close = [] {
        return static_cast<int>(
            ui::AskCloseAnswer(nullptr, ui::text::SaveTablesQuestion(), ui::text::SaveAndClose()));
    };
    const std::function<int()> outOfDate = [] {
        return static_cast<int>(ui::AskOutOfDateSave(nullptr, ui::text::SaveOutOfDateQuestion()));
    };
    QStringList closeButtons { ui::text::SaveAndClose(), ui::text::DiscardAndClose(),
        ui::text::ReturnToWindow() };
    QStringList outOfDateButtons { ui::text::RecalculateAndSave(), ui::text::SaveAsShown(),
        ui::text::ReturnToWindow() };
    for (const auto &[label, ask, buttons, expected] :
        { std::tuple { ui::text::SaveAndClose(), close, closeButtons, int(ui::CloseAnswer::Save) },
            std::tuple { ui::text::DiscardAndClose(), close, closeButtons,
                int(ui::CloseAnswer::Discard) },
            std::tuple { QString(), close, closeButtons, int(ui::CloseAnswer::Return) },
            std::tuple { ui::text::RecalculateAndSave(), outOfDate, outOfDateButtons,
                int(ui::OutOfDateAnswer::Recalculate) },
            std::tuple { ui::text::SaveAsShown(), outOfDate, outOfDateButtons,
                int(ui::OutOfDateAnswer::SaveAsShown) },
            std::tuple { ui::text::ReturnToWindow(), outOfDate, outOfDateButtons,
                int(ui::OutOfDateAnswer::Return) } }) {
        QStringList sorted = buttons;
        sorted.sort();
        const auto [answer, shown] = answered(label, ask);
        QCOMPARE(answer, expected);
        QCOMPARE(shown, sorted);
    }
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
