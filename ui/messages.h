// Texts the window and its dialogs show to the user (Belarusian, as QString).
#pragma once

#include <QString>

namespace ui::text {

inline const QString WindowCaption = QStringLiteral("Lapwing v1.9 - 8.02.2014");
inline const QString InitialOutput = QStringLiteral("Тут з'яўляеца апрацаваная версія");

inline const QString LoadFailed = QStringLiteral("Памылка пры адкрыцці файла");
// Said after LoadFailed when a protocol has no group heading at all.
inline const QString NoHeadings = QStringLiteral(
    "у пратаколе няма ніводнага загалоўка групы (\"<h2>\"), пералічваць няма чаго");
inline const QString SaveFailed = QStringLiteral("Памылка падчас запісу");
inline const QString NoOutputName = QStringLiteral("Вызначце імя файла");
// After the caption while the protocol read is in UTF-8 (and is saved back in it).
inline const QString Utf8Suffix = QStringLiteral(" — UTF-8");
inline const QString SavedPrefix
    = QStringLiteral("Вынікі захаваны ў файле. Не забудзцеся даслаць іх на e-mail: ");
inline const QString SavedSuffix = QStringLiteral(". Дзякую!");
// With no collector's address set the message names none.
inline const QString SavedNoAddress = QStringLiteral(
    "Вынікі захаваны ў файле. Не забудзцеся даслаць іх зборшчыку вынікаў. Дзякую!");
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

} // namespace ui::text
