// Results that match what is set: out of date the moment anything they were made from changes,
// never saved so without a question, and never lost at close without one.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "engine/save.h"
#include "ui/group_list.h"
#include "ui/messages.h"
#include "ui/output_freshness.h"
#include "ui/points_grid_view.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;

namespace {

QString Example(const char *name) { return test::PathText(test::ExamplesDir() / name); }

QLabel *StateLabel(TForm1 &form) { return form.findChild<QLabel *>("OutputStateLabel"); }

// What "5. Захаваць" should write for what is set now.
std::string FreshBytes(TForm1 &form)
{
    const engine::RewriteResult fresh
        = engine::RewriteProtocol(form.ProtocolLines(), form.Groups(), form.ReadOptions(),
            form.PointsTables().Grid, [] { return std::optional<std::string>("Inspector"); });
    return fresh.Ok() ? engine::ProtocolBytes(fresh.Lines) : "failed";
}

void RetypeCell(TForm1 &form, int row, int col, const QString &text)
{
    test::ClickCell(W(form).StringGrid1, row, col);
    QTest::keyClick(W(form).StringGrid1, Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

void StepCategory(TForm1 &form, int row, int step)
{
    test::ClickCell(W(form).StringGrid2, row, ui::CategoryColumn);
    test::StepChoice(W(form).ComboBox4, step);
}

void TypeIntoOutput(TForm1 &form, const QString &text)
{
    W(form).Memo2->setFocus();
    W(form).Memo2->SetCursorPosition(W(form).Memo2->Store().End());
    test::TypeText(W(form).Memo2, text);
}

// The sample read, its first group given table "A", recalculated and, when `save`, saved to
// "out.htm" of the window's folder.
void Recalculated(test::Window &window, bool save)
{
    TForm1 &form = window.Form();
    form.OpenProtocol(Example("sample_protocol.htm"));
    test::ClickCell(W(form).StringGrid2, 0, ui::TableColumn);
    test::StepChoice(W(form).ComboBox3, 1);
    QTest::keyClick(&form, Qt::Key_F9);
    W(form).LabeledEdit2->setText(test::PathText(window.TempPath("out.htm")));
    if (save)
        QTest::keyClick(W(form).LabeledEdit2, Qt::Key_Return);
    window.Informations.clear();
}

} // namespace

class ResultsUpToDateTest : public QObject
{
    Q_OBJECT

private slots:
    void ChangesCounted_data();
    void ChangesCounted();
    void OutOfDateTheMomentAnInputChanges_data();
    void OutOfDateTheMomentAnInputChanges();
    void SavingOutOfDateAsks_data();
    void SavingOutOfDateAsks();
    void ClosingAsksOnce_data();
    void ClosingAsksOnce();
    void RecalculatingAsksBeforeDroppingHandEdits();
};

// Only what the rewrite reads counts.
void ResultsUpToDateTest::ChangesCounted_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<unsigned>("expected");
    QTest::newRow("nothing") << "" << unsigned(ui::NoChange);
    QTest::newRow("another read") << "read" << unsigned(ui::ProtocolChange);
    QTest::newRow("class") << "class" << unsigned(ui::GroupsChange);
    QTest::newRow("table given") << "table given" << unsigned(ui::GroupsChange);
    QTest::newRow("used table's points") << "points A" << unsigned(ui::TablesChange);
    QTest::newRow("another table's points") << "points B" << unsigned(ui::NoChange);
    QTest::newRow("moved to a table of the same points") << "to B" << unsigned(ui::NoChange);
    QTest::newRow("К= while rating is off") << "K1" << unsigned(ui::NoChange);
    QTest::newRow("К= while rating is on") << "rating K1" << unsigned(ui::OptionsChange);
    QTest::newRow("foreign athletes") << "foreign" << unsigned(ui::OptionsChange);
    QTest::newRow("a failed run") << "failed" << unsigned(ui::FailedRun);
}

void ResultsUpToDateTest::ChangesCounted()
{
    QFETCH(QString, change);
    QFETCH(unsigned, expected);
    ui::OutputInputs made { 1, std::vector<engine::GroupSettings>(2), points::PointsGrid(2, 2), {},
        false };
    made.Groups[0].PointsTable = 1;
    for (const int table : { 1, 2 })
        made.Grid.SetValue(table, 1, "25");
    made.Options.RatingPoints = change.startsWith("rating");
    std::uint64_t read = made.Read;
    std::vector<engine::GroupSettings> groups = made.Groups;
    points::PointsGrid grid = made.Grid;
    engine::ProcessOptions options = made.Options;
    if (change == "read")
        ++read;
    else if (change == "class")
        groups[1].DistanceClass = engine::DistanceClass::Kms;
    else if (change == "table given")
        groups[1].PointsTable = 2;
    else if (change == "points A")
        grid.SetValue(1, 2, "20");
    else if (change == "points B")
        grid.SetValue(2, 2, "20");
    else if (change == "to B")
        groups[0].PointsTable = 2;
    else if (change.endsWith("K1"))
        options.K1Text = "900";
    else if (change == "foreign")
        options.ExcludeForeign = !options.ExcludeForeign;
    else if (change == "failed")
        made.Failed = true;
    QCOMPARE(ui::OutputChanges(made, read, groups, grid, options), expected);
}

void ResultsUpToDateTest::OutOfDateTheMomentAnInputChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("said"); // empty: still up to date
    QTest::newRow("another protocol read") << "layouts" << ui::text::ProtocolReadAgain();
    QTest::newRow("the same protocol read again") << "reread" << ui::text::ProtocolReadAgain();
    QTest::newRow("a group's category") << "category" << ui::text::GroupsChanged();
    QTest::newRow("a category changed and back") << "category back" << QString();
    QTest::newRow("the points of the table a group uses") << "points" << ui::text::TablesChanged();
    QTest::newRow("a table no group uses") << "new table" << QString();
    QTest::newRow("foreign athletes") << "foreign" << ui::text::OptionsChanged();
    QTest::newRow("К= with rating points") << "factor" << ui::text::OptionsChanged();
}

// The view says so, "3. Пералічыць" is bold again (the focus stays where the user is), and
// saving then asks; answered "recalculate", the file holds what is set now.
void ResultsUpToDateTest::OutOfDateTheMomentAnInputChanges()
{
    QFETCH(QString, change);
    QFETCH(QString, said);
    test::Window window(test::ReadBytes(test::ExamplesDir() / "sample.INI"));
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    if (change == "factor")
        QTest::mouseClick(
            W(form).CheckBox1, Qt::LeftButton, {}, QPoint(6, W(form).CheckBox1->height() / 2));
    Recalculated(window, true);
    const std::string first = test::ReadBytes(window.TempPath("out.htm"));
    QVERIFY(!StateLabel(form)->isVisible());
    QVERIFY(W(form).Button3->font().bold());

    if (change == "layouts") {
        form.OpenProtocol(Example("layouts_protocol.htm"));
    } else if (change == "reread") {
        QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    } else if (change.startsWith("category")) {
        StepCategory(form, 1, 1);
        if (change == "category back")
            StepCategory(form, 1, -1);
    } else if (change == "points") {
        RetypeCell(form, 0, 0, "30");
    } else if (change == "new table") {
        RetypeCell(form, 0, 1, "7");
    } else if (change == "foreign") {
        QTest::mouseClick(
            W(form).CheckBox2, Qt::LeftButton, {}, QPoint(6, W(form).CheckBox2->height() / 2));
    } else if (change == "factor") {
        W(form).LabeledEdit3->setFocus();
        QTest::keyClick(W(form).LabeledEdit3, Qt::Key_Backspace);
        QCOMPARE(QApplication::focusWidget(), W(form).LabeledEdit3);
    }
    QCOMPARE(StateLabel(form)->isVisible(), !said.isEmpty());
    QVERIFY(StateLabel(form)->text().contains(said));
    QCOMPARE(W(form).Button1->font().bold(), !said.isEmpty());
    QCOMPARE(W(form).Button3->font().bold(), said.isEmpty() && change != "layouts");

    window.Informations.clear();
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(window.OutOfDateQuestions.size(), said.isEmpty() ? 0 : 1);
    if (!said.isEmpty()) {
        QVERIFY(window.OutOfDateQuestions[0].contains(said));
        QVERIFY(!window.OutOfDateQuestions[0].contains(ui::text::HandEditsLost()));
    }
    const std::string saved = test::ReadBytes(window.TempPath("out.htm"));
    QVERIFY(saved == FreshBytes(form));
    if (said.isEmpty())
        QVERIFY(saved == first);
    QVERIFY(!StateLabel(form)->isVisible());
    QVERIFY(W(form).Button3->font().bold());
}

void ResultsUpToDateTest::SavingOutOfDateAsks_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("recalculate and save") << int(ui::OutOfDateAnswer::Recalculate);
    QTest::newRow("save as shown") << int(ui::OutOfDateAnswer::SaveAsShown);
    QTest::newRow("go back") << int(ui::OutOfDateAnswer::Return);
}

// With text edited by hand the question says recalculating drops it.
void ResultsUpToDateTest::SavingOutOfDateAsks()
{
    QFETCH(int, answer);
    test::Window window(test::ReadBytes(test::ExamplesDir() / "sample.INI"));
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    Recalculated(window, true);
    const std::string first = test::ReadBytes(window.TempPath("out.htm"));
    StepCategory(form, 1, 1);
    TypeIntoOutput(form, Utf8(" правка"));
    const std::string shown = engine::ProtocolBytes(form.OutputToSave());
    window.OutOfDateAnswer = ui::OutOfDateAnswer(answer);
    QTest::mouseClick(W(form).Button5, Qt::LeftButton);
    QCOMPARE(window.OutOfDateQuestions.size(), 1);
    QVERIFY(window.OutOfDateQuestions[0].contains(ui::text::GroupsChanged()));
    QVERIFY(window.OutOfDateQuestions[0].contains(ui::text::HandEditsLost()));

    const std::string saved = test::ReadBytes(window.TempPath("out.htm"));
    switch (ui::OutOfDateAnswer(answer)) {
    case ui::OutOfDateAnswer::Recalculate:
        QVERIFY(saved == FreshBytes(form));
        QVERIFY(!StateLabel(form)->isVisible());
        QVERIFY(W(form).Button3->font().bold());
        break;
    case ui::OutOfDateAnswer::SaveAsShown:
        QVERIFY(saved == shown);
        QVERIFY(StateLabel(form)->isVisible()); // still not what is set
        QVERIFY(W(form).Button1->font().bold());
        break;
    case ui::OutOfDateAnswer::Return:
        QVERIFY(saved == first);
        QVERIFY(window.Informations.isEmpty());
        QVERIFY(engine::ProtocolBytes(form.OutputToSave()) == shown);
        QVERIFY(W(form).Button1->font().bold());
        break;
    }
}

void ResultsUpToDateTest::ClosingAsksOnce_data()
{
    QTest::addColumn<QString>("work"); // what is done before closing
    QTest::addColumn<QStringList>("unsaved"); // what the question names; none: not asked
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("file"); // "fresh", "shown", "earlier" or "none" after closing
    const int save = int(ui::CloseAnswer::Save);
    const int discard = int(ui::CloseAnswer::Discard);
    const int back = int(ui::CloseAnswer::Return);
    using ui::text::UnsavedGroups;
    using ui::text::UnsavedResults;
    using ui::text::UnsavedTables;
    QTest::newRow("nothing done") << "" << QStringList() << save << true << "none";
    QTest::newRow("read only") << "read" << QStringList() << save << true << "none";
    QTest::newRow("recalculated and saved")
        << "saved" << QStringList() << save << true << "earlier";
    QTest::newRow("recalculated, not saved: saved at close")
        << "recalculated" << QStringList { UnsavedResults() } << save << true << "fresh";
    QTest::newRow("edited by hand after saving: go back")
        << "saved edit" << QStringList { UnsavedResults() } << back << false << "earlier";
    QTest::newRow("edited by hand after saving: saved as shown")
        << "saved edit" << QStringList { UnsavedResults() } << save << true << "shown";
    QTest::newRow("a group changed after saving: recalculated and saved")
        << "saved group" << QStringList { UnsavedGroups() } << save << true << "fresh";
    QTest::newRow("edited by hand, then a group changed: asked again, recalculated")
        << "saved edit group" << QStringList { UnsavedResults(), UnsavedGroups() } << save << true
        << "fresh";
    QTest::newRow("a group changed, never recalculated: saved under a name asked for")
        << "read group" << QStringList { UnsavedGroups() } << save << true << "fresh";
    QTest::newRow("results and tables: one question, not saved")
        << "recalculated table" << QStringList { UnsavedResults(), UnsavedTables() } << discard << true
        << "none";
}

void ResultsUpToDateTest::ClosingAsksOnce()
{
    QFETCH(QString, work);
    QFETCH(QStringList, unsaved);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(QString, file);
    const std::string settings = test::ReadBytes(test::ExamplesDir() / "sample.INI");
    test::Window window(settings);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    const std::filesystem::path out = window.TempPath("out.htm");
    if (work == "read" || work == "read group")
        form.OpenProtocol(Example("sample_protocol.htm"));
    if (work.startsWith("saved") || work.startsWith("recalculated"))
        Recalculated(window, work.startsWith("saved"));
    const std::string earlier = test::ReadBytes(out);
    if (work.contains("edit"))
        TypeIntoOutput(form, Utf8(" правка"));
    if (work.endsWith("group"))
        StepCategory(form, 1, 1);
    if (work.endsWith("table"))
        RetypeCell(form, 0, 1, "7");
    window.SaveChoice = test::PathText(out);
    const std::string shown = engine::ProtocolBytes(form.OutputToSave());
    window.CloseAnswer = ui::CloseAnswer(answer);
    const std::string settingsBefore = test::ReadBytes(window.SettingsPath());

    QCOMPARE(form.close(), closes);
    QCOMPARE(window.CloseQuestions.size(), unsaved.isEmpty() ? 0 : 1);
    const QString asked = unsaved == QStringList { ui::text::UnsavedTables() }
        ? ui::text::SaveTablesQuestion()
        : ui::text::UnsavedWorkQuestion().arg(unsaved.join(", "));
    if (!unsaved.isEmpty())
        QVERIFY(window.CloseQuestions[0].startsWith(asked));
    // Results out of date, or none, are said to be recalculated first.
    QCOMPARE(window.CloseQuestions.value(0).contains(ui::text::GroupsChanged()),
        work.startsWith("saved") && work.endsWith("group"));
    QCOMPARE(window.CloseQuestions.value(0).contains(ui::text::MadeAtClose()), work == "read group");
    // Saving at close drops hand edits only after the question about results out of date.
    const bool edits = work == "saved edit group";
    QCOMPARE(window.CloseQuestions.value(0).contains(
                 ui::text::AskedAtClose().arg(ui::text::GroupsChanged())),
        edits);
    QCOMPARE(window.OutOfDateQuestions.size(), edits ? 1 : 0);
    const std::string saved = test::ReadBytes(out);
    if (file == "none")
        QVERIFY(!std::filesystem::exists(out));
    else if (file == "earlier")
        QVERIFY(saved == earlier);
    else if (file == "shown")
        QVERIFY(saved == shown && shown != earlier);
    else
        QVERIFY(saved == FreshBytes(form));
    if (answer == int(ui::CloseAnswer::Discard))
        QVERIFY(test::ReadBytes(window.SettingsPath()) == settingsBefore);
}

void ResultsUpToDateTest::RecalculatingAsksBeforeDroppingHandEdits()
{
    test::Window window(test::ReadBytes(test::ExamplesDir() / "sample.INI"));
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    Recalculated(window, false);
    const std::vector<engine::ProtocolLine> fresh = form.OutputToSave();
    QTest::keyClick(&form, Qt::Key_F9); // nothing typed: nothing asked
    QVERIFY(window.Confirmations.isEmpty());
    TypeIntoOutput(form, Utf8(" правка"));
    const std::vector<engine::ProtocolLine> edited = form.OutputToSave();
    window.ConfirmAnswer = false;
    QTest::keyClick(&form, Qt::Key_F9);
    QCOMPARE(window.Confirmations, QStringList { ui::text::RecalculateOverEdits() });
    QCOMPARE(form.OutputToSave(), edited);
    window.ConfirmAnswer = true;
    QTest::keyClick(&form, Qt::Key_F9);
    QCOMPARE(window.Confirmations.size(), 2);
    QCOMPARE(form.OutputToSave(), fresh);
}

QTEST_MAIN(ResultsUpToDateTest)
#include "tst_results_up_to_date.moc"
