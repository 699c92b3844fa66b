// The window's shortcuts, its rendered preview beside the text view, the print, PDF and About
// buttons, and the recent files.
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "ui/about_dialog.h"
#include "ui/dialogs.h"
#include "ui/messages.h"
#include "ui/protocol_document.h"
#include "ui/protocol_preview.h"
#include "ui/recent_files.h"
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

// Opens the recent files' menu from the keyboard, as the user does, and presses `digit`.
void ChooseRecent(QAbstractButton *button, char digit)
{
    bool opened = false;
    QTimer::singleShot(0, button, [&opened, digit] {
        QWidget *menu = QApplication::activePopupWidget();
        opened = menu != nullptr;
        if (!menu)
            return;
        QTest::keyClick(menu, digit);
        if (menu->isVisible())
            menu->close();
    });
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QVERIFY2(opened, "Space did not open the menu");
    QCoreApplication::processEvents(); // the choice is taken once the menu has closed
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
    void RecentFiles();
    void TypedPathLeavesNoListOpen();
    void TabLeavesGridsAndLists_data();
    void TabLeavesGridsAndLists();
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
    if (keys == "Ctrl+S")
        form.Button1Click(); // results to save
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

void WindowWiringTest::TypedPathLeavesNoListOpen()
{
    // A completer whose folder listing comes late opens its list (which takes every key) over
    // whatever window has the focus, as long as it is tied to an edit: once the dialog has
    // closed, none is; the next time it runs, its name edit completes again.
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QFileDialog *dialog = W(form).OpenDialog1;
    auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
    QVERIFY(edit && edit->completer());
    for (int run = 0; run < 2; ++run) {
        bool tied = false;
        QTimer::singleShot(0, dialog, [dialog, edit, &tied] {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_P);
            tied = edit->completer()->widget() == edit;
            dialog->reject();
        });
        ui::RunFileDialog(dialog);
        QVERIFY(tied);
        for (const QCompleter *completer : dialog->findChildren<QCompleter *>())
            QVERIFY(!completer->widget());
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &form, 1000); // the keys go to it
    }
    // A message box too gives the keys back to the window as it closes.
    QTimer::singleShot(0, &form, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Return);
    });
    ui::ShowMessage(&form, ui::MessageKind::Information, QStringLiteral("note"));
    QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &form, 1000);
}

void WindowWiringTest::TabLeavesGridsAndLists_data()
{
    QTest::addColumn<QString>("from"); // the grid that has the focus
    QTest::addColumn<bool>("editing"); // a points cell retyped, its editor open
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("to");
    QTest::newRow("points: Tab") << "StringGrid1" << false << "Tab" << "checkUseVK";
    QTest::newRow("points: Shift+Tab") << "StringGrid1" << false << "Shift+Tab" << "StringGrid2";
    QTest::newRow("points: Ctrl+Tab") << "StringGrid1" << false << "Ctrl+Tab" << "checkUseVK";
    QTest::newRow("points: Ctrl+Shift+Tab")
        << "StringGrid1" << false << "Ctrl+Shift+Tab" << "StringGrid2";
    QTest::newRow("points, editing: Tab") << "StringGrid1" << true << "Tab" << "checkUseVK";
    QTest::newRow("points, editing: Ctrl+Tab") << "StringGrid1" << true << "Ctrl+Tab" << "checkUseVK";
    QTest::newRow("groups: Tab") << "StringGrid2" << false << "Tab" << "StringGrid1";
    QTest::newRow("groups: Shift+Tab") << "StringGrid2" << false << "Shift+Tab" << "Button3";
    QTest::newRow("groups: Ctrl+Tab") << "StringGrid2" << false << "Ctrl+Tab" << "StringGrid1";
}

void WindowWiringTest::TabLeavesGridsAndLists()
{
    QFETCH(QString, from);
    QFETCH(bool, editing);
    QFETCH(QString, keys);
    QFETCH(QString, to);
    test::Window window("[Ochki]\r\nTablesCount=1\r\nPlacesCount=2\r\n1=25;\r\n2=20;\r\n");
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    auto *grid = form.findChild<QAbstractItemView *>(from);
    // Not the last cell, so that walking the cells would not leave at the edge.
    test::ClickCell(grid, 1, 0);
    if (editing) {
        QTest::keyClick(grid, Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "30");
    } else {
        grid->setFocus();
    }
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), to);
    if (editing)
        QCOMPARE(form.PointsTables().Grid.Value(1, 2), std::string("30"));
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

void WindowWiringTest::RecentFiles()
{
    // Writing the list keeps every byte of the tables' section and of the rest of the file.
    const std::string kept = "[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=25;\r\n"
                             "; a comment\r\n[Other]\r\nKey=1\r\n";
    test::Window window(kept);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    auto *recent = form.findChild<ui::RecentFilesButton *>("RecentButton");
    QVERIFY(!recent->isEnabled()); // nothing to offer yet

    const std::string protocol = test::ReadBytes(test::ExamplesDir() / "sample_protocol.htm");
    const QString folder = QDir(test::PathText(window.TempPath(""))).canonicalPath() + '/';
    const QString first = folder + Utf8("пратакол.htm");
    const QString gone = folder + "gone.htm";
    const QString last = folder + "last.htm";
    for (const QString &path : { first, gone, last })
        test::WriteBytes(QFile::encodeName(path).toStdString(), protocol);
    test::WriteBytes(window.TempPath("headings.htm"), "<html><pre>no groups</pre></html>");
    std::filesystem::create_symlink("last.htm", window.TempPath("link.htm"));

    form.OpenProtocol(first);
    form.OpenProtocol(gone);
    form.OpenProtocol(last);
    form.OpenProtocol(test::PathText(window.TempPath("link.htm"))); // the same file again
    form.OpenProtocol(test::PathText(window.TempPath("headings.htm"))); // not read whole
    QCOMPARE(recent->Files(), (QStringList { last, gone, first }));
    const auto stored = [](const QStringList &paths) {
        std::string section = "\r\n[Recent]\r\n"; // a new section after a blank line
        for (int i = 0; i < paths.size(); ++i)
            section += "File" + std::to_string(i + 1) + "=" + paths[i].toStdString() + "\r\n";
        return section;
    };
    QCOMPARE(test::ReadBytes(window.SettingsPath()), kept + stored({ last, gone, first }));

    // A file gone since is dropped with a word; the window keeps what it had read.
    std::filesystem::remove(QFile::encodeName(gone).toStdString());
    window.Informations.clear();
    W(form).Button2->setFocus();
    QTest::keyClick(W(form).Button2, Qt::Key_Tab); // reached from "1. Агляд..." by Tab
    QCOMPARE(form.focusWidget(), recent);
    ChooseRecent(recent, '2');
    QCOMPARE(window.Informations,
        QStringList { ui::text::RecentFileMissing().arg(QDir::toNativeSeparators(gone)) });
    QCOMPARE(recent->Files(), (QStringList { last, first }));
    QVERIFY(W(form).LabeledEdit1->text().endsWith("headings.htm"));
    QVERIFY(form.Groups().empty());

    // Choosing one reads it as "1. Агляд..." does.
    ChooseRecent(recent, '2');
    QCOMPARE(W(form).LabeledEdit1->text(), first);
    QVERIFY(!form.Groups().empty());
    QCOMPARE(form.focusWidget(), W(form).Button1); // the offscreen platform keeps the menu active
    QCOMPARE(recent->Files(), (QStringList { first, last }));
    QCOMPARE(test::ReadBytes(window.SettingsPath()), kept + stored({ first, last }));

    // What another window wrote since (its tables, its list) is kept: the file is read again.
    const std::string other = "[Ochki]\r\nTablesCount=1\r\nPlacesCount=1\r\n1=30;\r\n";
    const QStringList theirs { "/elsewhere.htm", first };
    test::WriteBytes(window.SettingsPath(), other + stored(theirs));
    form.OpenProtocol(last);
    const QStringList merged { last, "/elsewhere.htm", first };
    QCOMPARE(recent->Files(), merged);
    const std::string saved = test::ReadBytes(window.SettingsPath());
    QCOMPARE(saved, other + stored(merged));

    // The next start offers them again.
    test::Window next(saved);
    QCOMPARE(next.Form().findChild<ui::RecentFilesButton *>("RecentButton")->Files(), merged);

    // A settings file that cannot be written keeps the list for this window only, and says why.
    test::Window blocked(std::nullopt, "blocker/lapwing.INI");
    test::WriteBytes(blocked.TempPath("blocker"), "a file where the folder would be");
    blocked.Form().OpenProtocol(first);
    QCOMPARE(blocked.Form().findChild<ui::RecentFilesButton *>("RecentButton")->Files(),
        QStringList { first });
    QCOMPARE(blocked.Errors,
        QStringList {
            "Unable to write to " + test::PathText(blocked.SettingsPath()) + ": Not a directory" });
    QVERIFY(blocked.Informations.isEmpty());
    // The e-mail goes the same way, and says the same.
    auto *email = blocked.Form().findChild<QLineEdit *>("CollectorEmail");
    test::TypeText(email, "a@b.by");
    QTest::keyClick(email, Qt::Key_Return);
    QCOMPARE(blocked.Errors.size(), 2);
    QCOMPARE(blocked.Errors[1], blocked.Errors[0]);
}

QTEST_MAIN(WindowWiringTest)
#include "tst_window_wiring.moc"
