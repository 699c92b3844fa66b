// The whole job in the window: read the example protocol, set its groups in place, recalculate
// with the inspector's name, save; the file equals the engine's output on the same settings.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "ui/messages.h"
#include "engine/rewrite.h"
#include "engine/save.h"
#include "ui/group_list.h"
#include "ui/output_view.h"
#include "ui/text_codec.h"
#include "ui/workflow_steps.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;

namespace {

// The step buttons in order, for checking which one is bold.
QList<QPushButton *> StepButtons(TForm1 &form)
{
    return { W(form).Button2, W(form).Button3, W(form).Button1, W(form).Button4, W(form).Button5 };
}

QPushButton *BoldStep(TForm1 &form)
{
    QPushButton *bold = nullptr;
    for (QPushButton *button : StepButtons(form)) {
        if (button->font().bold()) {
            if (bold)
                return nullptr; // more than one
            bold = button;
        }
    }
    return bold;
}

} // namespace

class WorkflowTest : public QObject
{
    Q_OBJECT

private slots:
    void WholeJob();
    void NextStepFollowsTheLastDone_data();
    void NextStepFollowsTheLastDone();
};

void WorkflowTest::NextStepFollowsTheLastDone_data()
{
    using ui::Step;
    QTest::addColumn<int>("lastDone");
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("outOfDate");
    QTest::addColumn<int>("next");
    const auto row
        = [](const char *name, Step lastDone, bool named, Step next, bool outOfDate = false) {
              QTest::newRow(name) << int(lastDone) << named << outOfDate << int(next);
          };
    row("start", Step::None, false, Step::Choose);
    row("chosen, or named but not read", Step::Choose, false, Step::Read);
    row("read", Step::Read, true, Step::Recalculate);
    row("recalculated, no output name", Step::Recalculate, false, Step::ChooseOutput);
    row("recalculated, output named", Step::Recalculate, true, Step::Save);
    row("output chosen or the choice cancelled", Step::ChooseOutput, false, Step::Save);
    row("saved: the next round", Step::Save, true, Step::Read);
    // Results out of date are recalculated first, whatever was done last.
    row("recalculated, then changed", Step::Recalculate, true, Step::Recalculate, true);
    row("output chosen, then changed", Step::ChooseOutput, true, Step::Recalculate, true);
    row("saved, then changed", Step::Save, true, Step::Recalculate, true);
    row("read again: still read first", Step::Choose, true, Step::Read, true);
}

void WorkflowTest::NextStepFollowsTheLastDone()
{
    QFETCH(int, lastDone);
    QFETCH(bool, named);
    QFETCH(bool, outOfDate);
    QFETCH(int, next);
    QCOMPARE(int(ui::NextStep({ ui::Step(lastDone), named, outOfDate })), next);
}

void WorkflowTest::WholeJob()
{
    const std::filesystem::path examples = test::ExamplesDir();
    test::Window window(test::ReadBytes(examples / "sample.INI"));
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());

    // Start: step 1 leads.
    QCOMPARE(BoldStep(form), W(form).Button2);
    QCOMPARE(QApplication::focusWidget(), W(form).Button2);

    // 1. Browse: the chosen file is read at once; step 3 leads.
    window.OpenChoice = test::PathText(examples / "sample_protocol.htm");
    QTest::mouseClick(W(form).Button2, Qt::LeftButton);
    QCOMPARE(W(form).LabeledEdit1->text(), window.OpenChoice);
    QVERIFY(window.Informations.isEmpty());
    QCOMPARE(BoldStep(form), W(form).Button1);
    QCOMPARE(QApplication::focusWidget(), W(form).Button1);

    // The groups are shown with their headings and default settings.
    QTableView *groups = W(form).StringGrid2;
    QCOMPARE(groups->model()->rowCount(), 4);
    QCOMPARE(groups->model()->headerData(1, Qt::Horizontal).toString(), Utf8("Клас дыст."));
    QCOMPARE(test::CellText(groups, 0, ui::HeadingColumn), Utf8("М21, 12 КП, 6.3 км"));
    QCOMPARE(test::CellText(groups, 0, ui::ClassColumn), Utf8("I р."));
    QCOMPARE(test::CellText(groups, 0, ui::CategoryColumn), Utf8("Дарослыя"));
    QCOMPARE(test::CellText(groups, 0, ui::MastersColumn), Utf8("--"));
    QCOMPARE(test::CellText(groups, 0, ui::TableColumn), Utf8("Без ачкоў"));
    QCOMPARE(test::CellText(groups, 2, ui::CategoryColumn), Utf8("Юнацкія"));
    QCOMPARE(test::CellText(groups, 3, ui::CategoryColumn), Utf8("Злучаныя"));

    // No group of class МС or КМС yet: the rewrite asks nobody.
    auto answer
        = std::make_unique<test::InspectorAnswer>(window.Dialog(), [](TForm_Controler &dialog) {
              QVERIFY(!dialog.Button1->isEnabled());
              test::TypeText(dialog.LabeledEdit1, Utf8("  Куз "));
              QVERIFY(!dialog.Button1->isEnabled()); // three letters between blanks
              dialog.LabeledEdit1->clear();
              test::TypeText(dialog.LabeledEdit1, Utf8("Кузьмич А.Б."));
              QVERIFY(dialog.Button1->isEnabled());
              QTest::mouseClick(dialog.Button1, Qt::LeftButton);
          });
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(answer->Shows(), 0);
    QVERIFY(W(form).Memo2->toPlainText().contains(Utf8("Ранг соревнований")));
    QCOMPARE(BoldStep(form), W(form).Button4);

    // М21: class МС with the arrow keys, each key committing at once.
    test::ClickCell(groups, 0, ui::ClassColumn);
    QVERIFY(W(form).cbMaxKval->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).cbMaxKval);
    QCOMPARE(W(form).cbMaxKval->currentText(), Utf8("I р."));
    test::StepChoice(W(form).cbMaxKval, -1);
    QVERIFY(!W(form).cbMaxKval->isVisible());
    QCOMPARE(QApplication::focusWidget(), groups);
    QCOMPARE(test::CellText(groups, 0, ui::ClassColumn), Utf8("КМС"));
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::Kms);
    test::ClickCell(groups, 0, ui::ClassColumn);
    test::StepChoice(W(form).cbMaxKval, -1);
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::Ms);
    QCOMPARE(test::CellText(groups, 0, ui::MastersColumn), Utf8("0"));

    // М21: two masters; Enter commits and moves down (Ж21 is not of class МС: no editor).
    test::ClickCell(groups, 0, ui::MastersColumn);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(W(form).ebMastersCount->selectedText(), Utf8("0"));
    QTest::keyClicks(W(form).ebMastersCount, "2");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Return);
    QCOMPARE(form.Groups()[0].MastersCount, 2);
    QCOMPARE(test::CellText(groups, 0, ui::MastersColumn), Utf8("2"));
    QCOMPARE(groups->currentIndex().row(), 1);
    QVERIFY(!W(form).ebMastersCount->isVisible());

    // М21: points table "A".
    test::ClickCell(groups, 0, ui::TableColumn);
    QCOMPARE(W(form).ComboBox3->currentText(), Utf8("Без ачкоў"));
    test::StepChoice(W(form).ComboBox3, 1);
    QCOMPARE(form.Groups()[0].PointsTable, 1);
    QCOMPARE(test::CellText(groups, 0, ui::TableColumn), Utf8("A: 25, 20, 18..."));

    // Open: class "III р." typed over the text and left with Tab; table "A"; its category
    // chosen again ("Злучаныя").
    test::ClickCell(groups, 3, ui::ClassColumn);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(W(form).cbMaxKval, Utf8("III р."));
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_Tab);
    QCOMPARE(form.Groups()[3].DistanceClass, engine::DistanceClass::Third);
    QCOMPARE(test::CellText(groups, 3, ui::ClassColumn), Utf8("III р."));
    test::ClickCell(groups, 3, ui::TableColumn);
    test::StepChoice(W(form).ComboBox3, 1);
    QCOMPARE(form.Groups()[3].PointsTable, 1);
    test::ClickCell(groups, 3, ui::CategoryColumn);
    test::StepChoice(W(form).ComboBox4, -1);
    QCOMPARE(form.Groups()[3].Category, engine::Category::Juniors);
    test::ClickCell(groups, 3, ui::CategoryColumn);
    test::StepChoice(W(form).ComboBox4, 1);
    QCOMPARE(form.Groups()[3].Category, engine::Category::Combined);

    // Rating points with the default factors.
    QTest::mouseClick(
        W(form).CheckBox1, Qt::LeftButton, {}, QPoint(6, W(form).CheckBox1->height() / 2));
    QVERIFY(W(form).LabeledEdit3->isEnabled());

    // 3. Recalculate: the inspector is asked, OK only for a name of four letters or more.
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(answer->Shows(), 1);
    answer.reset();
    // The offscreen platform leaves the closed dialog active; a window manager would not.
    QVERIFY(window.ShowAndActivate());
    const QString firstRun = W(form).Memo2->toPlainText();
    QVERIFY(firstRun.contains(Utf8("Инспектор дистанций")));
    QVERIFY(firstRun.contains(Utf8("Кузьмич А.Б.")));
    QCOMPARE(BoldStep(form), W(form).Button4);
    QCOMPARE(QApplication::focusWidget(), W(form).Button4);

    // Cancel leaves the view as it is, with the user's edit, and the steps as they were.
    W(form).Memo2->SetCursorPosition(W(form).Memo2->Store().End());
    W(form).Memo2->setFocus();
    test::TypeText(W(form).Memo2, Utf8(" правка"));
    const QString edited = W(form).Memo2->toPlainText();
    {
        test::InspectorAnswer cancel(window.Dialog(), [](TForm_Controler &dialog) {
            // The name typed the first time is still there.
            QCOMPARE(dialog.LabeledEdit1->text(), Utf8("Кузьмич А.Б."));
            QVERIFY(dialog.Button1->isEnabled());
            QTest::mouseClick(dialog.Button2, Qt::LeftButton);
        });
        QTest::mouseClick(W(form).Button1, Qt::LeftButton);
        QCOMPARE(cancel.Shows(), 1);
    }
    QVERIFY(window.ShowAndActivate());
    QCOMPARE(W(form).Memo2->toPlainText(), edited);
    QVERIFY(!W(form).Button1->font().bold());
    QCOMPARE(BoldStep(form), W(form).Button4);

    // A second run with the kept name: OK at once (Enter presses it).
    {
        test::InspectorAnswer again(window.Dialog(), [](TForm_Controler &dialog) {
            QCOMPARE(dialog.LabeledEdit1->text(), Utf8("Кузьмич А.Б."));
            QTest::keyClick(dialog.LabeledEdit1, Qt::Key_Return);
        });
        QTest::mouseClick(W(form).Button1, Qt::LeftButton);
        QCOMPARE(again.Shows(), 1);
    }
    QVERIFY(window.ShowAndActivate());
    QCOMPARE(W(form).Memo2->toPlainText(), firstRun);

    // 4. Browse for the output file; step 5 leads.
    window.SaveChoice = test::PathText(window.TempPath("out_res.htm"));
    QTest::mouseClick(W(form).Button4, Qt::LeftButton);
    QCOMPARE(W(form).LabeledEdit2->text(), window.SaveChoice);
    QCOMPARE(BoldStep(form), W(form).Button5);
    QCOMPARE(QApplication::focusWidget(), W(form).Button5);

    // 5. Save; re-reading leads.
    QTest::keyClick(W(form).Button5, Qt::Key_Space);
    QCOMPARE(window.Informations,
        QStringList { ui::text::SavedToNoAddress().arg(W(form).LabeledEdit2->text()) });
    QCOMPARE(BoldStep(form), W(form).Button3);
    QCOMPARE(QApplication::focusWidget(), W(form).Button3);

    // The file is the engine's output on the same settings, byte for byte...
    engine::ProtocolLines lines;
    std::vector<engine::GroupSettings> settings = form.Groups();
    QVERIFY(engine::LoadProtocol(examples / "sample_protocol.htm", lines, settings).Ok());
    const engine::RewriteResult expected = engine::RewriteProtocol(lines, form.Groups(),
        form.ReadOptions(), form.PointsTables().Grid,
        [] { return std::optional<std::string>(ui::ToCp1251(Utf8("Кузьмич А.Б."))); });
    QVERIFY(expected.Ok());
    const std::string saved = test::ReadBytes(window.TempPath("out_res.htm"));
    QVERIFY(saved == engine::ProtocolBytes(expected.Lines));
    // ...and the example's expected protocol for the settings documented beside it.
    QVERIFY(saved == test::ReadBytes(examples / "sample_protocol_expected.htm"));
}

QTEST_MAIN(WorkflowTest)
#include "tst_workflow.moc"
