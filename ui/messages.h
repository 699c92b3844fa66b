// Every text the window and its dialogs show to the user (Belarusian, as QString), in one place
// so that they can be translated together.
#pragma once

#include <QString>

namespace ui::text {

inline const QString WindowCaption = QStringLiteral("Lapwing v1.9 - 8.02.2014");
inline const QString InitialOutput = QStringLiteral("Тут з'яўляецца апрацаваная версія");

inline const QString LoadFailed = QStringLiteral("Памылка пры адкрыцці файла");
// Said after LoadFailed when a protocol has no group heading at all.
inline const QString NoHeadings = QStringLiteral(
    "у пратаколе няма ніводнага загалоўка групы (\"<h2>\"), пералічваць няма чаго");
// Said after a read about the groups' tables (each with the groups' names after it).
inline const QString NoTables = QStringLiteral(
    "Пад загалоўкамі груп няма ніводнай табліцы (\"<pre>\"): пералічваць няма чаго.");
inline const QString RelayTables = QStringLiteral(
    "Эстафеты капіююцца без змен, іх групы не лічацца: ");
inline const QString UnknownTables = QStringLiteral(
    "Табліцы, слупкі якіх не ўдалося распазнаць, капіююцца без змен, іх групы не лічацца: ");
inline const QString HandicapTables = QStringLiteral(
    "Гандыкап (слупок \"Финиш\"): разрады па чыстым часе, месцы як у пратаколе; групы "
    "пачынаюць як \"Не лічыць\", улічыце іх, калі дазваляюць правілы: ");
// The group's tooltip names its table's layout after its heading.
inline const QString TableLayoutTip = QStringLiteral("Размяшчэнне табліцы: ");
inline const QString NoTableTip = QStringLiteral("табліцы няма");
inline const QString SaveFailed = QStringLiteral("Памылка падчас запісу");
inline const QString NoOutputName = QStringLiteral("Вызначце імя файла");
// After the caption while the protocol read is in UTF-8 (and is saved back in it).
inline const QString Utf8Suffix = QStringLiteral(" — UTF-8");
inline const QString OutOfCompetitionWarning
    = QStringLiteral("Не ўпэўнены, што гэта добра працуе.");

inline const QString SaveTablesQuestion
    = QStringLiteral("Табліцы ачкоў былі змененыя. Захаваць змяненні?");
inline const QString SaveAndClose = QStringLiteral("Захаваць");
inline const QString DiscardAndClose = QStringLiteral("Не захоўваць");
inline const QString ReturnToWindow = QStringLiteral("Вярнуцца");
// %1: the settings file and why it could not be read.
inline const QString UnreadableTablesQuestion = QStringLiteral(
    "Табліцы ачкоў былі змененыя, але файл налад не ўдалося прачытаць, і запісаць яго "
    "нельга:\n%1\nЗахаваць табліцы ў іншы файл?");
inline const QString SaveElsewhereAndClose = QStringLiteral("Захаваць у іншы файл...");
// %1: what loading could not take, which writing would lose.
inline const QString LossyTablesQuestion = QStringLiteral(
    "Пры чытанні файла налад не ўсё ўдалося ўзяць:\n%1\nКалі запісаць змяненні, гэта будзе "
    "страчана. Перапісаць файл?");
// %1: the settings file, %2: the system's reason.
inline const QString SettingsUnreadable = QStringLiteral("Unable to read %1: %2");
inline const QString SettingsDialogTitle = QStringLiteral("Імя файла для захавання табліц ачкоў");

inline const QString UnreadProtocol = QStringLiteral(
    "Пратакол «%1» яшчэ не прачытаны: спачатку націсніце «Перачытаць» і праверце групы.");
inline const QString TablesRemoved = QStringLiteral(
    "Табліцы ачкоў, якія былі выбраны для груп %1, выдалены; гэтыя групы цяпер без ачкоў.");
inline const QString UnencodableOutput = QStringLiteral(
    "Радок %1, слупок %2: знак «%3» нельга запісаць у Windows-1251. Файл не захаваны.");
inline const QString SaveFailedDetail = QStringLiteral("%1\n%2: %3");
inline const QString OverwriteQuestion = QStringLiteral("Файл «%1» ужо існуе. Замяніць яго?");
inline const QString Yes = QStringLiteral("Так");
inline const QString No = QStringLiteral("Не");

inline const QString PrintNotStarted = QStringLiteral("Не ўдалося пачаць друк.");
inline const QString PageNotStarted = QStringLiteral("Не ўдалося пачаць старонку %1."); // %1: page
inline const QString PrintNotFinished = QStringLiteral("Не ўдалося скончыць друк.");
// %1: the PDF file, %2: the system's reason.
inline const QString PdfNotWritten = QStringLiteral("Не ўдалося запісаць PDF «%1»: %2");

inline const QString RecentFiles = QStringLiteral("Апошнія");
inline const QString RecentFilesTip = QStringLiteral("Апошнія прачытаныя пратаколы");
inline const QString RecentFileMissing
    = QStringLiteral("Файл «%1» не знойдзены; ён прыбраны з апошніх пратаколаў.");

inline const QString PointsValueHint = QStringLiteral("Ачкі: цэлы лік ад 0 да 99999.");
// %1: the table's letter, %2: the place, %3: the cell's text.
inline const QString BadPointsValue = QStringLiteral(
    "Табліца ачкоў %1, месца %2: «%3» не цэлы лік ад 0 да 99999. Выпраўце клетку і "
    "пералічыце зноў.");
inline const QString CollectorEmailLabel = QStringLiteral("E-mail для вынікаў:");
inline const QString EmptyTablesHint
    = QStringLiteral("Каб пачаць табліцу ачкоў, увядзіце ачкі за 1-е месца ў пустую клетку.");

inline const QString OpenDialogTitle = QStringLiteral("Імя файла з вынікамі для пераліку");
inline const QString SaveDialogTitle = QStringLiteral("Імя файла для захавання вынікаў");
inline const QString DialogLookIn = QStringLiteral("Папка:");
inline const QString DialogFileName = QStringLiteral("Імя файла:");
inline const QString DialogFileType = QStringLiteral("Тып файлаў:");
inline const QString DialogOpen = QStringLiteral("Адкрыць");
inline const QString DialogSave = QStringLiteral("Захаваць");
inline const QString DialogCancel = QStringLiteral("Адмена");

// The main window's controls.
inline const QString ProtocolFileLabel = QStringLiteral("Імя файла:");
inline const QString ChooseProtocolStep = QStringLiteral("1. Агляд...");
inline const QString ReadStep = QStringLiteral("Перачытаць");
inline const QString GroupsLabel = QStringLiteral("Групы:");
inline const QString TablesLabel = QStringLiteral("Табліцы ачкоў:");
inline const QString CountOutOfCompetitionOption
    = QStringLiteral("Улічваць ранг спартсменаў па-за конкурсам (в/к)");
inline const QString RatingPointsOption = QStringLiteral("Палічыць ачкі па рэйтынгу");
inline const QString FactorLabel = QStringLiteral("К=");
inline const QString RecalculateStep = QStringLiteral("3. Пералічыць");
inline const QString ExcludeForeignOption
    = QStringLiteral("Не улічваць іншаземных спарцменаў (шукае тры вялікія лацінскія літары LAT, "
                     "LTU, POL, UKR, RUS і г.д.)");
inline const QString TextTab = QStringLiteral("Тэкст");
inline const QString PreviewTab = QStringLiteral("Прагляд");
inline const QString OutputFileLabel = QStringLiteral("Імя файла:");
inline const QString ChooseOutputStep = QStringLiteral("4. Агляд...");
inline const QString SaveStep = QStringLiteral("5. Захаваць");
inline const QString PrintButton = QStringLiteral("Друк…");
inline const QString PdfButton = QStringLiteral("PDF…");
inline const QString AboutButton = QStringLiteral("Пра праграму");
inline const QString PdfFilter = QStringLiteral("PDF (*.pdf)");

// The inspector dialog.
inline const QString InspectorLetterHint
    = QStringLiteral("Літары «%1» няма ў кадоўцы пратакола (Windows-1251): замяніце яе.");
inline const QString InspectorTitle = QStringLiteral("Інспектар");
inline const QString InspectorRule
    = QStringLiteral("      Згодна з пп. 26.3, 31.4 Правілаў спаборніцтваў і пп. 2.10 інструкцыі "
                     "СТК АКС аб парадку інспектавання спартыўных карт і дыстанцый усе дыстанцыі "
                     "класса КМС павінны быць прыняты інспектарам!");
inline const QString InspectorNameLabel = QStringLiteral("Пазначце Фамілію, Імя інспектара:");
inline const QString InspectorOk = QStringLiteral("OK");
inline const QString InspectorCancel = QStringLiteral("Скасаваць");

// The About box.
inline const QString AboutVersion = QStringLiteral("Версія %1");
inline const QString AboutPurpose
    = QStringLiteral("Вылічае выкананыя разрады і ачкі па пратаколе вынікаў спаборніцтваў па "
                     "спартыўным арыентаванні.");
inline const QString AboutLicence = QStringLiteral("Распаўсюджваецца на ўмовах ліцэнзіі праекта.");
inline const QString AboutSettingsFile = QStringLiteral("Файл налад:");
inline const QString AboutClose = QStringLiteral("Закрыць");

// The file dialogs' filters and the protocol name they propose.
inline const QString HtmFilesFilter = QStringLiteral("HTM-файлы (*.htm *.html)");
inline const QString ResFilesFilter = QStringLiteral("RES-файлы (*.res)");
inline const QString AllFilesFilter = QStringLiteral("Ўсе файлы (*.*) (*)");
inline const QString DefaultProtocolName = QStringLiteral("Протокол_Результатов.htm");
inline const QString HtmFileFilter = QStringLiteral("HTM-файлы (*.htm)");
inline const QString IniFilesFilter = QStringLiteral("INI-файлы (*.ini *.INI)");

// The output view's context menu.
inline const QString UndoCommand = QStringLiteral("Адмяніць");
inline const QString RedoCommand = QStringLiteral("Вярнуць");
inline const QString CutCommand = QStringLiteral("Выразаць");
inline const QString CopyCommand = QStringLiteral("Капіяваць");
inline const QString PasteCommand = QStringLiteral("Уставіць");
inline const QString SelectAllCommand = QStringLiteral("Вылучыць усё");

// The group list's column headers.
inline const QString GroupColumnHeader = QStringLiteral("Група");
inline const QString ClassColumnHeader = QStringLiteral("Клас дыст.");
inline const QString CategoryColumnHeader = QStringLiteral("Разрады");
inline const QString MastersColumnHeader = QStringLiteral("к-во МС");
inline const QString TableColumnHeader = QStringLiteral("Табліца");

// What a reading did with the groups' settings, and the competition's settings kept.
inline const QString GroupsKeptNote
    = QStringLiteral("Налады груп перанесены па назвах груп:\nзахавалі налады — %1\n"
                     "новыя групы (налады па змоўчванні) — %2\n"
                     "страцілі налады (іх няма ў пратаколе) — %3");
inline const QString CompetitionRestoredNote
    = QStringLiteral("Для гэтага пратакола адноўлены налады, дадзеныя раней: клас, разрады, "
                     "к-во МС і табліца груп, опцыі, К= і інспектар.");
inline const QString RestoredTablesGone
    = QStringLiteral("Табліц ачкоў гэтых груп ужо няма, ім пастаўлена «Без ачкоў»: %1");
inline const QString CompetitionNotStored
    = QStringLiteral("Налады спаборніцтваў не захаваны ў файле налад:\n%1");
// The list of qualifications earned: its tab and its buttons.
inline const QString ListTab = QStringLiteral("Разрады");
inline const QString ListSaveButton = QStringLiteral("Захаваць спіс…");
inline const QString ListPrintButton = QStringLiteral("Друк спіса…");
inline const QString ListPdfButton = QStringLiteral("PDF спіса…");
inline const QString ListNotMade
    = QStringLiteral("Спіс выкананых разрадаў складаецца пры «3. Пералічыць».");
inline const QString ListNote = QStringLiteral(
    "Спіс складзены пры апошнім «3. Пералічыць»; праўкі ў тэксце пратакола яго не мяняюць.");
inline const QString ListOutOfDate = QStringLiteral(
    "Спіс састарэў разам з вынікамі: ён складзены да змен. Націсніце «3. Пералічыць».");
inline const QString ListCsvFilter = QStringLiteral("CSV-файлы (*.csv)");
inline const QString ListSaveFailed = QStringLiteral("Не атрымалася захаваць спіс %1: %2");
// "140208_res.htm" -> "140208_res_razrady.csv"
inline const QString ListFileSuffix = QStringLiteral("_razrady");
// A typed text in a group's list editor that names none of its items.
// %1: the text typed, %2: the item the group keeps.
inline const QString ListItemRefused = QStringLiteral(
    "«%1» няма ў спісе, таму застаецца «%2». Выберыце пункт са спісу (Alt+↓) або набярыце яго "
    "цалкам.");

// A "К=" text that is no number. %1: which of the two fields, %2: its text, %3: the decimal
// separators it takes, %4: a number written with the user's.
inline const QString FactorNotANumber = QStringLiteral(
    "У полі «К=» (%1) стаіць «%2», а патрэбны лік. Дробную частку аддзяліце знакам %3, "
    "напрыклад %4. Выпраўце поле і пералічыце зноў.");
inline const QString FactorSeparators = QStringLiteral("«%1» або «.»"); // %1: the user's
inline const QString FactorPoint = QStringLiteral("«.»");
inline const QString FirstFactorField = QStringLiteral("першае, злева");
inline const QString SecondFactorField = QStringLiteral("другое, справа");

// The bar of a long protocol's preview, shown a page at a time. %1-%2: the lines shown, %3: all.
inline const QString PreviewPageLines = QStringLiteral("Радкі %1–%2 з %3");
inline const QString PreviewPreviousPage = QStringLiteral("← папярэднія (Ctrl+PageUp)");
inline const QString PreviewNextPage = QStringLiteral("наступныя (Ctrl+PageDown) →");
// Results that no longer match what is set, saving them, and closing with work not saved.
// %1: the file written, %2: the collector's address.
inline const QString SavedTo = QStringLiteral(
    "Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх на e-mail: %2. Дзякую!");
// With no collector's address set the message names none. %1: the file written.
inline const QString SavedToNoAddress = QStringLiteral(
    "Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх зборшчыку вынікаў. Дзякую!");
inline const QString NoResultsToSave = QStringLiteral(
    "Няма вынікаў, каб захаваць: прачытайце пратакол і націсніце «3. Пералічыць».");
// What changed since the results were made, joined by ", ".
inline const QString ProtocolReadAgain = QStringLiteral("пратакол прачытаны зноў");
inline const QString GroupsChanged = QStringLiteral("змяніліся налады груп");
inline const QString TablesChanged = QStringLiteral("змяніліся табліцы ачкоў");
inline const QString OptionsChanged = QStringLiteral("змяніліся параметры пераліку");
inline const QString RunFailed = QStringLiteral("пералік спыніўся на памылцы");
// Beside the output's tabs. %1: what changed.
inline const QString OutputOutOfDate
    = QStringLiteral("Вынікі састарэлі (%1): націсніце «3. Пералічыць».");
// %1: what changed.
inline const QString SaveOutOfDateQuestion
    = QStringLiteral("Вынікі ў тэксце састарэлі: %1. Пералічыць іх і захаваць новыя?");
inline const QString HandEditsLost
    = QStringLiteral("Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць.");
inline const QString RecalculateAndSave = QStringLiteral("Пералічыць і захаваць");
// "3. Пералічыць" with text edited by hand in the output.
inline const QString RecalculateOverEdits
    = QStringLiteral("Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць. Пералічыць?");
inline const QString SaveAsShown = QStringLiteral("Захаваць як ёсць");
// At close: %1, what is not saved.
inline const QString UnsavedWorkQuestion
    = QStringLiteral("Не захавана: %1. Захаваць перад выхадам?");
inline const QString UnsavedResults = QStringLiteral("вынікі пераліку");
inline const QString UnsavedGroups = QStringLiteral("налады груп");
inline const QString UnsavedTables = QStringLiteral("табліцы ачкоў");
// After UnsavedWorkQuestion when the results are out of date. %1: what changed.
inline const QString RecalculatedAtClose
    = QStringLiteral("Вынікі састарэлі (%1): перад захаваннем яны будуць пералічаны.");
// The same when text was edited by hand in the output. %1: what changed.
inline const QString AskedAtClose
    = QStringLiteral("Вынікі састарэлі (%1), а ў тэксце ёсць праўкі: пры захаванні будзе спытана, "
                     "ці пералічыць іх.");
// After UnsavedWorkQuestion when settings were given but nothing was recalculated.
inline const QString MadeAtClose = QStringLiteral("Перад захаваннем вынікі будуць пералічаны.");
// After UnsavedWorkQuestion when the settings file could not be read. %1: why.
inline const QString TablesGoElsewhere = QStringLiteral(
    "Файл налад не ўдалося прачытаць, і запісаць яго нельга:\n%1\nТабліцы ачкоў пойдуць у "
    "іншы файл.");
// The inspector dialog: why OK is off. %1: the characters needed.
inline const QString InspectorNameTooShort
    = QStringLiteral("Патрэбна не менш за %1 літары (без прабелаў па краях).");
inline const QString InspectorNameBadChar
    = QStringLiteral("Знакі «<», «>», «&» і кіруючыя знакі ў імені недапушчальныя: выдаліце іх.");

} // namespace ui::text
