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
using test::W;

namespace {

std::string SampleSettings() { return test::ReadBytes(test::ExamplesDir() / "sample.INI"); }

QString SampleProtocol() { return test::PathText(test::ExamplesDir() / "sample_protocol.htm"); }

// Picks a row's class with the arrow keys; each key commits and closes the editor.
void ChooseClass(TForm1 &form, int row, int distanceClass)
{
    const auto current = [&] { return form.Groups()[static_cast<std::size_t>(row)].DistanceClass; };
    for (int step = 0; step < ui::DistanceClassItems().size() && current() != distanceClass;
         ++step) {
        test::ClickCell(W(form).StringGrid2, row, ui::ClassColumn);
        QTest::keyClick(W(form).cbMaxKval, current() > distanceClass ? Qt::Key_Up : Qt::Key_Down);
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
    QCOMPARE(W(m_window->Form()).StringGrid2->rowCount(), 4);
}

void GroupListTest::cleanup() { m_window.reset(); }

void GroupListTest::Headers()
{
    QTableWidget *grid = W(m_window->Form()).StringGrid2;
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
    test::ClickCell(W(form).StringGrid2, row, col);
    auto *combo = form.findChild<QComboBox *>(editor);
    QVERIFY(combo);
    QVERIFY(combo->isVisible());
    QCOMPARE(QApplication::focusWidget(), combo);
    QCOMPARE(combo->currentText(), text);
    const QRect cell
        = W(form).StringGrid2->visualRect(W(form).StringGrid2->model()->index(row, col));
    QCOMPARE(combo->geometry(),
        QRect(W(form).StringGrid2->viewport()->mapTo(&form, cell.topLeft()), cell.size()));
}

void GroupListTest::HeadingColumnOpensNothing()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 1, ui::HeadingColumn);
    QVERIFY(!W(form).cbMaxKval->isVisible() && !W(form).ComboBox4->isVisible()
        && !W(form).ComboBox3->isVisible() && !W(form).ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).StringGrid2);
}

void GroupListTest::TextThatIsNoItemChangesNothing()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 0, ui::ClassColumn);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(W(form).cbMaxKval, "xyz");
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_Return);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_Tab);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::ClassColumn), Utf8("I р."));
    QCOMPARE(form.Groups()[0].DistanceClass, 2);
    QVERIFY(W(form).cbMaxKval->isVisible()); // the editor stays open
    QCOMPARE(W(form).cbMaxKval->currentText(), QString("xyz"));

    // Another cell's editor takes its place; still nothing changed.
    test::ClickCell(W(form).StringGrid2, 1, ui::CategoryColumn);
    QVERIFY(!W(form).cbMaxKval->isVisible());
    QVERIFY(W(form).ComboBox4->isVisible());
    QCOMPARE(form.Groups()[0].DistanceClass, 2);
}

void GroupListTest::TypedItemCommitsOnExit()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 1, ui::ClassColumn);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(W(form).cbMaxKval, Utf8("КМС"));
    QCOMPARE(form.Groups()[1].DistanceClass, 2); // typing alone commits nothing
    test::ClickCell(W(form).StringGrid2, 2, ui::HeadingColumn); // leaving does
    QCOMPARE(form.Groups()[1].DistanceClass, 1);
    QCOMPARE(test::CellText(W(form).StringGrid2, 1, ui::ClassColumn), Utf8("КМС"));
    QVERIFY(!W(form).cbMaxKval->isVisible());
}

void GroupListTest::EnterOnTypedItemCommits()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 2, ui::CategoryColumn);
    QTest::keyClick(W(form).ComboBox4, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(W(form).ComboBox4, Utf8("Не лічыць"));
    QTest::keyClick(W(form).ComboBox4, Qt::Key_Return);
    QCOMPARE(form.Groups()[2].Category, 3);
    QCOMPARE(test::CellText(W(form).StringGrid2, 2, ui::CategoryColumn), Utf8("Не лічыць"));
    QVERIFY(!W(form).ComboBox4->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).StringGrid2);
}

void GroupListTest::CategoryAndTable()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 0, ui::CategoryColumn);
    QTest::keyClick(W(form).ComboBox4, Qt::Key_Down);
    QCOMPARE(form.Groups()[0].Category, 1);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::CategoryColumn), Utf8("Юнацкія"));

    test::ClickCell(W(form).StringGrid2, 1, ui::TableColumn);
    QCOMPARE(W(form).ComboBox3->count(), 2);
    QCOMPARE(W(form).ComboBox3->itemText(1), Utf8("A: 25, 20, 18..."));
    QTest::keyClick(W(form).ComboBox3, Qt::Key_Down);
    QCOMPARE(form.Groups()[1].PointsTable, 1);
    QCOMPARE(test::CellText(W(form).StringGrid2, 1, ui::TableColumn), Utf8("A: 25, 20, 18..."));
}

void GroupListTest::ClassChangeRewritesMastersCell()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::MastersColumn), Utf8("0"));
    ChooseClass(form, 0, 1);
    QCOMPARE(form.Groups()[0].DistanceClass, 1);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::MastersColumn), Utf8("--"));
    test::ClickCell(W(form).StringGrid2, 0, ui::MastersColumn);
    QVERIFY(!W(form).ebMastersCount->isVisible());
}

void GroupListTest::MastersLettersStoreZero()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    test::ClickCell(W(form).StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "3");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Tab);
    QCOMPARE(form.Groups()[0].MastersCount, 3);

    test::ClickCell(W(form).StringGrid2, 0, ui::MastersColumn);
    QCOMPARE(W(form).ebMastersCount->text(), QString("3"));
    QCOMPARE(W(form).ebMastersCount->selectedText(), QString("3"));
    test::TypeText(W(form).ebMastersCount, Utf8("тры"));
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Tab);
    QCOMPARE(form.Groups()[0].MastersCount, 0);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::MastersColumn), QString("0"));
    QVERIFY(!W(form).ebMastersCount->isVisible());
}

void GroupListTest::MastersKeys()
{
    TForm1 &form = m_window->Form();
    for (int row : { 0, 1, 3 })
        ChooseClass(form, row, 0);

    // Enter commits, moves down and opens the next row's editor.
    test::ClickCell(W(form).StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "1");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Return);
    QCOMPARE(form.Groups()[0].MastersCount, 1);
    QCOMPARE(W(form).StringGrid2->currentRow(), 1);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).ebMastersCount);

    // Down likewise; row 2 (Ж16) is not of class МС: no editor.
    QTest::keyClicks(W(form).ebMastersCount, "2");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Down);
    QCOMPARE(form.Groups()[1].MastersCount, 2);
    QCOMPARE(W(form).StringGrid2->currentRow(), 2);
    QVERIFY(!W(form).ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).StringGrid2);

    // Down in the last row stays there and opens the editor again.
    test::ClickCell(W(form).StringGrid2, 3, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "4");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Down);
    QCOMPARE(form.Groups()[3].MastersCount, 4);
    QCOMPARE(W(form).StringGrid2->currentRow(), 3);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(W(form).ebMastersCount->text(), QString("4"));

    // Up from row 1 (second row) to the first; Up in the first stays.
    test::ClickCell(W(form).StringGrid2, 1, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "5");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Up);
    QCOMPARE(form.Groups()[1].MastersCount, 5);
    QCOMPARE(W(form).StringGrid2->currentRow(), 0);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(W(form).ebMastersCount->text(), QString("1"));
    QTest::keyClicks(W(form).ebMastersCount, "6");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Up);
    QCOMPARE(form.Groups()[0].MastersCount, 6);
    QCOMPARE(W(form).StringGrid2->currentRow(), 0);
    QVERIFY(W(form).ebMastersCount->isVisible());

    // Other keys do nothing special.
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Left);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(form.Groups()[0].MastersCount, 6);
}

void GroupListTest::MastersEscapeRestores()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    test::ClickCell(W(form).StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "7");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Tab);
    test::ClickCell(W(form).StringGrid2, 0, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "12");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Escape);
    QCOMPARE(W(form).ebMastersCount->text(), QString("7"));
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(form.Groups()[0].MastersCount, 7);
}

void GroupListTest::SettingsSurviveRereading()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QVERIFY(m_window->Informations.isEmpty());
    QCOMPARE(form.Groups()[0].DistanceClass, 0);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::ClassColumn), Utf8("МС"));
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::MastersColumn), Utf8("0"));
}

void GroupListTest::GridKeysReopenEditor()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 0, ui::CategoryColumn);
    QTest::keyClick(W(form).ComboBox4, Qt::Key_Down); // commits, the grid has the focus
    QVERIFY(!W(form).ComboBox4->isVisible());
    QTest::keyClick(W(form).StringGrid2, Qt::Key_F2);
    QVERIFY(W(form).ComboBox4->isVisible());
    QTest::keyClick(W(form).ComboBox4, Qt::Key_Up);
    QCOMPARE(form.Groups()[0].Category, 0);
    // Moving the current cell with the keyboard opens the editor there.
    QTest::keyClick(W(form).StringGrid2, Qt::Key_Left);
    QVERIFY(W(form).cbMaxKval->isVisible());
    QCOMPARE(W(form).StringGrid2->currentColumn(), int(ui::ClassColumn));
}

void GroupListTest::TableBeyondCaptionsFailsRefill()
{
    // Two tables of one place; the group takes table "B", which the user then empties.
    m_window = std::make_unique<test::Window>(
        "[Ochki]\r\nTablesCount=2\r\nPlacesCount=1\r\n1=25;20;\r\n");
    TForm1 &form = m_window->Form();
    QVERIFY(m_window->ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    test::ClickCell(W(form).StringGrid2, 0, ui::TableColumn);
    QTest::keyClick(W(form).ComboBox3, Qt::Key_Down); // each arrow commits: open it again
    test::ClickCell(W(form).StringGrid2, 0, ui::TableColumn);
    QTest::keyClick(W(form).ComboBox3, Qt::Key_Down);
    QCOMPARE(form.Groups()[0].PointsTable, 2);

    test::ClickCell(W(form).StringGrid1, 0, 1);
    QTest::keyClick(W(form).StringGrid1, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    test::ClickCell(W(form).StringGrid1, 0, 0); // compaction: "B" goes
    QCOMPARE(form.PointsTables().Grid.TablesCount(), 1);
    // Compaction leaves the captions; the next edit rebuilds them without "B".
    QTest::keyClicks(W(form).StringGrid1, "30");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(form.PointsTables().TableCaptions.size(), std::size_t(2));

    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QCOMPARE(m_window->Informations, QStringList { ui::text::LoadFailed });
    QCOMPARE(QApplication::focusWidget(), W(form).Button1);
}

QTEST_MAIN(GroupListTest)
#include "tst_group_list.moc"
