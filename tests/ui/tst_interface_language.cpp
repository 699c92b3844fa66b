// Which language the window speaks: the system's languages, the choice kept, `--lang`.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "points/app_settings.h"
#include "ui/interface_language.h"
#include "ui/messages.h"
#include "ui_test_support.h"

using ui::Language;

class InterfaceLanguageTest : public QObject
{
    Q_OBJECT

private slots:
    void FollowsTheSystem_data();
    void FollowsTheSystem();
    void CommandLineAndKeptChoiceComeFirst();
    void LanguageArgument_data();
    void LanguageArgument();
    void TranslationsBesideOrInstalled();
    void ChoiceIsKeptAndTheWindowMadeAnew();
    void QtDialogsFollow_data();
    void QtDialogsFollow();
};

void InterfaceLanguageTest::FollowsTheSystem_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<Language>("language");
    QTest::newRow("none") << QStringList {} << Language::Belarusian;
    QTest::newRow("Russian") << QStringList { "ru-RU", "en-US" } << Language::Russian;
    QTest::newRow("English first") << QStringList { "en-GB", "ru" } << Language::English;
    QTest::newRow("Belarusian before Russian")
        << QStringList { "be-BY", "ru-RU" } << Language::Belarusian;
    QTest::newRow("others skipped") << QStringList { "de-DE", "pl", "ru_RU" } << Language::Russian;
    QTest::newRow("only others") << QStringList { "de-DE", "fr" } << Language::Belarusian;
    QTest::newRow("not a prefix") << QStringList { "rue", "eng" } << Language::Belarusian;
}

void InterfaceLanguageTest::FollowsTheSystem()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(Language, language);
    QCOMPARE(ui::SystemLanguage(uiLanguages), language);
}

void InterfaceLanguageTest::CommandLineAndKeptChoiceComeFirst()
{
    const QStringList russian { "ru-RU" };
    QCOMPARE(
        ui::ChosenLanguage(Language::English, Language::Belarusian, russian), Language::English);
    QCOMPARE(ui::ChosenLanguage(std::nullopt, Language::Belarusian, russian), Language::Belarusian);
    QCOMPARE(ui::ChosenLanguage(std::nullopt, std::nullopt, russian), Language::Russian);
}

void InterfaceLanguageTest::LanguageArgument_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("rest"); // what is left for the protocol to read
    QTest::addColumn<QString>("code"); // empty: none chosen
    QTest::addColumn<bool>("error");
    QTest::newRow("none") << QStringList { "lapwing", "a.htm" }
                          << QStringList { "lapwing", "a.htm" } << QString() << false;
    QTest::newRow("two words") << QStringList { "lapwing", "--lang", "ru", "a.htm" }
                               << QStringList { "lapwing", "a.htm" } << "ru" << false;
    QTest::newRow("one word, after the file")
        << QStringList { "lapwing", "a.htm", "--lang=EN" } << QStringList { "lapwing", "a.htm" }
        << "en" << false;
    QTest::newRow("unknown") << QStringList { "lapwing", "--lang", "de" }
                             << QStringList { "lapwing" } << QString() << true;
    QTest::newRow("missing value")
        << QStringList { "lapwing", "--lang" } << QStringList { "lapwing" } << QString() << true;
    QTest::newRow("a file named like it")
        << QStringList { "lapwing", "--language.htm" }
        << QStringList { "lapwing", "--language.htm" } << QString() << false;
}

void InterfaceLanguageTest::LanguageArgument()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, rest);
    QFETCH(QString, code);
    QFETCH(bool, error);
    const ui::LanguageArgument taken = ui::TakeLanguageArgument(arguments);
    QCOMPARE(arguments, rest);
    QCOMPARE(taken.Chosen ? ui::LanguageCode(*taken.Chosen) : QString(), code);
    QCOMPARE(!taken.Error.isEmpty(), error);
}

void InterfaceLanguageTest::TranslationsBesideOrInstalled()
{
    const QTemporaryDir root;
    const QString bin = root.filePath("usr/bin");
    const QString installed = root.filePath("usr/share/lapwing/translations");
    QVERIFY(QDir().mkpath(bin) && QDir().mkpath(installed));
    QCOMPARE(ui::TranslationsFolder(bin), installed);
    // A build, or an unpacked copy: beside the program.
    QVERIFY(QDir().mkpath(bin + "/translations"));
    QCOMPARE(ui::TranslationsFolder(bin), bin + "/translations");
}

void InterfaceLanguageTest::ChoiceIsKeptAndTheWindowMadeAnew()
{
    const std::string tables = "[Ochki]\r\nTablesCount=0\r\n";
    test::Window window(tables);
    const auto choice = [&window](const QString &code) -> QAction * {
        for (QAction *action : window.Form().findChild<QMenu *>("LanguageMenu")->actions()) {
            if (action->isCheckable() && action->data().toString() == code)
                return action;
        }
        return nullptr;
    };
    QVERIFY(choice(QString())->isChecked()); // the system's, while none is kept
    QVERIFY(window.ShowAndActivate());
    // Kept, and the window asks to be made anew in it: not now.
    window.ConfirmAnswer = false;
    choice("ru")->trigger();
    QCOMPARE(test::ReadBytes(window.SettingsPath()), tables + "\r\n[Interface]\r\nLanguage=ru\r\n");
    QCOMPARE(window.Confirmations, QStringList { ui::text::LanguageRestartQuestion() });
    QVERIFY(window.Form().isVisible() && !window.Form().RestartRequested());
    // Now: it closes for the program to make it again.
    window.ConfirmAnswer = true;
    choice("en")->trigger();
    QVERIFY(!window.Form().isVisible() && window.Form().RestartRequested());
    window.Restart();
    QVERIFY(choice("en")->isChecked());
    QVERIFY(!choice(QString())->isChecked());
    // Back to the language the window speaks now: nothing to make anew.
    window.Confirmations.clear();
    choice("be")->trigger();
    QCOMPARE(points::InterfaceLanguage(test::ReadBytes(window.SettingsPath())), "be");
    QVERIFY(window.Confirmations.isEmpty());
}

void InterfaceLanguageTest::QtDialogsFollow_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("qtFile"); // Qt's translation taken
    QTest::addColumn<QString>("cancel"); // a message box's button
    QTest::newRow("be") << Language::Belarusian << "qtbase_ru.qm" << test::Utf8("Адмена");
    QTest::newRow("ru") << Language::Russian << "qtbase_ru.qm" << test::Utf8("Отмена");
    QTest::newRow("en") << Language::English << QString() << "Cancel";
}

void InterfaceLanguageTest::QtDialogsFollow()
{
    QFETCH(Language, language);
    QFETCH(QString, qtFile);
    QFETCH(QString, cancel);
    const ui::InterfaceLanguage chosen(
        language, {}, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QCOMPARE(ui::ActiveLanguage(), language);
    QCOMPARE(QFileInfo(chosen.QtTranslationFile()).fileName(), qtFile);
    QMessageBox box(QMessageBox::Question, {}, {}, QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), cancel);
}

QTEST_MAIN(InterfaceLanguageTest)
#include "tst_interface_language.moc"
