// Every text the window and its dialogs show to the user, in one place so that they can be
// translated together. The Belarusian texts are the source; translations/lapwing_*.ts hold their
// Russian and English. Each is a function that translates when called: a text made before the
// translator is installed (at static initialisation) would stay Belarusian.
#pragma once

#include <QCoreApplication>
#include <QString>

// The dialogs' and questions' texts, in the same namespace.
#include "ui/messages_dialogs.h"

namespace ui::text {

inline QString WindowCaption() { return QStringLiteral("Lapwing v1.9 - 8.02.2014"); }
inline QString InitialOutput()
{
    return QCoreApplication::translate("Lapwing", "Тут з'яўляецца апрацаваная версія");
}

inline QString LoadFailed()
{
    return QCoreApplication::translate("Lapwing", "Памылка пры адкрыцці файла");
}
// Said after LoadFailed when a protocol has no group heading at all.
inline QString NoHeadings()
{
    return QCoreApplication::translate(
        "Lapwing", "у пратаколе няма ніводнага загалоўка групы (\"<h2>\"), пералічваць няма чаго");
}
// Said after a read about the groups' tables (each with the groups' names after it).
inline QString NoTables()
{
    return QCoreApplication::translate("Lapwing",
        "Пад загалоўкамі груп няма ніводнай табліцы (\"<pre>\"): пералічваць няма чаго.");
}
inline QString RelayTables()
{
    return QCoreApplication::translate(
        "Lapwing", "Эстафеты капіююцца без змен, іх групы не лічацца: ");
}
inline QString UnknownTables()
{
    return QCoreApplication::translate("Lapwing",
        "Табліцы, слупкі якіх не ўдалося распазнаць, капіююцца без змен, іх групы не лічацца: ");
}
inline QString HandicapTables()
{
    return QCoreApplication::translate("Lapwing",
        "Гандыкап (слупок \"Финиш\"): разрады па чыстым часе, месцы як у пратаколе; групы "
        "пачынаюць як \"Не лічыць\", улічыце іх, калі дазваляюць правілы: ");
}
// The group's tooltip names its table's layout after its heading.
inline QString TableLayoutTip()
{
    return QCoreApplication::translate("Lapwing", "Размяшчэнне табліцы: ");
}
inline QString NoTableTip() { return QCoreApplication::translate("Lapwing", "табліцы няма"); }
inline QString SaveFailed()
{
    return QCoreApplication::translate("Lapwing", "Памылка падчас запісу");
}
inline QString NoOutputName()
{
    return QCoreApplication::translate("Lapwing", "Вызначце імя файла");
}
// After the caption while the protocol read is in UTF-8 (and is saved back in it).
inline QString Utf8Suffix() { return QStringLiteral(" — UTF-8"); }
inline QString OutOfCompetitionWarning()
{
    return QCoreApplication::translate("Lapwing", "Не ўпэўнены, што гэта добра працуе.");
}

inline QString SaveTablesQuestion()
{
    return QCoreApplication::translate(
        "Lapwing", "Табліцы ачкоў былі змененыя. Захаваць змяненні?");
}
inline QString SaveAndClose() { return QCoreApplication::translate("Lapwing", "Захаваць"); }
inline QString DiscardAndClose() { return QCoreApplication::translate("Lapwing", "Не захоўваць"); }
inline QString ReturnToWindow() { return QCoreApplication::translate("Lapwing", "Вярнуцца"); }
// %1: the settings file and why it could not be read.
inline QString UnreadableTablesQuestion()
{
    return QCoreApplication::translate("Lapwing",
        "Табліцы ачкоў былі змененыя, але файл налад не ўдалося прачытаць, і запісаць яго "
        "нельга:\n%1\nЗахаваць табліцы ў іншы файл?");
}
inline QString SaveElsewhereAndClose()
{
    return QCoreApplication::translate("Lapwing", "Захаваць у іншы файл...");
}
// %1: what loading could not take, which writing would lose.
inline QString LossyTablesQuestion()
{
    return QCoreApplication::translate("Lapwing",
        "Пры чытанні файла налад не ўсё ўдалося ўзяць:\n%1\nКалі запісаць змяненні, гэта будзе "
        "страчана. Перапісаць файл?");
}
// %1: the settings file, %2: the system's reason.
inline QString SettingsUnreadable()
{
    return QCoreApplication::translate("Lapwing", "Unable to read %1: %2");
}
inline QString SettingsDialogTitle()
{
    return QCoreApplication::translate("Lapwing", "Імя файла для захавання табліц ачкоў");
}

inline QString UnreadProtocol()
{
    return QCoreApplication::translate("Lapwing",
        "Пратакол «%1» яшчэ не прачытаны: спачатку націсніце «Перачытаць» і праверце групы.");
}
inline QString TablesRemoved()
{
    return QCoreApplication::translate("Lapwing",
        "Табліцы ачкоў, якія былі выбраны для груп %1, выдалены; гэтыя групы цяпер без ачкоў.");
}
inline QString UnencodableOutput()
{
    return QCoreApplication::translate("Lapwing",
        "Радок %1, слупок %2: знак «%3» нельга запісаць у Windows-1251. Файл не захаваны.");
}
inline QString SaveFailedDetail() { return QStringLiteral("%1\n%2: %3"); }
inline QString OverwriteQuestion()
{
    return QCoreApplication::translate("Lapwing", "Файл «%1» ужо існуе. Замяніць яго?");
}
inline QString Yes() { return QCoreApplication::translate("Lapwing", "Так"); }
inline QString No() { return QCoreApplication::translate("Lapwing", "Не"); }

inline QString PrintNotStarted()
{
    return QCoreApplication::translate("Lapwing", "Не ўдалося пачаць друк.");
}
inline QString PageNotStarted()
{
    return QCoreApplication::translate("Lapwing", "Не ўдалося пачаць старонку %1.");
} // %1: page
inline QString PrintNotFinished()
{
    return QCoreApplication::translate("Lapwing", "Не ўдалося скончыць друк.");
}
// %1: the PDF file, %2: the system's reason.
inline QString PdfNotWritten()
{
    return QCoreApplication::translate("Lapwing", "Не ўдалося запісаць PDF «%1»: %2");
}

inline QString RecentFiles() { return QCoreApplication::translate("Lapwing", "Апошнія"); }
inline QString RecentFilesTip()
{
    return QCoreApplication::translate("Lapwing", "Апошнія прачытаныя пратаколы");
}
inline QString RecentFileMissing()
{
    return QCoreApplication::translate(
        "Lapwing", "Файл «%1» не знойдзены; ён прыбраны з апошніх пратаколаў.");
}

inline QString PointsValueHint()
{
    return QCoreApplication::translate("Lapwing", "Ачкі: цэлы лік ад 0 да 99999.");
}
// %1: the table's letter, %2: the place, %3: the cell's text.
inline QString BadPointsValue()
{
    return QCoreApplication::translate("Lapwing",
        "Табліца ачкоў %1, месца %2: «%3» не цэлы лік ад 0 да 99999. Выпраўце клетку і "
        "пералічыце зноў.");
}
inline QString CollectorEmailLabel()
{
    return QCoreApplication::translate("Lapwing", "E-mail для вынікаў:");
}
inline QString EmptyTablesHint()
{
    return QCoreApplication::translate(
        "Lapwing", "Каб пачаць табліцу ачкоў, увядзіце ачкі за 1-е месца ў пустую клетку.");
}

inline QString OpenDialogTitle()
{
    return QCoreApplication::translate("Lapwing", "Імя файла з вынікамі для пераліку");
}
inline QString SaveDialogTitle()
{
    return QCoreApplication::translate("Lapwing", "Імя файла для захавання вынікаў");
}
inline QString DialogLookIn() { return QCoreApplication::translate("Lapwing", "Папка:"); }
inline QString DialogFileName() { return QCoreApplication::translate("Lapwing", "Імя файла:"); }
inline QString DialogFileType() { return QCoreApplication::translate("Lapwing", "Тып файлаў:"); }
inline QString DialogOpen() { return QCoreApplication::translate("Lapwing", "Адкрыць"); }
inline QString DialogSave() { return QCoreApplication::translate("Lapwing", "Захаваць"); }
inline QString DialogCancel() { return QCoreApplication::translate("Lapwing", "Адмена"); }

// The main window's controls.
inline QString ProtocolFileLabel() { return QCoreApplication::translate("Lapwing", "Імя файла:"); }
inline QString ChooseProtocolStep()
{
    return QCoreApplication::translate("Lapwing", "1. Агляд...");
}
inline QString ReadStep() { return QCoreApplication::translate("Lapwing", "Перачытаць"); }
inline QString GroupsLabel() { return QCoreApplication::translate("Lapwing", "Групы:"); }
inline QString TablesLabel() { return QCoreApplication::translate("Lapwing", "Табліцы ачкоў:"); }
inline QString CountOutOfCompetitionOption()
{
    return QCoreApplication::translate(
        "Lapwing", "Улічваць ранг спартсменаў па-за конкурсам (в/к)");
}
inline QString RatingPointsOption()
{
    return QCoreApplication::translate("Lapwing", "Палічыць ачкі па рэйтынгу");
}
inline QString FactorLabel() { return QCoreApplication::translate("Lapwing", "К="); }
inline QString RecalculateStep() { return QCoreApplication::translate("Lapwing", "3. Пералічыць"); }
inline QString ExcludeForeignOption()
{
    return QCoreApplication::translate("Lapwing",
        "Не улічваць іншаземных спарцменаў (шукае тры вялікія лацінскія літары LAT, "
        "LTU, POL, UKR, RUS і г.д.)");
}
inline QString TextTab() { return QCoreApplication::translate("Lapwing", "Тэкст"); }
inline QString PreviewTab() { return QCoreApplication::translate("Lapwing", "Прагляд"); }
inline QString OutputFileLabel() { return QCoreApplication::translate("Lapwing", "Імя файла:"); }
inline QString ChooseOutputStep() { return QCoreApplication::translate("Lapwing", "4. Агляд..."); }
inline QString SaveStep() { return QCoreApplication::translate("Lapwing", "5. Захаваць"); }
inline QString PrintButton() { return QCoreApplication::translate("Lapwing", "Друк…"); }
inline QString PdfButton() { return QCoreApplication::translate("Lapwing", "PDF…"); }
inline QString AboutButton() { return QCoreApplication::translate("Lapwing", "Пра праграму"); }
inline QString PdfFilter() { return QCoreApplication::translate("Lapwing", "PDF (*.pdf)"); }

// The group list's column headers.
inline QString GroupColumnHeader() { return QCoreApplication::translate("Lapwing", "Група"); }
inline QString ClassColumnHeader() { return QCoreApplication::translate("Lapwing", "Клас дыст."); }
inline QString CategoryColumnHeader()
{
    return QCoreApplication::translate(
        "Lapwing", "Разрады", "the group list's column of categories");
}
inline QString MastersColumnHeader() { return QCoreApplication::translate("Lapwing", "к-во МС"); }
inline QString TableColumnHeader() { return QCoreApplication::translate("Lapwing", "Табліца"); }

// What a reading did with the groups' settings, and the competition's settings kept.
inline QString GroupsKeptNote()
{
    return QCoreApplication::translate("Lapwing",
        "Налады груп перанесены па назвах груп:\nзахавалі налады — %1\n"
        "новыя групы (налады па змоўчванні) — %2\n"
        "страцілі налады (іх няма ў пратаколе) — %3");
}
inline QString CompetitionRestoredNote()
{
    return QCoreApplication::translate("Lapwing",
        "Для гэтага пратакола адноўлены налады, дадзеныя раней: клас, разрады, "
        "к-во МС і табліца груп, опцыі, К= і інспектар.");
}
inline QString RestoredTablesGone()
{
    return QCoreApplication::translate(
        "Lapwing", "Табліц ачкоў гэтых груп ужо няма, ім пастаўлена «Без ачкоў»: %1");
}
inline QString CompetitionNotStored()
{
    return QCoreApplication::translate(
        "Lapwing", "Налады спаборніцтваў не захаваны ў файле налад:\n%1");
}
// The list of qualifications earned: its tab and its buttons.
inline QString ListTab()
{
    return QCoreApplication::translate(
        "Lapwing", "Разрады", "the tab of the qualifications earned");
}
inline QString ListSaveButton() { return QCoreApplication::translate("Lapwing", "Захаваць спіс…"); }
inline QString ListPrintButton() { return QCoreApplication::translate("Lapwing", "Друк спіса…"); }
inline QString ListPdfButton() { return QCoreApplication::translate("Lapwing", "PDF спіса…"); }
inline QString ListNotMade()
{
    return QCoreApplication::translate(
        "Lapwing", "Спіс выкананых разрадаў складаецца пры «3. Пералічыць».");
}
inline QString ListNote()
{
    return QCoreApplication::translate("Lapwing",
        "Спіс складзены пры апошнім «3. Пералічыць»; праўкі ў тэксце пратакола яго не мяняюць.");
}
inline QString ListOutOfDate()
{
    return QCoreApplication::translate("Lapwing",
        "Спіс састарэў разам з вынікамі: ён складзены да змен. Націсніце «3. Пералічыць».");
}
inline QString ListCsvFilter()
{
    return QCoreApplication::translate("Lapwing", "CSV-файлы (*.csv)");
}
inline QString ListSaveFailed()
{
    return QCoreApplication::translate("Lapwing", "Не атрымалася захаваць спіс %1: %2");
}
// "140208_res.htm" -> "140208_res_razrady.csv"
inline QString ListFileSuffix() { return QStringLiteral("_razrady"); }
// A typed text in a group's list editor that names none of its items.
// %1: the text typed, %2: the item the group keeps.
inline QString ListItemRefused()
{
    return QCoreApplication::translate("Lapwing",
        "«%1» няма ў спісе, таму застаецца «%2». Выберыце пункт са спісу (Alt+↓) або набярыце яго "
        "цалкам.");
}

// A "К=" text that is no number. %1: which of the two fields, %2: its text, %3: the decimal
// separators it takes, %4: a number written with the user's.
inline QString FactorNotANumber()
{
    return QCoreApplication::translate("Lapwing",
        "У полі «К=» (%1) стаіць «%2», а патрэбны лік. Дробную частку аддзяліце знакам %3, "
        "напрыклад %4. Выпраўце поле і пералічыце зноў.");
}
inline QString FactorSeparators()
{
    return QCoreApplication::translate("Lapwing", "«%1» або «.»");
} // %1: the user's
inline QString FactorPoint() { return QCoreApplication::translate("Lapwing", "«.»"); }
inline QString FirstFactorField()
{
    return QCoreApplication::translate("Lapwing", "першае, злева");
}
inline QString SecondFactorField()
{
    return QCoreApplication::translate("Lapwing", "другое, справа");
}

// The bar of a long protocol's preview, shown a page at a time. %1-%2: the lines shown, %3: all.
inline QString PreviewPageLines()
{
    return QCoreApplication::translate("Lapwing", "Радкі %1–%2 з %3");
}
inline QString PreviewPreviousPage()
{
    return QCoreApplication::translate("Lapwing", "← папярэднія (Ctrl+PageUp)");
}
inline QString PreviewNextPage()
{
    return QCoreApplication::translate("Lapwing", "наступныя (Ctrl+PageDown) →");
}
// The window's language: the "Мова" menu; and texts of the points tables' data the window shows
// in its own words.
inline QString NoPointsTable() { return QCoreApplication::translate("Lapwing", "Без ачкоў"); }
// The points grid's corner, over the places.
inline QString PlacesCorner() { return QCoreApplication::translate("Lapwing", "Месца"); }
inline QString LanguageButton() { return QCoreApplication::translate("Lapwing", "Мова"); }
inline QString LanguageButtonTip()
{
    return QCoreApplication::translate("Lapwing", "Мова акна і яго дыялогаў");
}
inline QString LanguageAsSystem() { return QCoreApplication::translate("Lapwing", "Як у сістэме"); }
// Asked when the language chosen differs from the one the window speaks.
inline QString LanguageRestartQuestion()
{
    return QCoreApplication::translate("Lapwing",
        "Акно загаворыць на выбранай мове, калі запусціць яго нанова. Перазапусціць зараз? "
        "Прачытаны пратакол адкрыецца зноў.");
}

} // namespace ui::text
