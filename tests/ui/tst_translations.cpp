// The window in Russian and English: every entry of the translations finished and in step with
// its Belarusian source, and nothing Belarusian left in what the window and its dialogs show
// once the example protocol is read and recalculated.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QXmlStreamReader>

#include "ui/group_list.h"
#include "ui/interface_language.h"
#include "ui/points_grid_view.h"
#include "ui_test_support.h"

using test::Utf8;
using test::W;
using ui::Language;

namespace {

struct Entry
{
    QString Source;
    QString Comment;
    QString Translation;
    QString Type; // "unfinished", "obsolete", "vanished"; empty when finished
};

QList<Entry> ReadTs(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Entry> entries;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"message") {
            entries.append(Entry {});
        } else if (xml.name() == u"source" && !entries.isEmpty()) {
            entries.back().Source = xml.readElementText();
        } else if (xml.name() == u"comment" && !entries.isEmpty()) {
            entries.back().Comment = xml.readElementText();
        } else if (xml.name() == u"translation" && !entries.isEmpty()) {
            entries.back().Type = xml.attributes().value(QStringLiteral("type")).toString();
            entries.back().Translation = xml.readElementText();
        }
    }
    return xml.hasError() ? QList<Entry> {} : entries;
}

QString TsPath(Language language)
{
    return QStringLiteral(LAPWING_TS_DIR "/lapwing_") + ui::LanguageCode(language)
        + QStringLiteral(".ts");
}

QStringList Placeholders(const QString &text)
{
    QStringList found;
    for (const QRegularExpressionMatch &m :
        QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}

// Texts written alike in Belarusian and in the language: codes, symbols, the protocol's words.
struct Same
{
    const char *Text;
    bool Russian;
    bool English;
};
constexpr Same SameTexts[] = {
    { "МС", true, true }, // the qualifications, as the protocol writes them
    { "КМС", true, true },
    { "I р.", true, true },
    { "II р.", true, true },
    { "III р.", true, true },
    { "I юн", true, true },
    { "II юн", true, true },
    { "-- Не считать --", true, false }, // Russian already
    { "К=", true, true },
    { "OK", true, true },
    { "PDF…", true, true },
    { "PDF (*.pdf)", true, true },
    { "Unable to read %1: %2", false, true }, // English already
    { "Папка:", true, false },
    { "HTM-файлы (*.htm *.html)", true, false },
    { "HTM-файлы (*.htm)", true, false },
    { "RES-файлы (*.res)", true, false },
    { "INI-файлы (*.ini *.INI)", true, false },
    { "CSV-файлы (*.csv)", true, false },
    { "«.»", true, false },
    { "Беларуская", true, true }, // the languages' own names
    { "Русский", true, true },
};

// Words English keeps in Cyrillic: the qualifications and the protocol's marks, the languages'
// own names.
constexpr const char *CyrillicWords[] = { "КМС", "МС", "I р.", "II р.", "III р.", "I юн", "II юн",
    "в/к", "К=", "Финиш", "Беларуская", "Русский" };

bool MayStay(const QString &text, Language language)
{
    for (const Same &same : SameTexts) {
        if (text == Utf8(same.Text))
            return language == Language::Russian ? same.Russian : same.English;
    }
    return false;
}

// Letters no Russian or English text of the window has: Belarusian ones, and in English any
// Cyrillic letter.
bool HasBelarusianLetters(QString text, Language language)
{
    if (language != Language::English)
        return text.contains(QRegularExpression(QStringLiteral("[іІўЎ]")));
    for (const char *word : CyrillicWords)
        text.remove(Utf8(word));
    return text.contains(QRegularExpression(QStringLiteral("[\\x{0400}-\\x{04FF}]")));
}

// What a widget shows in words: captions, tips, placeholders, items, headers, menus.
QStringList TextsOf(const QWidget &root)
{
    QList<const QWidget *> widgets { &root };
    for (const QWidget *child : root.findChildren<QWidget *>())
        widgets << child;
    QStringList texts;
    for (const QWidget *widget : widgets) {
        texts << widget->windowTitle() << widget->toolTip() << widget->whatsThis();
        if (const auto *label = qobject_cast<const QLabel *>(widget))
            texts << label->text();
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            texts << button->text();
        if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
            texts << edit->placeholderText();
        if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
        if (const auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i) << tabs->tabToolTip(i);
        }
        if (const auto *table = qobject_cast<const QTableView *>(widget); table && table->model()) {
            const QAbstractItemModel &model = *table->model();
            // The group list's headings are the protocol's, in its language.
            const bool groups = table->objectName() == QLatin1String("StringGrid2");
            for (int col = 0; col < model.columnCount(); ++col) {
                texts << model.headerData(col, Qt::Horizontal).toString();
                for (int row = 0; row < model.rowCount() && !(groups && col == ui::HeadingColumn);
                     ++row)
                    texts << model.index(row, col).data().toString()
                          << model.index(row, col).data(Qt::ToolTipRole).toString();
            }
        }
        // Painted, not a widget's text.
        if (const auto *points = qobject_cast<const ui::PointsGridView *>(widget))
            texts << points->CornerText();
        for (const QAction *action : widget->actions())
            texts << action->text() << action->toolTip();
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace

class TranslationsTest : public QObject
{
    Q_OBJECT

private slots:
    void EveryEntryFinished_data();
    void EveryEntryFinished();
    void NothingBelarusianShown_data();
    void NothingBelarusianShown();
    void GroupListHeadersFit_data();
    void GroupListHeadersFit();
};

void TranslationsTest::EveryEntryFinished_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("ru") << Language::Russian;
    QTest::newRow("en") << Language::English;
}

void TranslationsTest::EveryEntryFinished()
{
    QFETCH(Language, language);
    const QList<Entry> entries = ReadTs(TsPath(language));
    QVERIFY2(!entries.isEmpty(), qPrintable(TsPath(language)));
    // Both files hold the same texts: one made with lupdate after the other was is no excuse.
    QSet<QString> sources;
    for (const Entry &entry : ReadTs(TsPath(Language::Russian)))
        sources << entry.Source + QLatin1Char('|') + entry.Comment;
    QCOMPARE(entries.size(), sources.size());
    for (const Entry &entry : entries) {
        const QByteArray where = entry.Source.toUtf8();
        QVERIFY2(sources.contains(entry.Source + QLatin1Char('|') + entry.Comment), where);
        QVERIFY2(entry.Type.isEmpty(), where + " is " + entry.Type.toUtf8());
        QVERIFY2(!entry.Translation.isEmpty(), where);
        // "%1" and the rest each once, so that arg() fills them as in the source.
        QVERIFY2(Placeholders(entry.Translation) == Placeholders(entry.Source), where);
        if (entry.Translation == entry.Source)
            QVERIFY2(MayStay(entry.Source, language), where + " is not translated");
    }
}

void TranslationsTest::NothingBelarusianShown_data() { EveryEntryFinished_data(); }

void TranslationsTest::NothingBelarusianShown()
{
    QFETCH(Language, language);
    const ui::InterfaceLanguage translated(language, QStringLiteral(LAPWING_QM_DIR),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QVERIFY(!translated.OwnTranslationFile().isEmpty());
    QSet<QString> belarusian;
    for (const Entry &entry : ReadTs(TsPath(language)))
        belarusian << entry.Source;

    const std::filesystem::path examples = test::ExamplesDir();
    test::Window window(test::ReadBytes(examples / "sample.INI"));
    TForm1 &form = window.Form();
    QVERIFY(window.ShowAndActivate());
    QStringList shown;
    form.RunDialog = [&shown](QDialog &dialog) { shown << TextsOf(dialog); };
    form.OpenProtocol(test::PathText(examples / "sample_protocol.htm"));
    // A group of class МС, so that the inspector is asked; its dialog is looked at then, with
    // the hint why OK is off.
    test::InspectorAnswer inspector(window.Dialog(), [&shown](TForm_Controler &dialog) {
        test::TypeText(dialog.LabeledEdit1, QStringLiteral("A"));
        shown << TextsOf(dialog);
        dialog.LabeledEdit1->clear();
        test::TypeText(dialog.LabeledEdit1, QStringLiteral("Smith J."));
        QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    });
    test::ClickCell(W(form).StringGrid2, 0, ui::ClassColumn);
    test::StepChoice(W(form).cbMaxKval, -2); // from "I р." up to "МС"
    QTest::mouseClick(W(form).Button1, Qt::LeftButton);
    QCOMPARE(inspector.Shows(), 1);
    QVERIFY(window.ShowAndActivate());
    QTest::mouseClick(form.findChild<QAbstractButton *>("AboutButton"), Qt::LeftButton);
    // The output view's menu, made when asked for.
    const std::unique_ptr<QMenu> menu(W(form).Memo2->CreateContextMenu());
    shown << TextsOf(*menu);
    // The close question, kept from closing.
    window.CloseAnswer = ui::CloseAnswer::Return;
    QVERIFY(!form.close());
    QVERIFY(!window.CloseQuestions.isEmpty());
    shown << TextsOf(form) << window.Informations << window.Errors << window.CloseQuestions
          << window.CloseSaveLabels;

    QStringList left;
    for (const QString &text : std::as_const(shown)) {
        if ((belarusian.contains(text) && !MayStay(text, language))
            || HasBelarusianLetters(text, language))
            left << text;
    }
    left.removeDuplicates();
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QStringLiteral("\n"))));
}

void TranslationsTest::GroupListHeadersFit_data() { EveryEntryFinished_data(); }

void TranslationsTest::GroupListHeadersFit()
{
    QFETCH(Language, language);
    const ui::InterfaceLanguage translated(language, QStringLiteral(LAPWING_QM_DIR), {});
    test::Window window;
    QVERIFY(window.ShowAndActivate());
    const QTableView &groups = *W(window.Form()).StringGrid2;
    const QStringList headers = ui::GroupListHeaders();
    for (int col = 0; col < headers.size(); ++col) {
        const int needed = groups.horizontalHeader()->fontMetrics().horizontalAdvance(headers[col]);
        QVERIFY2(needed + 8 <= groups.columnWidth(col), qPrintable(headers[col]));
    }
}

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
