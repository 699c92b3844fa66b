// What the secretary gave is kept: groups keep their settings by name when the protocol is read
// again, and a competition's settings come back from the settings file after a restart.
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "points/competition_settings.h"
#include "ui/group_list.h"
#include "ui/messages.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;

namespace {

const std::filesystem::path Sample = test::ExamplesDir() / "sample_protocol.htm";

// The settings file's bytes from "[Ochki]" to the next section.
std::string TablesSection(const std::string &bytes)
{
    const std::size_t start = bytes.find("[Ochki]");
    return start == std::string::npos ? std::string()
                                      : bytes.substr(start, bytes.find("\n[", start) - start);
}

// The protocol with `text` put in before the line holding `before`.
std::string InsertedBefore(std::string protocol, const std::string &before, const std::string &text)
{
    protocol.insert(
        protocol.find(ui::ToCp1251(Utf8(before.c_str()))), ui::ToCp1251(Utf8(text.c_str())));
    return protocol;
}

// М21 to МС, 2 masters and table A, as the user sets them; row is М21's row.
void SetMenGroup(TForm1 &form, int row)
{
    test::ClickCell(W(form).StringGrid2, row, ui::ClassColumn);
    test::StepChoice(W(form).cbMaxKval, -W(form).cbMaxKval->currentIndex());
    test::ClickCell(W(form).StringGrid2, row, ui::MastersColumn);
    W(form).ebMastersCount->setText(QStringLiteral("2"));
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Up);
    test::ClickCell(W(form).StringGrid2, row, ui::TableColumn);
    test::StepChoice(W(form).ComboBox3, 1 - W(form).ComboBox3->currentIndex());
}

void ExpectMenGroup(const TForm1 &form, int row)
{
    const engine::GroupSettings &group = form.Groups().at(static_cast<std::size_t>(row));
    QCOMPARE(group.Name, ui::ToCp1251(Utf8("М21")));
    QCOMPARE(group.DistanceClass, engine::DistanceClass::Ms);
    QCOMPARE(group.MastersCount, 2);
    QCOMPARE(group.PointsTable, 1);
    QCOMPARE(test::CellText(W(form).StringGrid2, row, ui::ClassColumn), Utf8("МС"));
    QCOMPARE(test::CellText(W(form).StringGrid2, row, ui::MastersColumn), Utf8("2"));
    QCOMPARE(test::CellText(W(form).StringGrid2, row, ui::TableColumn), Utf8("A: 25, 20, 18..."));
}

} // namespace

class CompetitionSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void RereadKeepsSettingsByName();
    void RestartGivesTheCompetitionBack();
    void AnotherCompetitionInTheSameFileStartsAfresh();
    void KeptTableThatWentGivesNoPoints();

private:
    std::unique_ptr<test::Window> m_window;
    std::filesystem::path m_protocol;
};

void CompetitionSettingsTest::init()
{
    m_window = std::make_unique<test::Window>(test::ReadBytes(test::ExamplesDir() / "sample.INI"));
    m_protocol = m_window->TempPath("race.htm");
    test::WriteBytes(m_protocol, test::ReadBytes(Sample));
    QVERIFY(m_window->ShowAndActivate());
    m_window->Form().OpenProtocol(test::PathText(m_protocol));
    QCOMPARE(m_window->Form().Groups().size(), std::size_t(4));
    // A protocol given nothing is not kept.
    QTest::mouseClick(W(m_window->Form()).Button3, Qt::LeftButton);
    QVERIFY(test::ReadBytes(m_window->SettingsPath()).find("[Competitions]") == std::string::npos);
    m_window->Informations.clear();
}

void CompetitionSettingsTest::cleanup() { m_window.reset(); }

void CompetitionSettingsTest::RereadKeepsSettingsByName()
{
    TForm1 &form = m_window->Form();
    SetMenGroup(form, 0);
    ExpectMenGroup(form, 0);
    // A group put above М21 and another gone (Open) on disk.
    std::string protocol = InsertedBefore(
        test::ReadBytes(m_protocol), "<h2>М21", "<h2>М20, 10 КП</h2>\n<p>Нет результатов</p>\n");
    protocol.replace(protocol.find("<h2>Open"), 8, ui::ToCp1251(Utf8("<h2>МЖ")));
    test::WriteBytes(m_protocol, protocol);

    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QCOMPARE(form.Groups().size(), std::size_t(5));
    ExpectMenGroup(form, 1);
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::First); // new: defaults
    QVERIFY2(m_window->Informations.contains(ui::text::GroupsKeptNote().arg(3).arg(2).arg(1)),
        qPrintable(m_window->Informations.join(QStringLiteral(" | "))));

    // Reading it again unchanged tells nothing.
    m_window->Informations.clear();
    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    ExpectMenGroup(form, 1);
    QCOMPARE(m_window->Informations, QStringList());
}

void CompetitionSettingsTest::RestartGivesTheCompetitionBack()
{
    TForm1 &form = m_window->Form();
    SetMenGroup(form, 0);
    W(form).CheckBox1->setChecked(true);
    W(form).LabeledEdit3->setText(QStringLiteral("900"));
    W(form).CheckBox2->setChecked(false);
    // The inspector answers the recalculation; it keeps the settings.
    test::InspectorAnswer answer(m_window->Dialog(), [](TForm_Controler &dialog) {
        dialog.LabeledEdit1->setText(Utf8("Кузьмич А.Б."));
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    });
    const std::string tablesBefore = TablesSection(test::ReadBytes(m_window->SettingsPath()));
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(answer.Shows(), 1);
    QVERIFY(m_window->Errors.isEmpty());
    const std::string saved = test::ReadBytes(m_window->SettingsPath());
    QCOMPARE(TablesSection(saved), tablesBefore);
    QCOMPARE(points::StoredCompetitions(saved).size(), std::size_t(1));

    m_window->Restart();
    TForm1 &again = m_window->Form();
    QVERIFY(m_window->ShowAndActivate());
    QCOMPARE(W(again).CheckBox1->isChecked(), false);
    // Through "Апошнія", which names the file as it was kept.
    again.RecentFileChosen(QFileInfo(test::PathText(m_protocol)).canonicalFilePath());
    ExpectMenGroup(again, 0);
    QVERIFY(W(again).CheckBox1->isChecked());
    QVERIFY(W(again).LabeledEdit3->isEnabled());
    QCOMPARE(W(again).LabeledEdit3->text(), QStringLiteral("900"));
    QVERIFY(!W(again).CheckBox2->isChecked());
    QCOMPARE(m_window->Dialog().InspectorName(), Utf8("Кузьмич А.Б."));
    QVERIFY(m_window->Informations.join(QStringLiteral("\n"))
                .contains(ui::text::CompetitionRestoredNote()));
    // The dialog the next recalculation shows offers the kept name.
    QString offered;
    test::InspectorAnswer shown(m_window->Dialog(), [&](TForm_Controler &dialog) {
        offered = dialog.LabeledEdit1->text();
        QTest::mouseClick(dialog.Button2, Qt::LeftButton);
    });
    QTest::mouseClick(W(again).Button1, Qt::LeftButton);
    QCOMPARE(shown.Shows(), 1);
    QCOMPARE(offered, Utf8("Кузьмич А.Б."));
    QCOMPARE(TablesSection(test::ReadBytes(m_window->SettingsPath())), tablesBefore);
}

void CompetitionSettingsTest::AnotherCompetitionInTheSameFileStartsAfresh()
{
    TForm1 &form = m_window->Form();
    SetMenGroup(form, 0);
    m_window->Restart(); // kept at close
    QVERIFY(m_window->ShowAndActivate());
    // The same file name, another race: its <h1> differs.
    std::string protocol = test::ReadBytes(m_protocol);
    protocol.replace(protocol.find("<h1>") + 4, 6, ui::ToCp1251(Utf8("Кубок")));
    test::WriteBytes(m_protocol, protocol);
    m_window->Form().OpenProtocol(test::PathText(m_protocol));
    QCOMPARE(m_window->Form().Groups()[0].DistanceClass, engine::DistanceClass::First);
    test::WriteBytes(m_protocol, test::ReadBytes(Sample));
    m_window->Form().OpenProtocol(test::PathText(m_protocol));
    ExpectMenGroup(m_window->Form(), 0);
}

void CompetitionSettingsTest::KeptTableThatWentGivesNoPoints()
{
    m_window->Restart(); // kept nothing: the protocol was given nothing
    // Kept with table C; the settings file now holds table A only.
    points::CompetitionSettings kept;
    kept.Path = QFileInfo(test::PathText(m_protocol)).canonicalFilePath().toStdString();
    kept.Title
        = ui::FromCp1251(engine::ProtocolTitle(engine::SplitLines(test::ReadBytes(m_protocol))))
              .toStdString();
    kept.Groups = { { "Ж21", 1, 0, 0, 3 } };
    test::WriteBytes(m_window->SettingsPath(),
        points::WithCompetition(test::ReadBytes(m_window->SettingsPath()), kept));
    m_window->Form().OpenProtocol(test::PathText(m_protocol));
    const engine::GroupSettings &group = m_window->Form().Groups().at(1);
    QCOMPARE(group.DistanceClass, engine::DistanceClass::Kms);
    QCOMPARE(group.PointsTable, 0);
    QCOMPARE(
        test::CellText(W(m_window->Form()).StringGrid2, 1, ui::TableColumn), Utf8("Без ачкоў"));
    QVERIFY(m_window->Informations.join(QStringLiteral("\n"))
                .contains(ui::text::RestoredTablesGone().arg(Utf8("Ж21"))));
}

QTEST_MAIN(CompetitionSettingsTest)
#include "tst_competition_settings.moc"
