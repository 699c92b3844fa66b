// The points tables in the window: typing into the spare column and row, compaction when a cell
// is selected or the grid is left, and the confirmation that writes the settings file at close.
#include <QComboBox>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "points/settings_file.h"
#include "ui/group_list.h"
#include "ui/output_view.h"
#include "ui/messages.h"
#include "ui/points_grid_view.h"
#include "ui/points_table_model.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;

namespace {

QString SampleProtocol() { return test::PathText(test::ExamplesDir() / "sample_protocol.htm"); }

const std::string TwoTables
    = "[Ochki]\r\nTablesCount=2\r\nPlacesCount=3\r\n1=25;20;\r\n2=18;16;\r\n"
      "3=15;;\r\n";

QString HeaderText(QAbstractItemView *view, Qt::Orientation orientation, int section)
{
    return view->model()->headerData(section, orientation).toString();
}

// Replaces a cell's text through its editor, as the user does with F2.
void RetypeCell(TForm1 &form, int row, int col, const QString &text)
{
    test::ClickCell(W(form).StringGrid1, row, col);
    QTest::keyClick(W(form).StringGrid1, Qt::Key_F2);
    QWidget *editor = QApplication::focusWidget();
    QVERIFY(qobject_cast<QLineEdit *>(editor));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Backspace);
    test::TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

QStringList Items(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

} // namespace

class PointsGridTest : public QObject
{
    Q_OBJECT

private slots:
    void LoadsTablesAndCaptions();
    void TypingIntoSpareColumnAddsTable();
    void EmptiedTableGoesOnNextSelection();
    void EmptiedTableGoesWhenGridIsLeft();
    void CloseWithoutChangesAsksNothing();
    void CloseAnswers_data();
    void CloseAnswers();
    void CloseOkCreatesSettingsFolder();
    void UnreadableSettingsSavedElsewhere_data();
    void UnreadableSettingsSavedElsewhere();
    void LossySettingsWrittenOnlyOnYes_data();
    void LossySettingsWrittenOnlyOnYes();
    void UnwritableSettingsKeepWindowOpen();
    void LoadWarningShownOnce();
    void EnterMovesDown();
    void DeleteClearsSelection();
    void EmptyGridSaysHowToStart();
    void OnlyPointsValuesGoIntoTheProtocol();
    void CellTakesOnlyPointsValues_data();
    void CellTakesOnlyPointsValues();
    void OtherTextKeepsItsBytes();
};

void PointsGridTest::LoadsTablesAndCaptions()
{
    test::Window window(TwoTables);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QAbstractItemModel *model = W(form).StringGrid1->model();
    QCOMPARE(model->columnCount(), 3); // A, B and the spare column
    QCOMPARE(model->rowCount(), 4); // places 1 to 3 and the spare row
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Horizontal, 0), QString("A"));
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Horizontal, 2), QString());
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Vertical, 2), QString("3"));
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Vertical, 3), QString());
    QCOMPARE(W(form).StringGrid1->CornerText(), Utf8("Месца"));
    QCOMPARE(test::CellText(W(form).StringGrid1, 0, 1), QString("20"));
    QCOMPARE(W(form).StringGrid1->horizontalHeader()->sectionSize(0), 30);
    QCOMPARE(W(form).StringGrid1->verticalHeader()->sectionSize(0), 16);
    QCOMPARE(Items(W(form).ComboBox3),
        (QStringList { Utf8("Без ачкоў"), "A: 25, 18, 15...", "B: 20, 16, ..." }));
    QVERIFY(!form.PointsTables().TablesModified);
}

void PointsGridTest::TypingIntoSpareColumnAddsTable()
{
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QAbstractItemModel *model = W(form).StringGrid1->model();
    QCOMPARE(model->columnCount(), 1);
    QCOMPARE(model->rowCount(), 1);

    // The first keystroke already adds the table "A" and the place 1, with new spare ones.
    test::ClickCell(W(form).StringGrid1, 0, 0);
    QTest::keyClicks(W(form).StringGrid1, "1");
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Horizontal, 0), QString("A"));
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Vertical, 0), QString("1"));
    QVERIFY(form.PointsTables().TablesModified);
    QCOMPARE(Items(W(form).ComboBox3), (QStringList { Utf8("Без ачкоў"), "A: 1..." }));
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClicks(editor, "0");
    QCOMPARE(Items(W(form).ComboBox3), (QStringList { Utf8("Без ачкоў"), "A: 10..." }));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(test::CellText(W(form).StringGrid1, 0, 0), QString("10"));

    // The new spare column makes table "B".
    test::ClickCell(W(form).StringGrid1, 0, 1);
    QTest::keyClicks(W(form).StringGrid1, "8");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Horizontal, 1), QString("B"));
    QCOMPARE(form.PointsTables().Grid.TablesCount(), 2);
    QCOMPARE(form.PointsTables().Grid.PlacesCount(), 1);
}

void PointsGridTest::EmptiedTableGoesOnNextSelection()
{
    test::Window window(TwoTables);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    for (int row = 0; row < 3; ++row)
        RetypeCell(form, row, 0, QString());
    QCOMPARE(W(form).StringGrid1->model()->columnCount(), 3); // not yet: the cell is still current
    test::ClickCell(W(form).StringGrid1, 1, 1);
    QCOMPARE(W(form).StringGrid1->model()->columnCount(), 2);
    QCOMPARE(test::CellText(W(form).StringGrid1, 0, 0), QString("20")); // "B" became "A"
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Horizontal, 0), QString("A"));
    QCOMPARE(HeaderText(W(form).StringGrid1, Qt::Horizontal, 1), QString());
    QVERIFY(W(form).StringGrid1->currentIndex().isValid());
    QVERIFY(W(form).StringGrid1->currentIndex().column() < 2);
}

void PointsGridTest::EmptiedTableGoesWhenGridIsLeft()
{
    test::Window window(TwoTables);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    RetypeCell(form, 0, 1, QString());
    RetypeCell(form, 1, 1, Utf8(" "));
    QCOMPARE(W(form).StringGrid1->model()->columnCount(), 3);
    QTest::mouseClick(W(form).Memo2->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), W(form).Memo2);
    QCOMPARE(W(form).StringGrid1->model()->columnCount(), 2);
    QCOMPARE(form.PointsTables().Grid.TablesCount(), 1);
}

void PointsGridTest::CloseWithoutChangesAsksNothing()
{
    test::Window window(TwoTables);
    QVERIFY(window.ShowAndActivate());
    QVERIFY(window.Form().close());
    QVERIFY(window.CloseQuestions.isEmpty());
    QCOMPARE(test::ReadBytes(window.SettingsPath()), TwoTables);
}

void PointsGridTest::CloseAnswers_data()
{
    QTest::addColumn<ui::CloseAnswer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("save") << ui::CloseAnswer::Save << true << true;
    QTest::newRow("discard") << ui::CloseAnswer::Discard << true << false;
    QTest::newRow("return") << ui::CloseAnswer::Return << false << false;
}

void PointsGridTest::CloseAnswers()
{
    QFETCH(ui::CloseAnswer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    test::Window window(TwoTables);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    RetypeCell(form, 0, 0, "30");
    RetypeCell(form, 3, 1, "9"); // the spare row: place 4
    // Another window keeps its recent protocols meanwhile: saving the tables keeps them.
    const std::string others = TwoTables + "[Recent]\r\nFile1=/tmp/other.htm\r\n";
    test::WriteBytes(window.SettingsPath(), others);
    const std::string edited = points::SavePointsTables(others, form.PointsTables().Grid);
    QVERIFY(edited.find("PlacesCount=4") != std::string::npos);
    QVERIFY(edited.find("1=30;20;") != std::string::npos);

    window.CloseAnswer = answer;
    QCOMPARE(form.close(), closed);
    // The question says what changed.
    QCOMPARE(window.CloseQuestions, QStringList { ui::text::SaveTablesQuestion() });
    QVERIFY(ui::text::SaveTablesQuestion().contains(Utf8("Табліцы ачкоў")));
    QCOMPARE(test::ReadBytes(window.SettingsPath()), written ? edited : others);
    QCOMPARE(form.isVisible(), !closed);
    QCOMPARE(form.PointsTables().TablesModified, answer != ui::CloseAnswer::Save);
    if (!closed) {
        window.CloseAnswer = ui::CloseAnswer::Save; // asked again, the edits still there
        QVERIFY(form.close());
        QCOMPARE(test::ReadBytes(window.SettingsPath()), edited);
    }
}

void PointsGridTest::CloseOkCreatesSettingsFolder()
{
    // An installed program keeps its tables in the user's configuration folder, which a first
    // start may not have yet.
    test::Window window(std::nullopt, "config/lapwing/lapwing.INI");
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    RetypeCell(form, 0, 0, "12");
    QVERIFY(form.close());
    QVERIFY(window.Errors.isEmpty());
    const std::string saved = test::ReadBytes(window.SettingsPath());
    QVERIFY(saved.find("TablesCount=1") != std::string::npos);
    QVERIFY(saved.find("1=12;") != std::string::npos);
}

void PointsGridTest::UnreadableSettingsSavedElsewhere_data()
{
    QTest::addColumn<bool>("folder"); // the settings path is a folder, else a UTF-16 file
    QTest::addColumn<ui::CloseAnswer>("answer");
    QTest::addColumn<QString>("choice"); // "other", "self" (the unreadable file) or cancelled
    QTest::addColumn<bool>("savedElsewhere");
    QTest::newRow("UTF-16, to another file") << false << ui::CloseAnswer::Save << "other" << true;
    QTest::newRow("folder, to another file") << true << ui::CloseAnswer::Save << "other" << true;
    QTest::newRow("dialog cancelled") << false << ui::CloseAnswer::Save << "" << false;
    QTest::newRow("the same file chosen") << false << ui::CloseAnswer::Save << "self" << false;
    QTest::newRow("not saved") << false << ui::CloseAnswer::Discard << "other" << false;
    QTest::newRow("back to the window") << false << ui::CloseAnswer::Return << "other" << false;
}

void PointsGridTest::UnreadableSettingsSavedElsewhere()
{
    QFETCH(bool, folder);
    QFETCH(ui::CloseAnswer, answer);
    QFETCH(QString, choice);
    QFETCH(bool, savedElsewhere);
    // "[Ochki]" in UTF-16LE with its byte order mark: read as single bytes it would be damaged.
    const std::string utf16("\xFF\xFE[\0O\0c\0h\0k\0i\0]\0\r\0\n\0", 20);
    QTemporaryDir folderDir;
    const std::filesystem::path folderPath = folderDir.filePath("lapwing.INI").toStdString();
    if (folder)
        std::filesystem::create_directory(folderPath);
    test::Window window(folder ? std::nullopt : std::optional(utf16),
        folder ? folderPath.string() : std::string("lapwing.INI"));
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    RetypeCell(form, 0, 0, "12");
    const std::filesystem::path other = window.TempPath("other.INI");
    window.SettingsChoice = choice == "other" ? test::PathText(other)
        : choice == "self"                    ? test::PathText(window.SettingsPath())
                                              : QString();
    window.CloseAnswer = answer;

    const bool closed = form.close();
    QCOMPARE(closed, answer == ui::CloseAnswer::Discard || savedElsewhere);
    // The question names the file and why it is not written, and offers another file.
    QCOMPARE(window.CloseQuestions.size(), 1);
    QVERIFY(window.CloseQuestions[0].contains(test::PathText(window.SettingsPath())));
    QVERIFY(window.CloseQuestions[0].contains(folder ? "Is a directory" : "UTF-16"));
    QCOMPARE(window.CloseSaveLabels, QStringList { ui::text::SaveElsewhereAndClose() });
    QCOMPARE(window.SettingsChoices, answer == ui::CloseAnswer::Save ? 1 : 0);
    QCOMPARE(window.Errors.size(), choice == "self" ? 1 : 0);
    if (folder)
        QVERIFY(std::filesystem::is_directory(window.SettingsPath()));
    else
        QCOMPARE(test::ReadBytes(window.SettingsPath()), utf16);
    QCOMPARE(std::filesystem::exists(other), savedElsewhere);
    if (savedElsewhere) {
        const std::string saved = test::ReadBytes(other);
        QVERIFY(saved.starts_with("[Ochki]"));
        QVERIFY(saved.find("TablesCount=1") != std::string::npos);
        QVERIFY(saved.find("1=12;") != std::string::npos);
    }
    QCOMPARE(form.PointsTables().TablesModified, !savedElsewhere);
}

void PointsGridTest::LossySettingsWrittenOnlyOnYes_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes writes") << true;
    QTest::newRow("no keeps the file") << false;
}

void PointsGridTest::LossySettingsWrittenOnlyOnYes()
{
    QFETCH(bool, yes);
    // A count that does not read as a number: the rows under it would be lost by saving.
    const std::string lossy = "[Ochki]\r\nTablesCount=two\r\nPlacesCount=2\r\n1=25;\r\n2=18;\r\n";
    test::Window window(lossy);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    RetypeCell(form, 0, 0, "12");
    window.ConfirmAnswer = yes;

    QCOMPARE(form.close(), yes);
    // Asked after "Захаваць", naming the file, the key and what would go.
    QCOMPARE(window.CloseQuestions, QStringList { ui::text::SaveTablesQuestion() });
    QCOMPARE(window.Confirmations.size(), 1);
    QVERIFY(window.Confirmations[0].contains(test::PathText(window.SettingsPath()) + ":2:"));
    QVERIFY(window.Confirmations[0].contains("TablesCount"));
    QVERIFY(window.Confirmations[0].contains("2 rows"));
    const std::string saved = test::ReadBytes(window.SettingsPath());
    QCOMPARE(saved == lossy, !yes);
    QCOMPARE(saved.find("1=12;") != std::string::npos, yes);
    QCOMPARE(form.PointsTables().TablesModified, !yes);
}

void PointsGridTest::UnwritableSettingsKeepWindowOpen()
{
    // A settings file whose folder is a plain file cannot be written, not even by root.
    test::Window window(std::nullopt, "blocked/lapwing.INI");
    TForm1 &form = window.Form();
    const std::filesystem::path unwritable = window.SettingsPath();
    test::WriteBytes(unwritable.parent_path(), "not a folder");
    QVERIFY(window.ShowAndActivate());
    test::ClickCell(W(form).StringGrid1, 0, 0);
    QTest::keyClicks(W(form).StringGrid1, "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QVERIFY(!form.close());
    QCOMPARE(window.Errors,
        QStringList { "Unable to write to " + test::PathText(unwritable) + ": Not a directory" });
    QVERIFY(form.isVisible());
    QVERIFY(form.PointsTables().TablesModified);
    QVERIFY(!form.close()); // asks again
    QCOMPARE(window.CloseQuestions.size(), 2);
}

void PointsGridTest::LoadWarningShownOnce()
{
    test::Window window(std::string("[Ochki]\nTablesCount=abc\n"));
    QVERIFY(window.Informations.isEmpty()); // nothing before the window shows
    QVERIFY(window.ShowAndActivate());
    QCOMPARE(window.Informations.size(), 1);
    QVERIFY(window.Informations[0].contains("TablesCount"));
    window.Form().hide();
    window.Form().show();
    QCOMPARE(window.Informations.size(), 1);
    QCOMPARE(W(window.Form()).StringGrid1->model()->columnCount(), 1);
}

void PointsGridTest::EnterMovesDown()
{
    test::Window window(TwoTables);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    ui::PointsGridView *grid = W(form).StringGrid1;
    test::ClickCell(grid, 0, 1);
    QTest::keyClick(grid, Qt::Key_Return); // not editing: only moves
    QCOMPARE(grid->currentIndex(), grid->model()->index(1, 1));
    QTest::keyClick(grid, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "17");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // commits, then moves
    QCOMPARE(form.PointsTables().Grid.Value(2, 2), "17");
    QTRY_COMPARE(grid->currentIndex(), grid->model()->index(2, 1)); // the editor closes later
    QCOMPARE(QApplication::focusWidget(), grid);
}

void PointsGridTest::DeleteClearsSelection()
{
    test::Window window(TwoTables);
    TForm1 &form = window.Form();
    form.OpenProtocol(test::PathText(test::ExamplesDir() / "sample_protocol.htm"));
    QVERIFY(window.ShowAndActivate());
    ui::PointsGridView *grid = W(form).StringGrid1;
    // All of table "A" and the first place of "B".
    test::ClickCell(grid, 0, 0);
    grid->selectionModel()->select(
        QItemSelection(grid->model()->index(0, 0), grid->model()->index(2, 0)),
        QItemSelectionModel::Select);
    grid->selectionModel()->select(grid->model()->index(0, 1), QItemSelectionModel::Select);
    QTest::keyClick(grid, Qt::Key_Delete);
    // "A" went at once, as after emptying one cell; "B" is now "A".
    QCOMPARE(form.PointsTables().Grid.TablesCount(), 1);
    QCOMPARE(form.PointsTables().Grid.Value(1, 1), "");
    QCOMPARE(form.PointsTables().Grid.Value(1, 2), "16");
    QVERIFY(form.PointsTables().TablesModified);
    QCOMPARE(Items(W(form).ComboBox3), QStringList({ Utf8("Без ачкоў"), Utf8("A: , 16, ...") }));
}

void PointsGridTest::EmptyGridSaysHowToStart()
{
    test::Window empty;
    QCOMPARE(W(empty.Form()).StringGrid1->EmptyHint(), ui::text::EmptyTablesHint());
    QCOMPARE(W(empty.Form()).StringGrid1->toolTip(), ui::text::EmptyTablesHint());
    test::Window tables(TwoTables);
    QVERIFY(W(tables.Form()).StringGrid1->EmptyHint().isEmpty());
    // Typing the first table makes it go.
    QVERIFY(empty.ShowAndActivate());
    test::ClickCell(W(empty.Form()).StringGrid1, 0, 0);
    QTest::keyClicks(W(empty.Form()).StringGrid1, "10");
    QVERIFY(W(empty.Form()).StringGrid1->EmptyHint().isEmpty());
}

void PointsGridTest::OnlyPointsValuesGoIntoTheProtocol()
{
    // Table B's place 2 holds text from the file: kept, marked, told at start with its line.
    test::Window window("[Ochki]\r\nTablesCount=2\r\nPlacesCount=2\r\n1=25;20;\r\n2=18;1.5;\r\n");
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QCOMPARE(window.Informations.size(), 1);
    QVERIFY2(window.Informations[0].contains(":5: table B, key \"2\""),
        qPrintable(window.Informations[0]));
    QAbstractItemModel *model = W(form).StringGrid1->model();
    QCOMPARE(model->index(1, 1).data(Qt::BackgroundRole).value<QColor>(),
        ui::PointsTableModel::BadValueBackground);
    QCOMPARE(model->index(1, 1).data(Qt::ToolTipRole).toString(), ui::text::PointsValueHint());
    QVERIFY(!model->index(1, 0).data(Qt::BackgroundRole).isValid());

    // Typed text that is no whole number 0-99999 does not go in; the editor says why.
    test::ClickCell(W(form).StringGrid1, 0, 0);
    QTest::keyClick(W(form).StringGrid1, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->toolTip(), ui::text::PointsValueHint());
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, "1a.5e9999<9");
    QCOMPARE(editor->text(), QString("15999"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(form.PointsTables().Grid.Value(1, 1), "15999");

    // Recalculating refuses while a group's table holds such text, and shows the cell.
    form.OpenProtocol(SampleProtocol());
    test::ClickCell(W(form).StringGrid2, 0, ui::TableColumn);
    test::StepChoice(W(form).ComboBox3, 2);
    QCOMPARE(form.Groups()[0].PointsTable, 2);
    window.Errors.clear();
    const std::vector<engine::ProtocolLine> shown = form.OutputToSave();
    form.Button1Click();
    QCOMPARE(window.Errors, QStringList { ui::text::BadPointsValue().arg("B").arg(2).arg("1.5") });
    QCOMPARE(W(form).StringGrid1->currentIndex(), model->index(1, 1));
    QCOMPARE(form.OutputToSave(), shown);

    // Fixed, it goes.
    test::ClickCell(W(form).StringGrid1, 0, 0);
    RetypeCell(form, 1, 1, "15");
    QVERIFY(!model->index(1, 1).data(Qt::BackgroundRole).isValid());
    window.Errors.clear();
    form.Button1Click();
    QVERIFY(window.Errors.isEmpty());
    QVERIFY(form.OutputToSave() != shown);
}

void PointsGridTest::CellTakesOnlyPointsValues_data()
{
    QTest::addColumn<QString>("typed"); // into table A's first place, which holds "25"
    QTest::addColumn<bool>("pasted"); // as one paste instead of key by key
    QTest::addColumn<QString>("cell");
    QTest::newRow("letters") << "abc" << false << "";
    QTest::newRow("the largest") << "99999" << false << "99999";
    QTest::newRow("too large") << "123456" << false << "12345";
    QTest::newRow("letters pasted") << "abc" << true << "25";
    QTest::newRow("a fraction pasted") << "1.5" << true << "25";
    QTest::newRow("too large pasted") << "100000" << true << "25";
    QTest::newRow("a number pasted") << "30" << true << "30";
}

void PointsGridTest::CellTakesOnlyPointsValues()
{
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, cell);
    test::Window window(TwoTables);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    test::ClickCell(W(form).StringGrid1, 0, 0);
    QTest::keyClick(W(form).StringGrid1, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    if (pasted) {
        editor->selectAll();
        editor->insert(typed); // as a paste does: one change of the whole text
    } else {
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, typed);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(ui::FromCp1251(form.PointsTables().Grid.Value(1, 1)), cell);
}

void PointsGridTest::OtherTextKeepsItsBytes()
{
    // A cell of other text in the file stays as it was when another cell is edited and saved.
    const std::string file = "[Ochki]\r\nTablesCount=2\r\nPlacesCount=2\r\n1=25;20;\r\n2=18;1.5;\r\n";
    test::Window window(file);
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    RetypeCell(form, 0, 0, "30");
    window.CloseAnswer = ui::CloseAnswer::Save;
    QVERIFY(form.close());
    const std::string written = test::ReadBytes(window.SettingsPath());
    QVERIFY2(written.find("1=30;20;") != std::string::npos, written.c_str());
    QVERIFY2(written.find("2=18;1.5;") != std::string::npos, written.c_str());
}

QTEST_MAIN(PointsGridTest)
#include "tst_points_grid.moc"
