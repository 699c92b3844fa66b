// "Пра праграму" shows the project's version and the settings file's path, ready to copy.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "ui/about_dialog.h"
#include "ui_test_support.h"

class AboutDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void ShowsVersionAndSettingsPath_data();
    void ShowsVersionAndSettingsPath();
};

void AboutDialogTest::ShowsVersionAndSettingsPath_data()
{
    QTest::addColumn<QString>("settingsPath");
    QTest::newRow("plain") << "/opt/lapwing/lapwing.INI";
    QTest::newRow("Cyrillic and blanks") << test::Utf8("C:\\Мае праграмы\\Lapwing\\lapwing.INI");
}

void AboutDialogTest::ShowsVersionAndSettingsPath()
{
    QFETCH(QString, settingsPath);
    ui::AboutDialog dialog(settingsPath);
    QStringList texts { dialog.windowTitle() };
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        texts << label->text();
    const QString shown = texts.join('\n');
    QVERIFY(shown.contains(test::Utf8("Пра праграму")));
    QVERIFY(shown.contains(QStringLiteral("Lapwing")));
    QVERIFY2(shown.contains(QStringLiteral(LAPWING_EXPECTED_VERSION)), qPrintable(shown));

    QLineEdit &path = *dialog.SettingsPathEdit();
    QCOMPARE(path.text(), settingsPath);
    QVERIFY(path.isReadOnly());
    path.selectAll();
    QCOMPARE(path.selectedText(), settingsPath); // what the secretary copies
}

QTEST_MAIN(AboutDialogTest)
#include "tst_about_dialog.moc"
