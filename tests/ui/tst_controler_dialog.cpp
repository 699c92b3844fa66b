// The inspector dialog: OK only for a name of four characters or more once the blanks and
// control characters around it are removed; OK gives 1, Cancel and Escape give 2.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/Unit2_Controler.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::Utf8;

class InspectorDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void Looks();
    void OkEnabled_data();
    void OkEnabled();
    void Results_data();
    void Results();
    void StartsWithLastName();
};

void InspectorDialogTest::Looks()
{
    TForm_Controler dialog;
    QCOMPARE(dialog.windowTitle(), Utf8("Інспектар"));
    QCOMPARE(dialog.size(), QSize(476, 167));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(dialog.StaticText1->text().startsWith(Utf8("      Згодна з пп. 26.3")));
    QCOMPARE(dialog.LabeledEdit1Label->text(), Utf8("Пазначце Фамілію, Імя інспектара:"));
    QCOMPARE(dialog.Button1->text(), Utf8("OK"));
    QCOMPARE(dialog.Button2->text(), Utf8("Скасаваць"));
    QVERIFY(dialog.Button1->isDefault());
    QVERIFY(!dialog.Button1->isEnabled());
    QVERIFY(dialog.LabeledEdit1->text().isEmpty());
}

void InspectorDialogTest::OkEnabled_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hint");
    // A name too short says so.
    QTest::newRow("empty") << QString() << false << true;
    QTest::newRow("three letters") << Utf8("Кот") << false << true;
    QTest::newRow("three letters between blanks") << Utf8("  Кот  ") << false << true;
    QTest::newRow("three letters after a tab") << Utf8("\tКот") << false << true;
    QTest::newRow("four letters") << Utf8("Котс") << true << false;
    QTest::newRow("four letters between blanks") << Utf8(" Котс ") << true << false;
    QTest::newRow("two words") << Utf8("Я Ян") << true << false;
    // Letters the protocol's code page lacks would be written as '?'.
    QTest::newRow("Latin letters outside Windows-1251") << Utf8("Šimkus Ł.") << false << true;
    QTest::newRow("CJK") << Utf8("Ван 中") << false << true;
    QTest::newRow("outside the basic plane") << Utf8("Котс 😀") << false << true;
    QTest::newRow("Windows-1251 punctuation") << Utf8("Ёж «Ўладзь» №1") << true << false;
}

void InspectorDialogTest::OkEnabled()
{
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    QFETCH(bool, hint);
    TForm_Controler dialog;
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    // A tab cannot be typed into the edit, nor half a surrogate pair; they come with pasted text.
    if (name.contains('\t') || name.size() != name.toUcs4().size())
        dialog.LabeledEdit1->insert(name);
    else
        test::TypeText(dialog.LabeledEdit1, name);
    QCOMPARE(dialog.LabeledEdit1->text(), name);
    QCOMPARE(dialog.Button1->isEnabled(), enabled);
    // A hint says why OK is off: the length, or the letter the code page lacks.
    QCOMPARE(dialog.LabeledEdit1Hint->isVisible(), hint);
    if (hint)
        QVERIFY(dialog.LabeledEdit1Hint->text().contains(
            ui::FirstUnencodable(name) ? QStringLiteral("Windows-1251") : QStringLiteral("4")));
}

void InspectorDialogTest::Results_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "ok" << TForm_Controler::ModalOk;
    QTest::newRow("Enter") << "enter" << TForm_Controler::ModalOk;
    QTest::newRow("Cancel") << "cancel" << TForm_Controler::ModalCancel;
    QTest::newRow("Escape") << "escape" << TForm_Controler::ModalCancel;
}

void InspectorDialogTest::Results()
{
    QFETCH(QString, answer);
    QFETCH(int, result);
    TForm_Controler dialog;
    test::InspectorAnswer answering(dialog, [&](TForm_Controler &shown) {
        test::TypeText(shown.LabeledEdit1, Utf8("Кузьмич"));
        if (answer == "ok")
            QTest::mouseClick(shown.Button1, Qt::LeftButton);
        else if (answer == "enter")
            QTest::keyClick(shown.LabeledEdit1, Qt::Key_Return);
        else if (answer == "cancel")
            QTest::mouseClick(shown.Button2, Qt::LeftButton);
        else
            QTest::keyClick(shown.LabeledEdit1, Qt::Key_Escape);
    });
    QCOMPARE(dialog.ShowModal(), result);
    QCOMPARE(answering.Shows(), 1);
    QCOMPARE(dialog.InspectorName(), Utf8("Кузьмич"));
}

// Each run starts with the name last given with OK, selected, so that typing replaces it; a name
// typed and then cancelled is not kept.
void InspectorDialogTest::StartsWithLastName()
{
    TForm_Controler dialog;
    const auto run = [&](const char *expected, const char *typed, bool ok) {
        test::InspectorAnswer answering(dialog, [&](TForm_Controler &shown) {
            QCOMPARE(shown.LabeledEdit1->text(), Utf8(expected));
            QCOMPARE(shown.LabeledEdit1->selectedText(), Utf8(expected));
            QCOMPARE(shown.Button1->isEnabled(), *expected != 0);
            test::TypeText(shown.LabeledEdit1, Utf8(typed));
            QCOMPARE(shown.LabeledEdit1->text(), Utf8(typed));
            QTest::mouseClick(ok ? shown.Button1 : shown.Button2, Qt::LeftButton);
        });
        QCOMPARE(dialog.ShowModal(), ok ? TForm_Controler::ModalOk : TForm_Controler::ModalCancel);
        QCOMPARE(answering.Shows(), 1);
    };
    run("", "Кузьмич", true);
    run("Кузьмич", "Іваноў", true);
    run("Іваноў", "Пятроў", false);
    run("Іваноў", "Сідараў", true);
    dialog.SetInspectorName(Utf8("Захараў"));
    run("Захараў", "Кузьмич", false);
}

QTEST_MAIN(InspectorDialogTest)
#include "tst_controler_dialog.moc"
