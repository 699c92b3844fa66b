// Saving the output view: lines the user did not touch keep the rewrite's bytes; edited and
// new lines are converted to Windows-1251.
#include <QTest>

#include "engine/cp1251.h"
#include "ui/output_lines.h"
#include "ui_test_support.h"

using engine::operator""_w1251;
using Lines = std::vector<engine::ProtocolLine>;

namespace {

// Lines whose text a view may not give back as it got it: a no-break space, the byte 0x98.
const Lines Stored { "<p>a\xA0"
                     "b</p>",
    "<pre>", "\x98 x", std::string("М21"_w1251), "" };

// What the view returned for the stored lines: the no-break space as a plain blank.
QStringList ShownText()
{
    QStringList shown = ui::DecodeLines(Stored);
    shown[0].replace(QChar(0xA0), QLatin1Char(' '));
    return shown;
}

} // namespace

class OutputLinesTest : public QObject
{
    Q_OBJECT

private slots:
    void UntouchedViewGivesStoredBytes();
    void UntouchedLinesKeepTheirBytes();
    void InsertedLineDoesNotShiftOthers();
    void EmptyOutput();
};

void OutputLinesTest::UntouchedViewGivesStoredBytes()
{
    ui::OutputLines output;
    output.Assign(Stored, ShownText());
    QVERIFY(output.Collect(ShownText()) == Stored);
}

void OutputLinesTest::UntouchedLinesKeepTheirBytes()
{
    ui::OutputLines output;
    output.Assign(Stored, ShownText());
    QStringList view = ShownText();
    view[3] = test::Utf8("Ж21 ўсё");
    const Lines expected { Stored[0], Stored[1], Stored[2], std::string("Ж21 ўсё"_w1251), "" };
    QVERIFY(output.Collect(view) == expected);
}

void OutputLinesTest::InsertedLineDoesNotShiftOthers()
{
    ui::OutputLines output;
    output.Assign(Stored, ShownText());
    QStringList view = ShownText();
    view.insert(1, test::Utf8("новы радок"));
    const Lines expected { Stored[0], std::string("новы радок"_w1251), Stored[1], Stored[2],
        Stored[3], Stored[4] };
    QVERIFY(output.Collect(view) == expected);
}

void OutputLinesTest::EmptyOutput()
{
    ui::OutputLines output;
    output.Assign({}, {});
    QVERIFY(output.Collect({}).empty());
    QVERIFY(output.Collect({ QString("x") }) == Lines { "x" });
}

QTEST_MAIN(OutputLinesTest)
#include "tst_output_lines.moc"
