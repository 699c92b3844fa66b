// The window's shortcuts, its rendered preview beside the text view, and the print, PDF and
// About buttons.
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "ui/about_dialog.h"
#include "ui/messages.h"
#include "ui/protocol_document.h"
#include "ui/protocol_preview.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;

namespace {

QString SampleProtocol() { return test::PathText(test::ExamplesDir() / "sample_protocol.htm"); }

// What the preview shows for the output as it is now.
QString RenderedOutput(const TForm1 &form)
{
    ui::ProtocolPreview reference;
    reference.SetProtocol(ui::JoinLines(form.OutputToSave()));
    return reference.toPlainText();
}

} // namespace

class WindowWiringTest : public QObject
{
    Q_OBJECT

private slots:
    void ShortcutsRunTheirSteps_data();
    void ShortcutsRunTheirSteps();
    void PreviewFollowsOutput();
    void PdfAndAbout();
};

void WindowWiringTest::ShortcutsRunTheirSteps_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("focus"); // the control that has the focus when they are pressed
    QTest::addColumn<bool>("named"); // an output file is named beforehand
    QTest::addColumn<bool>("chosen"); // the save dialog is answered with a file
    QTest::addColumn<QStringList>("events"); // buttons clicked and dialogs run, in order
    QTest::addColumn<bool>("saved");

    const QStringList none;
    QTest::newRow("open") << "Ctrl+O"
                          << "Button3" << false << false << QStringList { "Button2" } << false;
    QTest::newRow("reread") << "F5"
                            << "LabeledEdit1" << false << false << QStringList { "Button3" }
                            << false;
    QTest::newRow("recalculate") << "F9"
                                 << "Button2" << false << false << QStringList { "Button1" }
                                 << false;
    QTest::newRow("save named") << "Ctrl+S"
                                << "Memo2" << true << false << QStringList { "Button5" } << true;
    QTest::newRow("save asks for the file")
        << "Ctrl+S"
        << "Button2" << false << true << QStringList { "Button4", "Button5" } << true;
    QTest::newRow("save cancelled")
        << "Ctrl+S"
        << "Button2" << false << false << QStringList { "Button4" } << false;
    QTest::newRow("print") << "Ctrl+P"
                           << "Memo2" << false << false << QStringList { "QPrintPreviewDialog" }
                           << false;
    QTest::newRow("quit") << "Ctrl+Q"
                          << "Button2" << false << false << none << false;
}

void WindowWiringTest::ShortcutsRunTheirSteps()
{
    QFETCH(QString, keys);
    QFETCH(QString, focus);
    QFETCH(bool, named);
    QFETCH(bool, chosen);
    QFETCH(QStringList, events);
    QFETCH(bool, saved);

    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    const QString output = test::PathText(window.TempPath("out.htm"));
    if (named)
        W(form).LabeledEdit2->setText(output);
    if (chosen)
        window.SaveChoice = output;

    QStringList happened;
    for (const char *name : { "Button2", "Button3", "Button1", "Button4", "Button5" }) {
        auto *button = form.findChild<QPushButton *>(name);
        connect(button, &QPushButton::clicked, &form, [&happened, name] { happened << name; });
    }
    form.RunDialog = [&happened](QDialog &dialog) { happened << dialog.metaObject()->className(); };

    auto *focused = form.findChild<QWidget *>(focus);
    focused->setFocus();
    QTest::keySequence(focused, QKeySequence(keys));
    QCOMPARE(happened, events);
    QCOMPARE(QFileInfo::exists(output), saved);
    QCOMPARE(form.isVisible(), keys != "Ctrl+Q");
    QCOMPARE(W(form).Button2->toolTip(), QString("Ctrl+O"));
    QCOMPARE(form.findChild<QToolButton *>("PrintButton")->toolTip(), QString("Ctrl+P"));
}

void WindowWiringTest::PreviewFollowsOutput()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    auto *tabs = form.findChild<QTabWidget *>("OutputTabs");
    auto *preview = form.findChild<ui::ProtocolPreview *>("Preview");
    QCOMPARE(tabs->currentWidget(), W(form).Memo2); // the text view is the default
    form.OpenProtocol(SampleProtocol());

    tabs->setCurrentWidget(preview);
    const QString before = preview->toPlainText();
    QCOMPARE(before, RenderedOutput(form));
    QTest::mouseClick(W(form).Button1, Qt::LeftButton); // recalculated with the preview shown
    QVERIFY(preview->toPlainText() != before);
    QCOMPARE(preview->toPlainText(), RenderedOutput(form));

    // An edit in the text view shows once the preview's tab is shown again.
    tabs->setCurrentWidget(W(form).Memo2);
    W(form).Memo2->setFocus();
    W(form).Memo2->SetCursorPosition({ 3, 0 });
    test::TypeText(W(form).Memo2, Utf8("Праверка "));
    tabs->setCurrentWidget(preview);
    QVERIFY(preview->toPlainText().contains(Utf8("Праверка")));
    QCOMPARE(preview->toPlainText(), RenderedOutput(form));
}

void WindowWiringTest::PdfAndAbout()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    W(form).LabeledEdit2->setText(test::PathText(window.TempPath("140208_res.htm")));
    QString proposed;
    QString answer;
    form.ChoosePdfFile = [&] {
        proposed = form.findChild<QFileDialog *>("PdfDialog1")->selectedFiles().value(0);
        return answer;
    };
    auto *pdf = form.findChild<QToolButton *>("PdfButton");

    answer = test::PathText(window.TempPath("protocol.pdf"));
    QTest::mouseClick(pdf, Qt::LeftButton);
    QCOMPARE(QFileInfo(proposed).fileName(), QString("140208_res.pdf"));
    QVERIFY(test::ReadBytes(window.TempPath("protocol.pdf")).starts_with("%PDF"));
    QVERIFY(window.Errors.isEmpty());

    // Replacing a PDF is asked; "Не" leaves the file as it was.
    test::WriteBytes(window.TempPath("protocol.pdf"), "kept");
    window.ConfirmAnswer = false;
    QTest::mouseClick(pdf, Qt::LeftButton);
    QCOMPARE(window.Confirmations.size(), 1);
    QCOMPARE(test::ReadBytes(window.TempPath("protocol.pdf")), std::string("kept"));

    answer = test::PathText(window.TempPath("missing/protocol.pdf"));
    QTest::mouseClick(pdf, Qt::LeftButton);
    QCOMPARE(window.Errors.size(), 1);
    QVERIFY(window.Errors[0].contains("protocol.pdf"));

    QString shownPath;
    form.RunDialog = [&shownPath](QDialog &dialog) {
        shownPath = dynamic_cast<ui::AboutDialog &>(dialog).SettingsPathEdit()->text();
    };
    QTest::mouseClick(form.findChild<QToolButton *>("AboutButton"), Qt::LeftButton);
    QCOMPARE(shownPath, QDir::toNativeSeparators(test::PathText(window.SettingsPath())));
}

QTEST_MAIN(WindowWiringTest)
#include "tst_window_wiring.moc"
