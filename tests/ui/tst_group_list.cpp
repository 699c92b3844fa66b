// The group list's editors: laid over the selected cell, committing only an item (or, for the
// masters count, any text as a number), and the masters editor's keys.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "ui/messages.h"
#include "ui/group_list.h"
#include "ui/points_grid_view.h"
#include "ui/points_table_model.h"
#include "ui_test_support.h"

using test::Utf8;

namespace {

std::string SampleSettings() { return test::ReadBytes(test::ExamplesDir() / "sample.INI"); }

QString SampleProtocol() { return test::PathText(test::ExamplesDir() / "sample_protocol.htm"); }

// Picks a row's class with the arrow keys; each key commits and closes the editor.
void ChooseClass(TForm1 &form, int row, int distanceClass)
{
    const auto currentClass = [&] { return form.Groups()[static_cast<std::size_t>(row)].DistanceClass; };
    const auto current = [&] { return static_cast<int>(currentClass()); };
    for (int step = 0; step < ui::DistanceClassItems().size() && current() != distanceClass;
         ++step) {
        test::ClickCell(form.StringGrid2, row, ui::ClassColumn);
        QTest::keyClick(form.cbMaxKval, current() > distanceClass ? Qt::Key_Up : Qt::Key_Down);
    }
}

} // namespace

class GroupListTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void Headers();
    void EditorLiesOverTheCell_data();
    void EditorLiesOverTheCell();
    void HeadingColumnOpensNothing();
    void TextThatIsNoItemChangesNothing();
    void TypedItemCommitsOnExit();
    void EnterOnTypedItemCommits();
    void CategoryAndTable();
    void ClassChangeRewritesMastersCell();
    void MastersLettersStoreZero();
    void MastersKeys();
    void MastersEscapeRestores();
    void SettingsSurviveRereading();
    void GridKeysReopenEditor();
    void TableBeyondCaptionsFailsRefill();

private:
    std::unique_ptr<test::Window> m_window;
};

void GroupListTest::init()
{
    m_window = std::make_unique<test::Window>(SampleSettings());
    QVERIFY(m_window->ShowAndActivate());
    m_window->Form().OpenProtocol(SampleProtocol());
    QVERIFY(m_window->Informations.isEmpty());
    QCOMPARE(m_window->Form().StringGrid2->rowCount(), 4);
}

void GroupListTest::cleanup() { m_window.reset(); }

void GroupListTest::Headers()
{
    QTableWidget *grid = m_window->Form().StringGrid2;
    for (int col = 0; col < ui::GroupColumnCount; ++col)
        QCOMPARE(grid->horizontalHeaderItem(col)->text(), ui::GroupListHeaders()[col]);
    QCOMPARE(grid->columnWidth(0), 82);
    QCOMPARE(grid->columnWidth(4), 102);
    QCOMPARE(grid->rowHeight(0), 19);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void GroupListTest::EditorLiesOverTheCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("text");
    QTest::newRow("class") << 0 << int(ui::ClassColumn) << "cbMaxKval" << Utf8("I р.");
    QTest::newRow("category") << 2 << int(ui::CategoryColumn) << "ComboBox4" << Utf8("Юнацкія");
    QTest::newRow("table") << 3 << int(ui::TableColumn) << "ComboBox3" << Utf8("Без ачкоў");
}

void GroupListTest::EditorLiesOverTheCell()
{
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(QString, editor);
    QFETCH(QString, text);
    TForm1 &form = m_window->Form();
    test::ClickCell(form.StringGrid2, row, col);
    auto *combo = form.findChild<QComboBox *>(editor);
    QVERIFY(combo);
    QVERIFY(combo->isVisible());
    QCOMPARE(QApplication::focusWidget(), combo);
    QCOMPARE(combo->currentText(), text);
    const QRect cell = form.StringGrid2->visualRect(form.StringGrid2->model()->index(row, col));
    QCOMPARE(combo->geometry(),
        QRect(form.StringGrid2->viewport()->mapTo(&form, cell.topLeft()), cell.size()));
}

void GroupListTest::HeadingColumnOpensNothing()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(form.StringGrid2, 1, ui::HeadingColumn);
    QVERIFY(!form.cbMaxKval->isVisible() && !form.ComboBox4->isVisible()
        && !form.ComboBox3->isVisible() && !form.ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), form.StringGrid2);
}

void GroupListTest::TextThatIsNoItemChangesNothing()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(form.StringGrid2, 0, ui::ClassColumn);
    QTest::keyClick(form.cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.cbMaxKval, "xyz");
    QTest::keyClick(form.cbMaxKval, Qt::Key_Return);
    QTest::keyClick(form.cbMaxKval, Qt::Key_Tab);
    QCOMPARE(test::CellText(form.StringGrid2, 0, ui::ClassColumn), Utf8("I р."));
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::First);
    QVERIFY(form.cbMaxKval->isVisible()); // the editor stays open
    QCOMPARE(form.cbMaxKval->currentText(), QString("xyz"));

    // Another cell's editor takes its place; still nothing changed.
    test::ClickCell(form.StringGrid2, 1, ui::CategoryColumn);
    QVERIFY(!form.cbMaxKval->isVisible());
    QVERIFY(form.ComboBox4->isVisible());
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::First);
}

void GroupListTest::TypedItemCommitsOnExit()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(form.StringGrid2, 1, ui::ClassColumn);
    QTest::keyClick(form.cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(form.cbMaxKval, Utf8("КМС"));
    QCOMPARE(form.Groups()[1].DistanceClass, engine::DistanceClass::First); // typing alone commits nothing
    test::ClickCell(form.StringGrid2, 2, ui::HeadingColumn); // leaving does
    QCOMPARE(form.Groups()[1].DistanceClass, engine::DistanceClass::Kms);
    QCOMPARE(test::CellText(form.StringGrid2, 1, ui::ClassColumn), Utf8("КМС"));
    QVERIFY(!form.cbMaxKval->isVisible());
}

void GroupListTest::EnterOnTypedItemCommits()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(form.StringGrid2, 2, ui::CategoryColumn);
    QTest::keyClick(form.ComboBox4, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(form.ComboBox4, Utf8("Не лічыць"));
    QTest::keyClick(form.ComboBox4, Qt::Key_Return);
    QCOMPARE(form.Groups()[2].Category, engine::Category::NotCounted);
    QCOMPARE(test::CellText(form.StringGrid2, 2, ui::CategoryColumn), Utf8("Не лічыць"));
    QVERIFY(!form.ComboBox4->isVisible());
    QCOMPARE(QApplication::focusWidget(), form.StringGrid2);
}

void GroupListTest::CategoryAndTable()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(form.StringGrid2, 0, ui::CategoryColumn);
    QTest::keyClick(form.ComboBox4, Qt::Key_Down);
    QCOMPARE(form.Groups()[0].Category, engine::Category::Juniors);
    QCOMPARE(test::CellText(form.StringGrid2, 0, ui::CategoryColumn), Utf8("Юнацкія"));

    test::ClickCell(form.StringGrid2, 1, ui::TableColumn);
    QCOMPARE(form.ComboBox3->count(), 2);
    QCOMPARE(form.ComboBox3->itemText(1), Utf8("A: 25, 20, 18..."));
    QTest::keyClick(form.ComboBox3, Qt::Key_Down);
    QCOMPARE(form.Groups()[1].PointsTable, 1);
    QCOMPARE(test::CellText(form.StringGrid2, 1, ui::TableColumn), Utf8("A: 25, 20, 18..."));
}

void GroupListTest::ClassChangeRewritesMastersCell()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    QCOMPARE(test::CellText(form.StringGrid2, 0, ui::MastersColumn), Utf8("0"));
    ChooseClass(form, 0, 1);
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::Kms);
    QCOMPARE(test::CellText(form.StringGrid2, 0, ui::MastersColumn), Utf8("--"));
    test::ClickCell(form.StringGrid2, 0, ui::MastersColumn);
    QVERIFY(!form.ebMastersCount->isVisible());
}

void GroupListTest::MastersLettersStoreZero()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    test::ClickCell(form.StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(form.ebMastersCount, "3");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Tab);
    QCOMPARE(form.Groups()[0].MastersCount, 3);

    test::ClickCell(form.StringGrid2, 0, ui::MastersColumn);
    QCOMPARE(form.ebMastersCount->text(), QString("3"));
    QCOMPARE(form.ebMastersCount->selectedText(), QString("3"));
    test::TypeText(form.ebMastersCount, Utf8("тры"));
    QTest::keyClick(form.ebMastersCount, Qt::Key_Tab);
    QCOMPARE(form.Groups()[0].MastersCount, 0);
    QCOMPARE(test::CellText(form.StringGrid2, 0, ui::MastersColumn), QString("0"));
    QVERIFY(!form.ebMastersCount->isVisible());
}

void GroupListTest::MastersKeys()
{
    TForm1 &form = m_window->Form();
    for (int row : { 0, 1, 3 })
        ChooseClass(form, row, 0);

    // Enter commits, moves down and opens the next row's editor.
    test::ClickCell(form.StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(form.ebMastersCount, "1");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Return);
    QCOMPARE(form.Groups()[0].MastersCount, 1);
    QCOMPARE(form.StringGrid2->currentRow(), 1);
    QVERIFY(form.ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), form.ebMastersCount);

    // Down likewise; row 2 (Ж16) is not of class МС: no editor.
    QTest::keyClicks(form.ebMastersCount, "2");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Down);
    QCOMPARE(form.Groups()[1].MastersCount, 2);
    QCOMPARE(form.StringGrid2->currentRow(), 2);
    QVERIFY(!form.ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), form.StringGrid2);

    // Down in the last row stays there and opens the editor again.
    test::ClickCell(form.StringGrid2, 3, ui::MastersColumn);
    QTest::keyClicks(form.ebMastersCount, "4");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Down);
    QCOMPARE(form.Groups()[3].MastersCount, 4);
    QCOMPARE(form.StringGrid2->currentRow(), 3);
    QVERIFY(form.ebMastersCount->isVisible());
    QCOMPARE(form.ebMastersCount->text(), QString("4"));

    // Up from row 1 (second row) to the first; Up in the first stays.
    test::ClickCell(form.StringGrid2, 1, ui::MastersColumn);
    QTest::keyClicks(form.ebMastersCount, "5");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Up);
    QCOMPARE(form.Groups()[1].MastersCount, 5);
    QCOMPARE(form.StringGrid2->currentRow(), 0);
    QVERIFY(form.ebMastersCount->isVisible());
    QCOMPARE(form.ebMastersCount->text(), QString("1"));
    QTest::keyClicks(form.ebMastersCount, "6");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Up);
    QCOMPARE(form.Groups()[0].MastersCount, 6);
    QCOMPARE(form.StringGrid2->currentRow(), 0);
    QVERIFY(form.ebMastersCount->isVisible());

    // Other keys do nothing special.
    QTest::keyClick(form.ebMastersCount, Qt::Key_Left);
    QVERIFY(form.ebMastersCount->isVisible());
    QCOMPARE(form.Groups()[0].MastersCount, 6);
}

void GroupListTest::MastersEscapeRestores()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    test::ClickCell(form.StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(form.ebMastersCount, "7");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Tab);
    test::ClickCell(form.StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(form.ebMastersCount, "12");
    QTest::keyClick(form.ebMastersCount, Qt::Key_Escape);
    QCOMPARE(form.ebMastersCount->text(), QString("7"));
    QVERIFY(form.ebMastersCount->isVisible());
    QCOMPARE(form.Groups()[0].MastersCount, 7);
}

void GroupListTest::SettingsSurviveRereading()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    QVERIFY(m_window->Informations.isEmpty());
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::Ms);
    QCOMPARE(test::CellText(form.StringGrid2, 0, ui::ClassColumn), Utf8("МС"));
    QCOMPARE(test::CellText(form.StringGrid2, 0, ui::MastersColumn), Utf8("0"));
}

void GroupListTest::GridKeysReopenEditor()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(form.StringGrid2, 0, ui::CategoryColumn);
    QTest::keyClick(form.ComboBox4, Qt::Key_Down); // commits, the grid has the focus
    QVERIFY(!form.ComboBox4->isVisible());
    QTest::keyClick(form.StringGrid2, Qt::Key_F2);
    QVERIFY(form.ComboBox4->isVisible());
    QTest::keyClick(form.ComboBox4, Qt::Key_Up);
    QCOMPARE(form.Groups()[0].Category, engine::Category::Adults);
    // Moving the current cell with the keyboard opens the editor there.
    QTest::keyClick(form.StringGrid2, Qt::Key_Left);
    QVERIFY(form.cbMaxKval->isVisible());
    QCOMPARE(form.StringGrid2->currentColumn(), int(ui::ClassColumn));
}

void GroupListTest::TableBeyondCaptionsFailsRefill()
{
    // Two tables of one place; the group takes table "B", which the user then empties.
    m_window = std::make_unique<test::Window>(
        "[Ochki]\r\nTablesCount=2\r\nPlacesCount=1\r\n1=25;20;\r\n");
    TForm1 &form = m_window->Form();
    QVERIFY(m_window->ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    test::ClickCell(form.StringGrid2, 0, ui::TableColumn);
    QTest::keyClick(form.ComboBox3, Qt::Key_Down); // each arrow commits: open it again
    test::ClickCell(form.StringGrid2, 0, ui::TableColumn);
    QTest::keyClick(form.ComboBox3, Qt::Key_Down);
    QCOMPARE(form.Groups()[0].PointsTable, 2);

    test::ClickCell(form.StringGrid1, 0, 1);
    QTest::keyClick(form.StringGrid1, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    test::ClickCell(form.StringGrid1, 0, 0); // compaction: "B" goes
    QCOMPARE(form.PointsTables().Grid.TablesCount(), 1);
    // Compaction leaves the captions; the next edit rebuilds them without "B".
    QTest::keyClicks(form.StringGrid1, "30");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(form.PointsTables().TableCaptions.size(), std::size_t(2));

    QTest::mouseClick(form.Button3, Qt::LeftButton);
    QCOMPARE(m_window->Informations, QStringList { Utf8(ui::LoadFailedMessage) });
    QCOMPARE(QApplication::focusWidget(), form.Button1);
}

QTEST_MAIN(GroupListTest)
#include "tst_group_list.moc"
