// The group list's editors: laid over the selected cell, committing only an item (or, for the
// masters count, any text as a number), and the masters editor's keys.
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include "ui/messages.h"
#include "ui/group_list.h"
#include "ui/points_grid_view.h"
#include "ui/points_table_model.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;

namespace {

std::string SampleSettings() { return test::ReadBytes(test::ExamplesDir() / "sample.INI"); }

QString SampleProtocol() { return test::PathText(test::ExamplesDir() / "sample_protocol.htm"); }

// Picks a row's class in its open list.
void ChooseClass(TForm1 &form, int row, int distanceClass)
{
    test::ClickCell(W(form).StringGrid2, row, ui::ClassColumn);
    test::StepChoice(W(form).cbMaxKval, distanceClass - W(form).cbMaxKval->currentIndex());
}

// The four settings of every group.
QList<QList<int>> Settings(const TForm1 &form)
{
    QList<QList<int>> settings;
    for (const engine::GroupSettings &group : form.Groups())
        settings.append(
            { static_cast<int>(group.DistanceClass), static_cast<int>(group.Category),
                group.MastersCount, group.PointsTable });
    return settings;
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
    void LeavingTakesTheTypedItem_data();
    void LeavingTakesTheTypedItem();
    void ArrowsAtTheTextsEndMoveToTheNextColumn();
    void TypedItemCommitsOnExit();
    void EnterOnTypedItemCommits();
    void CategoryAndTable();
    void ClassChangeRewritesMastersCell();
    void MastersLettersStoreZero();
    void MastersKeys();
    void KeysChangeNothing_data();
    void KeysChangeNothing();
    void SettingsSurviveRereading();
    void GridKeysReopenEditor();
    void CaptionsFollowTables_data();
    void CaptionsFollowTables();
    void TablesOfOtherLayoutsAreToldAndShown();

private:
    std::unique_ptr<test::Window> m_window;
};

void GroupListTest::init()
{
    m_window = std::make_unique<test::Window>(SampleSettings());
    QVERIFY(m_window->ShowAndActivate());
    m_window->Form().OpenProtocol(SampleProtocol());
    QVERIFY(m_window->Informations.isEmpty());
    QCOMPARE(W(m_window->Form()).StringGrid2->model()->rowCount(), 4);
}

void GroupListTest::cleanup() { m_window.reset(); }

void GroupListTest::Headers()
{
    QTableView *grid = W(m_window->Form()).StringGrid2;
    for (int col = 0; col < ui::GroupColumnCount; ++col)
        QCOMPARE(
            grid->model()->headerData(col, Qt::Horizontal).toString(), ui::GroupListHeaders()[col]);
    QCOMPARE(grid->columnWidth(4), 102);
    // The class and category editors show their longest items whole.
    for (const auto &[col, editor] : { std::pair { int(ui::ClassColumn), W(m_window->Form()).cbMaxKval },
             std::pair { int(ui::CategoryColumn), W(m_window->Form()).ComboBox4 } }) {
        QVERIFY(grid->columnWidth(col) >= editor->minimumSizeHint().width());
        for (int i = 0; i < editor->count(); ++i)
            QVERIFY2(grid->columnWidth(col) > grid->fontMetrics().horizontalAdvance(editor->itemText(i)) + 16,
                qPrintable(editor->itemText(i)));
    }
    // The heading column is as wide as the longest heading, each heading also its tooltip with
    // its table's layout; no other cell has one.
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
        const QModelIndex heading = grid->model()->index(row, ui::HeadingColumn);
        QVERIFY(grid->columnWidth(0)
            > grid->fontMetrics().horizontalAdvance(heading.data().toString()));
        QCOMPARE(heading.data(Qt::ToolTipRole).toString(),
            heading.data().toString() + QStringLiteral("\n") + ui::text::TableLayoutTip()
                + QStringLiteral("standard"));
        QVERIFY(!grid->model()->index(row, ui::ClassColumn).data(Qt::ToolTipRole).isValid());
    }
    QVERIFY(grid->columnWidth(0) > 82);
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
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::ClassColumn), Utf8("I р."));
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::First);
    QVERIFY(W(form).cbMaxKval->isVisible()); // the editor stays open, with the group's item
    QCOMPARE(W(form).cbMaxKval->currentText(), Utf8("I р."));

    // Another cell's editor takes its place; still nothing changed.
    test::ClickCell(W(form).StringGrid2, 1, ui::CategoryColumn);
    QVERIFY(!W(form).cbMaxKval->isVisible());
    QVERIFY(W(form).ComboBox4->isVisible());
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::First);
}

void GroupListTest::LeavingTakesTheTypedItem_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("way"); // a key, or 0: a click on another row's heading
    QTest::addColumn<bool>("taken");
    const std::pair<const char *, int> ways[] = { { "Down", Qt::Key_Down }, { "Up", Qt::Key_Up },
        { "PageDown", Qt::Key_PageDown }, { "Right", Qt::Key_Right }, { "Tab", Qt::Key_Tab },
        { "Enter", Qt::Key_Return }, { "click", 0 } };
    for (const auto &[name, way] : ways) {
        QTest::addRow("item, %s", name) << Utf8("II р.") << way << true;
        QTest::addRow("no item, %s", name) << QString("xyz") << way << false;
    }
    QTest::newRow("item in other case, Down") << Utf8(" ii Р. ") << int(Qt::Key_Down) << true;
}

void GroupListTest::LeavingTakesTheTypedItem()
{
    QFETCH(QString, typed);
    QFETCH(int, way);
    QFETCH(bool, taken);
    TForm1 &form = m_window->Form();
    auto *hint = form.findChild<QLabel *>("GroupEditorHint");
    QVERIFY(hint);
    test::ClickCell(W(form).StringGrid2, 1, ui::ClassColumn);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(W(form).cbMaxKval, typed);
    if (way == 0)
        test::ClickCell(W(form).StringGrid2, 3, ui::HeadingColumn);
    else
        QTest::keyClick(W(form).cbMaxKval, Qt::Key(way));

    const QString kept = taken ? Utf8("II р.") : Utf8("I р.");
    QCOMPARE(form.Groups()[1].DistanceClass,
        taken ? engine::DistanceClass::Second : engine::DistanceClass::First);
    QCOMPARE(test::CellText(W(form).StringGrid2, 1, ui::ClassColumn), kept);
    QCOMPARE(hint->isVisible(), !taken);
    if (taken)
        return;
    QCOMPARE(hint->text(), ui::text::ListItemRefused().arg(typed, kept));
    // A key keeps the editor where it was, showing the group's item; Tab and a click leave it.
    const bool stays = way != 0 && way != Qt::Key_Tab;
    QCOMPARE(W(form).cbMaxKval->isVisible(), stays);
    if (stays) {
        QCOMPARE(W(form).cbMaxKval->currentText(), kept);
        QCOMPARE(W(form).StringGrid2->currentIndex().row(), 1);
    }
}

void GroupListTest::ArrowsAtTheTextsEndMoveToTheNextColumn()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    test::ClickCell(W(form).StringGrid2, 0, ui::ClassColumn);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(W(form).cbMaxKval, Utf8("КМС"));
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_Left); // within the text: the caret moves
    QVERIFY(W(form).cbMaxKval->isVisible());
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_End);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_Right);
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::Kms);
    QVERIFY(!W(form).cbMaxKval->isVisible());
    QVERIFY(W(form).ComboBox4->isVisible());
    QCOMPARE(W(form).StringGrid2->currentIndex().column(), int(ui::CategoryColumn));

    QTest::keyClick(W(form).ComboBox4, Qt::Key_Home);
    QTest::keyClick(W(form).ComboBox4, Qt::Key_Left);
    QVERIFY(W(form).cbMaxKval->isVisible());
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_Home);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_Left); // the heading has no editor
    QCOMPARE(W(form).StringGrid2->currentIndex().column(), int(ui::HeadingColumn));
    QCOMPARE(QApplication::focusWidget(), W(form).StringGrid2);

    // The masters count opens selected: the first Right only ends the selection.
    ChooseClass(form, 1, 0);
    test::ClickCell(W(form).StringGrid2, 1, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "7");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Right);
    QCOMPARE(form.Groups()[1].MastersCount, 7);
    QVERIFY(W(form).ComboBox3->isVisible());
}

void GroupListTest::TypedItemCommitsOnExit()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 1, ui::ClassColumn);
    QTest::keyClick(W(form).cbMaxKval, Qt::Key_A, Qt::ControlModifier);
    test::TypeText(W(form).cbMaxKval, Utf8("КМС"));
    QCOMPARE(form.Groups()[1].DistanceClass, engine::DistanceClass::First); // typing alone commits nothing
    test::ClickCell(W(form).StringGrid2, 2, ui::HeadingColumn); // leaving does
    QCOMPARE(form.Groups()[1].DistanceClass, engine::DistanceClass::Kms);
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
    QCOMPARE(form.Groups()[2].Category, engine::Category::NotCounted);
    QCOMPARE(test::CellText(W(form).StringGrid2, 2, ui::CategoryColumn), Utf8("Не лічыць"));
    QVERIFY(!W(form).ComboBox4->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).StringGrid2);
}

void GroupListTest::CategoryAndTable()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 0, ui::CategoryColumn);
    test::StepChoice(W(form).ComboBox4, 1);
    QCOMPARE(form.Groups()[0].Category, engine::Category::Juniors);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::CategoryColumn), Utf8("Юнацкія"));

    test::ClickCell(W(form).StringGrid2, 1, ui::TableColumn);
    QCOMPARE(W(form).ComboBox3->count(), 2);
    QCOMPARE(W(form).ComboBox3->itemText(1), Utf8("A: 25, 20, 18..."));
    test::StepChoice(W(form).ComboBox3, 1);
    QCOMPARE(form.Groups()[1].PointsTable, 1);
    QCOMPARE(test::CellText(W(form).StringGrid2, 1, ui::TableColumn), Utf8("A: 25, 20, 18..."));
}

void GroupListTest::ClassChangeRewritesMastersCell()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::MastersColumn), Utf8("0"));
    ChooseClass(form, 0, 1);
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::Kms);
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
    QCOMPARE(W(form).StringGrid2->currentIndex().row(), 1);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).ebMastersCount);

    // Down likewise; row 2 (Ж16) is not of class МС: no editor.
    QTest::keyClicks(W(form).ebMastersCount, "2");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Down);
    QCOMPARE(form.Groups()[1].MastersCount, 2);
    QCOMPARE(W(form).StringGrid2->currentIndex().row(), 2);
    QVERIFY(!W(form).ebMastersCount->isVisible());
    QCOMPARE(QApplication::focusWidget(), W(form).StringGrid2);

    // Down in the last row stays there and opens the editor again.
    test::ClickCell(W(form).StringGrid2, 3, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "4");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Down);
    QCOMPARE(form.Groups()[3].MastersCount, 4);
    QCOMPARE(W(form).StringGrid2->currentIndex().row(), 3);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(W(form).ebMastersCount->text(), QString("4"));

    // Up from row 1 (second row) to the first; Up in the first stays.
    test::ClickCell(W(form).StringGrid2, 1, ui::MastersColumn);
    QTest::keyClicks(W(form).ebMastersCount, "5");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Up);
    QCOMPARE(form.Groups()[1].MastersCount, 5);
    QCOMPARE(W(form).StringGrid2->currentIndex().row(), 0);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(W(form).ebMastersCount->text(), QString("1"));
    QTest::keyClicks(W(form).ebMastersCount, "6");
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Up);
    QCOMPARE(form.Groups()[0].MastersCount, 6);
    QCOMPARE(W(form).StringGrid2->currentIndex().row(), 0);
    QVERIFY(W(form).ebMastersCount->isVisible());

    // Other keys do nothing special.
    QTest::keyClick(W(form).ebMastersCount, Qt::Key_Left);
    QVERIFY(W(form).ebMastersCount->isVisible());
    QCOMPARE(form.Groups()[0].MastersCount, 6);
}

void GroupListTest::KeysChangeNothing_data()
{
    QTest::addColumn<int>("col");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("typed");
    const QList<int> tabThenDowns { Qt::Key_Tab, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down };
    const QList<int> downsThenUps { Qt::Key_Down, Qt::Key_Down, Qt::Key_Up, Qt::Key_Down };
    const QList<int> pages { Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_PageDown };
    const QList<int> escape { Qt::Key_Escape };
    QTest::newRow("table: Tab, arrows") << int(ui::TableColumn) << tabThenDowns << QString();
    QTest::newRow("class: arrows") << int(ui::ClassColumn) << downsThenUps << QString();
    QTest::newRow("category: pages") << int(ui::CategoryColumn) << pages << QString();
    QTest::newRow("table: wheel") << int(ui::TableColumn) << QList<int> { 0 } << QString();
    QTest::newRow("class: typed, Escape") << int(ui::ClassColumn) << escape << Utf8("МС");
    QTest::newRow("category: typed, Escape")
        << int(ui::CategoryColumn) << escape << Utf8("Юнацкія");
    QTest::newRow("table: typed, Escape")
        << int(ui::TableColumn) << escape << Utf8("A: 25, 20, 18...");
    QTest::newRow("masters: typed, Escape") << int(ui::MastersColumn) << escape << "12";
}

void GroupListTest::KeysChangeNothing()
{
    QFETCH(int, col);
    QFETCH(QList<int>, keys);
    QFETCH(QString, typed);
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0); // so that the masters count has an editor
    const QList<QList<int>> before = Settings(form);
    QStringList cells;
    for (int row = 0; row < W(form).StringGrid2->model()->rowCount(); ++row)
        for (int c = 0; c < ui::GroupColumnCount; ++c)
            cells.append(test::CellText(W(form).StringGrid2, row, c));

    test::ClickCell(W(form).StringGrid2, 0, col);
    QWidget *editor = QApplication::focusWidget();
    if (!typed.isEmpty()) {
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        test::TypeText(editor, typed);
    }
    for (const int key : keys) {
        QWidget *target = QApplication::focusWidget();
        if (key == 0) {
            QWheelEvent wheel(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), {},
                QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
        } else {
            QTest::keyClick(target, Qt::Key(key));
        }
    }

    QCOMPARE(Settings(form), before);
    for (int row = 0, i = 0; row < W(form).StringGrid2->model()->rowCount(); ++row)
        for (int c = 0; c < ui::GroupColumnCount; ++c, ++i)
            QCOMPARE(test::CellText(W(form).StringGrid2, row, c), cells[i]);
    if (keys == QList<int> { Qt::Key_Escape }) {
        QVERIFY(!editor->isVisible());
        QCOMPARE(QApplication::focusWidget(), W(form).StringGrid2);
    }
}

void GroupListTest::SettingsSurviveRereading()
{
    TForm1 &form = m_window->Form();
    ChooseClass(form, 0, 0);
    QTest::mouseClick(W(form).Button3, Qt::LeftButton);
    QVERIFY(m_window->Informations.isEmpty());
    QCOMPARE(form.Groups()[0].DistanceClass, engine::DistanceClass::Ms);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::ClassColumn), Utf8("МС"));
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::MastersColumn), Utf8("0"));
}

void GroupListTest::GridKeysReopenEditor()
{
    TForm1 &form = m_window->Form();
    test::ClickCell(W(form).StringGrid2, 0, ui::CategoryColumn);
    test::StepChoice(W(form).ComboBox4, 1); // commits, the grid has the focus
    QVERIFY(!W(form).ComboBox4->isVisible());
    QTest::keyClick(W(form).StringGrid2, Qt::Key_F2);
    QVERIFY(W(form).ComboBox4->isVisible());
    test::StepChoice(W(form).ComboBox4, -1);
    QCOMPARE(form.Groups()[0].Category, engine::Category::Adults);
    // Moving the current cell with the keyboard opens the editor there.
    QTest::keyClick(W(form).StringGrid2, Qt::Key_Left);
    QVERIFY(W(form).cbMaxKval->isVisible());
    QCOMPARE(W(form).StringGrid2->currentIndex().column(), int(ui::ClassColumn));
}

void GroupListTest::CaptionsFollowTables_data()
{
    QTest::addColumn<int>("col"); // the table whose first place is retyped
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("table"); // the first group's table afterwards
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("edited") << 2 << "26" << 2 << Utf8("B: 26...") << QStringList();
    QTest::newRow("renumbered") << 1 << "" << 1 << Utf8("A: 20...") << QStringList();
    QTest::newRow("removed") << 2 << "" << 0 << Utf8("Без ачкоў")
                             << QStringList { ui::text::TablesRemoved().arg(Utf8("М21")) };
}

void GroupListTest::CaptionsFollowTables()
{
    QFETCH(int, col);
    QFETCH(QString, text);
    QFETCH(int, table);
    QFETCH(QString, caption);
    QFETCH(QStringList, told);
    // Two tables of one place; the first group takes table "B".
    m_window = std::make_unique<test::Window>(
        "[Ochki]\r\nTablesCount=2\r\nPlacesCount=1\r\n1=25;20;\r\n");
    TForm1 &form = m_window->Form();
    QVERIFY(m_window->ShowAndActivate());
    form.OpenProtocol(SampleProtocol());
    test::ClickCell(W(form).StringGrid2, 0, ui::TableColumn);
    test::StepChoice(W(form).ComboBox3, 2);
    QCOMPARE(form.Groups()[0].PointsTable, 2);

    test::ClickCell(W(form).StringGrid1, 0, col - 1);
    QTest::keyClick(W(form).StringGrid1, Qt::Key_F2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), text.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    test::ClickCell(W(form).StringGrid2, 1, ui::HeadingColumn); // leaving the grid compacts it

    QCOMPARE(form.Groups()[0].PointsTable, table);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::TableColumn), caption);
    QCOMPARE(m_window->Informations, told);
    // The editor offers the tables as they are now.
    const std::vector<std::string> &captions = form.PointsTables().TableCaptions;
    QCOMPARE(W(form).ComboBox3->count(), int(captions.size()));
    for (int i = 0; i < W(form).ComboBox3->count(); ++i)
        QCOMPARE(W(form).ComboBox3->itemText(i), ui::FromCp1251(captions[std::size_t(i)]));
    QCOMPARE(W(form).ComboBox3->itemText(table), caption);
}

void GroupListTest::TablesOfOtherLayoutsAreToldAndShown()
{
    m_window = std::make_unique<test::Window>();
    TForm1 &form = m_window->Form();
    QVERIFY(m_window->ShowAndActivate());
    form.OpenProtocol(test::PathText(test::ExamplesDir() / "layouts_protocol.htm"));
    QCOMPARE(form.Groups().size(), std::size_t(7));
    // One message names the relay and the handicap start, which start uncounted.
    QCOMPARE(m_window->Informations.size(), 1);
    const QString told = m_window->Informations.value(0);
    QVERIFY2(told.contains(ui::text::RelayTables() + QStringLiteral("Эстафета МЖ"))
            && told.contains(ui::text::HandicapTables() + QStringLiteral("МЖ")),
        qPrintable(told));
    QCOMPARE(form.Groups()[4].Category, engine::Category::NotCounted);
    QCOMPARE(test::CellText(W(form).StringGrid2, 0, ui::HeadingColumn), QStringLiteral("М21, 12 КП, 6.3 км"));
    const QAbstractItemModel *model = W(form).StringGrid2->model();
    QCOMPARE(model->data(model->index(1, ui::HeadingColumn), Qt::ToolTipRole).toString(),
        QStringLiteral("Ж21, 8 КП, 4.1 км\n") + ui::text::TableLayoutTip() + QStringLiteral("gap"));
}

QTEST_MAIN(GroupListTest)
#include "tst_group_list.moc"
