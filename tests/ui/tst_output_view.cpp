// The output view and its line store: editing as in a text view, untouched lines saved byte for
// byte, edited lines converted, characters Windows-1251 lacks found, memory reused by a new
// fill, and input during the window's work not applied afterwards.
#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "engine/cp1251.h"
#include "engine/save.h"
#include "ui/busy_scope.h"
#include "ui/output_view.h"
#include "ui/text_codec.h"
#include "ui_test_support.h"

using engine::operator""_w1251;
using Lines = std::vector<engine::ProtocolLine>;

namespace {

// Lines a general codec may not give back as they were: a no-break space, 0x98, a tab.
const Lines Stored { "<p>a\xA0"
                     "b\t</p>",
    "x\x98 yz", std::string("М21 Іван"_w1251), "" };

void Fill(ui::OutputView &view, const Lines &lines)
{
    view.Clear();
    for (const engine::ProtocolLine &line : lines)
        view.AppendLine(line);
    view.FinishFill();
}

QStringList Decoded(const Lines &lines)
{
    QStringList text;
    for (const engine::ProtocolLine &line : lines)
        text.append(ui::DecodeCp1251(line));
    return text;
}

// Shown and focused, so that keys and the caret behave as for the user.
struct ShownView
{
    ShownView()
    {
        view.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        view.resize(400, 200);
        view.show();
        view.activateWindow();
        view.setFocus();
    }
    ui::OutputView view;
};

} // namespace

class OutputViewTest : public QObject
{
    Q_OBJECT

private slots:
    void Editing_data();
    void Editing();
    void MouseSelection();
    void ContextMenu();
    void TabLeavesTheView();
    void VeryLongLine();
    void SavesUntouchedBytesAndConvertsEdits();
    void FirstUnencodable_data();
    void FirstUnencodable();
    void InputMethodIntoEmptyOutput();
    void RefillReusesMemory();
    void InputDuringWorkIsDropped_data();
    void InputDuringWorkIsDropped();
    void WaitCursorWhileShowing();
    void MessageBoxEndsTheWaitCursor();
};

void OutputViewTest::Editing_data()
{
    QTest::addColumn<QPoint>("caret"); // column, line
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QKeySequence>("keys"); // after the typing
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("edited");

    const QStringList s = Decoded(Stored);
    const QString a = s[0], b = s[1], c = s[2];
    QTest::newRow("typing Cyrillic")
        << QPoint(2, 1) << test::Utf8("ўЖ") << QKeySequence()
        << QStringList { a, b.left(2) + test::Utf8("ўЖ") + b.mid(2), c, "" } << QList<int> { 1 };
    QTest::newRow("Enter splits into untouched halves")
        << QPoint(2, 1) << QString() << QKeySequence("Return")
        << QStringList { a, b.left(2), b.mid(2), c, "" } << QList<int> {};
    QTest::newRow("Enter then Backspace gives the line back")
        << QPoint(2, 1) << QString() << QKeySequence("Return, Backspace") << s << QList<int> {};
    QTest::newRow("Backspace at a line's start joins")
        << QPoint(0, 2) << QString() << QKeySequence("Backspace") << QStringList { a, b + c, "" }
        << QList<int> {};
    QTest::newRow("Delete at a line's end joins")
        << QPoint(int(a.size()), 0) << QString() << QKeySequence("Del")
        << QStringList { a + b, c, "" } << QList<int> {};
    QTest::newRow("Backspace inside a line")
        << QPoint(2, 2) << QString() << QKeySequence("Backspace")
        << QStringList { a, b, c.left(1) + c.mid(2), "" } << QList<int> { 2 };
    QTest::newRow("multi-line paste")
        << QPoint(1, 1) << QString() << QKeySequence("Ctrl+V")
        << QStringList { a, b.left(1) + "x", test::Utf8("ў"), "y" + b.mid(1), c, "" }
        << QList<int> { 1, 2, 3 };
    QTest::newRow("Shift-selection across lines deleted")
        << QPoint(1, 0) << QString() << QKeySequence("Shift+Down, Shift+Right, Del")
        << QStringList { a.left(1) + b.mid(2), c, "" } << QList<int> { 0 };
    QTest::newRow("select all, then type") << QPoint(0, 0) << QString() << QKeySequence("Ctrl+A, Z")
                                           << QStringList { "z" } << QList<int> { 0 };
    QTest::newRow("Ctrl+End, Home, type")
        << QPoint(0, 0) << QString() << QKeySequence("Ctrl+End, Up, Home, Q")
        << QStringList { a, b, "q" + c, "" } << QList<int> { 2 };
    QTest::newRow("End, Left, Down keeps the column")
        << QPoint(0, 0) << QString() << QKeySequence("End, Left, Down, Q")
        << QStringList { a, b + "q", c, "" } << QList<int> { 1 };
    QTest::newRow("Page Down, Ctrl+Home, type")
        << QPoint(0, 1) << QString() << QKeySequence("PgDown, Ctrl+Home, Q")
        << QStringList { "q" + a, b, c, "" } << QList<int> { 0 };
    QTest::newRow("Ctrl+Z takes back typing, the line untouched again; redo")
        << QPoint(1, 2) << test::Utf8("ab") << QKeySequence("Ctrl+Z") << s << QList<int> {};
    QTest::newRow("select all, delete, Ctrl+Z gives every line back untouched")
        << QPoint(0, 0) << QString() << QKeySequence("Ctrl+A, Del, Ctrl+Z") << s << QList<int> {};
    QTest::newRow("cut and paste back elsewhere")
        << QPoint(0, 1) << QString() << QKeySequence("Shift+Down, Ctrl+X, Down, Ctrl+V")
        << QStringList { a, c, b, "" } << QList<int> { 2 };
}

void OutputViewTest::Editing()
{
    QFETCH(QPoint, caret);
    QFETCH(QString, typed);
    QFETCH(QKeySequence, keys);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, edited);

    QGuiApplication::clipboard()->setText(test::Utf8("x\r\nў\ny"));
    ShownView shown;
    ui::OutputView &view = shown.view;
    Fill(view, Stored);
    view.SetCursorPosition({ caret.y(), caret.x() });
    test::TypeText(&view, typed);
    for (int i = 0; i < keys.count(); ++i)
        QTest::keyClick(&view, keys[i].key(), keys[i].keyboardModifiers());

    QCOMPARE(view.toPlainText(), expected.join('\n'));
    QList<int> editedNow;
    for (int line = 0; line < view.Store().LineCount(); ++line) {
        if (view.Store().IsEdited(line))
            editedNow.append(line);
    }
    QCOMPARE(editedNow, edited);
    Lines bytes;
    for (const QString &line : expected)
        bytes.push_back(ui::ToCp1251(line));
    QVERIFY(view.Store().Lines() == bytes);

    if (keys == QKeySequence("Ctrl+Z")) {
        QTest::keySequence(&view, QKeySequence::Redo);
        QCOMPARE(view.Store().Text(caret.y()), expected[caret.y()].insert(caret.x(), typed));
    }
}

void OutputViewTest::MouseSelection()
{
    ShownView shown;
    ui::OutputView &view = shown.view;
    Fill(view, Stored);
    const QFontMetrics metrics(view.font());
    const auto pointOf = [&](int line, int column) {
        return QPoint(3 + metrics.horizontalAdvance(view.Store().Text(line).left(column)),
            line * metrics.lineSpacing() + metrics.lineSpacing() / 2);
    };
    QWidget *area = view.viewport();
    QTest::mousePress(area, Qt::LeftButton, {}, pointOf(0, 2));
    QMouseEvent drag(QEvent::MouseMove, pointOf(2, 1), area->mapToGlobal(pointOf(2, 1)),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drag);
    QTest::mouseRelease(area, Qt::LeftButton, {}, pointOf(2, 1));
    QCOMPARE(view.SelectedText(), view.Store().TextBetween({ 0, 2 }, { 2, 1 }));

    QTest::mouseClick(area, Qt::LeftButton, Qt::ShiftModifier, pointOf(1, 1));
    QCOMPARE(view.SelectedText(), view.Store().TextBetween({ 0, 2 }, { 1, 1 }));
    QTest::mouseClick(area, Qt::LeftButton, {}, pointOf(1, 1));
    QVERIFY(view.SelectedText().isEmpty());
    QCOMPARE(view.CursorPosition(), (ui::TextPosition { 1, 1 }));
}

void OutputViewTest::ContextMenu()
{
    ShownView shown;
    ui::OutputView &view = shown.view;
    Fill(view, Stored);
    QGuiApplication::clipboard()->setText(test::Utf8("ўж"));
    const auto act = [&view](const char *caption) {
        std::unique_ptr<QMenu> menu(view.CreateContextMenu());
        for (QAction *action : menu->actions()) {
            if (action->text() == test::Utf8(caption)) {
                QVERIFY(action->isEnabled());
                action->trigger();
                return;
            }
        }
        QFAIL(caption);
    };
    view.SetCursorPosition({ 1, 0 });
    act("Уставіць");
    QCOMPARE(view.Store().Text(1), test::Utf8("ўж") + Decoded(Stored)[1]);
    act("Адмяніць");
    QCOMPARE(view.toPlainText(), Decoded(Stored).join('\n'));
    act("Вылучыць усё");
    act("Выразаць");
    QCOMPARE(view.toPlainText(), QString());
    QCOMPARE(QGuiApplication::clipboard()->text(), Decoded(Stored).join('\n'));
}

void OutputViewTest::TabLeavesTheView()
{
    QWidget window;
    auto *view = new ui::OutputView(&window);
    auto *next = new QLineEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    view->setPlainText(QStringLiteral("text"));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), next);
    QCOMPARE(view->toPlainText(), QStringLiteral("text"));
}

void OutputViewTest::VeryLongLine()
{
    // A file without line ends is one line; the view paints only the part in sight.
    std::string longLine(200000, 'x');
    longLine[199998] = '\xC0';
    ShownView shown;
    ui::OutputView &view = shown.view;
    Fill(view, { longLine, "short" });
    QCOMPARE(view.Store().Text(0, 199997, 10), test::Utf8("xАx"));
    QTest::keyClick(&view, Qt::Key_End);
    QVERIFY(view.horizontalScrollBar()->value() > 0);
    test::TypeText(&view, test::Utf8("ў"));
    view.repaint();
    QCOMPARE(view.Store().Text(0, 199997, 10), test::Utf8("xАxў"));
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(view.CursorPosition(), (ui::TextPosition { 1, 5 }));
    QCOMPARE(view.Store().Lines()[0], longLine + std::string("ў"_w1251));
}

void OutputViewTest::SavesUntouchedBytesAndConvertsEdits()
{
    // Every byte value in untouched lines, around an edited line.
    Lines lines { "", "", "" };
    for (int byte = 1; byte < 256; ++byte)
        lines[byte % 2 == 0 ? 0 : 2].push_back(static_cast<char>(byte == '\n' ? ' ' : byte));
    ShownView shown;
    Fill(shown.view, lines);
    shown.view.SetCursorPosition({ 1, 0 });
    test::TypeText(&shown.view, test::Utf8("Ж21 ўсё €"));
    lines[1] = std::string("Ж21 ўсё €"_w1251);
    QVERIFY(shown.view.Store().Lines() == lines);

    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath("out.htm").toStdString();
    QVERIFY(shown.view.Store().Save(path).Ok());
    QCOMPARE(test::ReadBytes(path), engine::ProtocolBytes(lines));
}

void OutputViewTest::FirstUnencodable_data()
{
    QTest::addColumn<QString>("typed"); // into the second line
    QTest::addColumn<int>("column"); // 0: none
    QTest::addColumn<QString>("character");
    QTest::newRow("Cyrillic and Belarusian letters") << test::Utf8("Ўўё №€") << 0 << QString();
    QTest::newRow("Polish ł") << test::Utf8("Šimkus ł") << 1 << test::Utf8("Š");
    QTest::newRow("a Chinese sign") << test::Utf8("ab中") << 3 << test::Utf8("中");
    QTest::newRow("outside the BMP") << test::Utf8("a😀") << 2 << test::Utf8("😀");
}

void OutputViewTest::FirstUnencodable()
{
    QFETCH(QString, typed);
    QFETCH(int, column);
    QFETCH(QString, character);
    ui::OutputStore store;
    store.AppendLine("\x98 x"); // untouched lines are bytes: nothing to report
    store.AppendLine("");
    store.Insert({ 1, 0 }, typed);
    const std::optional<ui::UnencodableChar> found = store.FirstUnencodable();
    QCOMPARE(found.has_value(), column > 0);
    if (found) {
        QCOMPARE(found->Line, 2);
        QCOMPARE(found->Column, column);
        QCOMPARE(found->Character, character);
    }
}

void OutputViewTest::InputMethodIntoEmptyOutput()
{
    // An empty output saves nothing; a sign composed by an input method starts its first line
    // and is one Windows-1251 lacks.
    ShownView shown;
    Fill(shown.view, {});
    QVERIFY(shown.view.Store().Lines().empty());
    QInputMethodEvent compose;
    compose.setCommitString(test::Utf8("a中😀"));
    QApplication::sendEvent(&shown.view, &compose);
    QCOMPARE(shown.view.toPlainText(), test::Utf8("a中😀"));
    QTest::keyClick(&shown.view, Qt::Key_Backspace); // the pair goes whole
    QCOMPARE(shown.view.toPlainText(), test::Utf8("a中"));
    QCOMPARE(shown.view.CursorPosition(), (ui::TextPosition { 0, 2 }));
    const std::optional<ui::UnencodableChar> found = shown.view.Store().FirstUnencodable();
    QVERIFY(found && found->Line == 1 && found->Column == 2);
}

void OutputViewTest::RefillReusesMemory()
{
    Lines lines(20000, std::string(90, 'x'));
    ui::OutputView view;
    Fill(view, lines);
    const std::size_t first = view.Store().MemoryBytes();
    for (int round = 0; round < 3; ++round) {
        for (int line = 0; line < 1000; ++line)
            view.InsertText(QStringLiteral("edit\n"));
        Fill(view, lines);
        QCOMPARE(view.Store().MemoryBytes(), first);
    }
    // One buffer and a small span per line, not an object per line.
    QVERIFY(first < lines.size() * (90 + 16) * 2);
}

void OutputViewTest::InputDuringWorkIsDropped_data()
{
    QTest::addColumn<int>("step"); // 0: none, 1: read, 3: recalculate
    QTest::addColumn<bool>("saved");
    QTest::newRow("idle: the click saves") << 0 << true;
    QTest::newRow("during the read: dropped") << 1 << false;
    QTest::newRow("during the recalculation: dropped") << 3 << false;
}

void OutputViewTest::InputDuringWorkIsDropped()
{
    QFETCH(int, step);
    QFETCH(bool, saved);
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    form.OpenProtocol(test::PathText(test::ExamplesDir() / "sample_protocol.htm"));
    form.Button1Click(); // results to save
    const std::filesystem::path out = window.TempPath("out.htm");
    test::W(form).LabeledEdit2->setText(test::PathText(out));

    // A click on "5. Захаваць" waiting in the queue while the window works.
    const QPoint center = test::W(form).Button5->rect().center();
    for (const QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease }) {
        QCoreApplication::postEvent(test::W(form).Button5,
            new QMouseEvent(type, center, test::W(form).Button5->mapToGlobal(center),
                Qt::LeftButton, type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                Qt::NoModifier));
    }
    if (step == 1)
        form.Button3Click();
    else if (step == 3)
        form.Button1Click();
    QCoreApplication::processEvents();
    QCOMPARE(std::filesystem::exists(out), saved);
    QVERIFY(!QApplication::overrideCursor());
}

void OutputViewTest::WaitCursorWhileShowing()
{
    // The group list fills during the read and the output view paints its first screen during
    // the recalculation: both while the wait cursor shows.
    test::Window window;
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QList<int> shapes; // the override cursor's shape at each, -1 for none
    const auto note = [&] {
        const QCursor *cursor = QApplication::overrideCursor();
        shapes.append(cursor ? cursor->shape() : -1);
    };
    connect(test::W(form).StringGrid2->model(), &QAbstractItemModel::rowsInserted, this, note);
    const auto allWaiting
        = [&] { return !shapes.isEmpty() && shapes.count(Qt::WaitCursor) == shapes.size(); };
    struct PaintWatch : QObject
    {
        std::function<void()> Note;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                Note();
            return false;
        }
    } paints;
    form.OpenProtocol(test::PathText(test::ExamplesDir() / "sample_protocol.htm"));
    QVERIFY(allWaiting());
    shapes.clear();
    paints.Note = note;
    test::W(form).Memo2->viewport()->installEventFilter(&paints);
    form.Button1Click();
    test::W(form).Memo2->viewport()->removeEventFilter(&paints);
    QVERIFY(allWaiting());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(test::W(form).Memo2->toPlainText().contains(test::Utf8("Ранг соревнований")));
}

void OutputViewTest::MessageBoxEndsTheWaitCursor()
{
    // A message shown during the work (a protocol that cannot be read) is answered with the
    // usual cursor, and the keys meant for it reach it.
    QWidget window;
    window.show();
    ui::BusyScope busy(&window);
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QLineEdit box; // a window of its own
    box.show();
    QVERIFY(!QApplication::overrideCursor());
    QTest::keyClicks(&box, QStringLiteral("ok"));
    QCOMPARE(box.text(), QStringLiteral("ok"));
    busy.End();
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(OutputViewTest)
#include "tst_output_view.moc"
