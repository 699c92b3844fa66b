// The texts of the window's dialogs and questions: the inspector's dialog, the About box, the
// file dialogs, the output view's menu, and the questions of saving out-of-date results and of
// closing with work not saved. Translated as the other texts of the window are (ui/messages.h).
#pragma once

#include <QCoreApplication>
#include <QString>

namespace ui::text {

// The inspector dialog.
inline QString InspectorLetterHint()
{
    return QCoreApplication::translate(
        "Lapwing", "Літары «%1» няма ў кадоўцы пратакола (Windows-1251): замяніце яе.");
}
inline QString InspectorTitle() { return QCoreApplication::translate("Lapwing", "Інспектар"); }
inline QString InspectorRule()
{
    return QCoreApplication::translate("Lapwing",
        "      Згодна з пп. 26.3, 31.4 Правілаў спаборніцтваў і пп. 2.10 інструкцыі "
        "СТК АКС аб парадку інспектавання спартыўных карт і дыстанцый усе дыстанцыі "
        "класса КМС павінны быць прыняты інспектарам!");
}
inline QString InspectorNameLabel()
{
    return QCoreApplication::translate("Lapwing", "Пазначце Фамілію, Імя інспектара:");
}
inline QString InspectorOk() { return QCoreApplication::translate("Lapwing", "OK"); }
inline QString InspectorCancel() { return QCoreApplication::translate("Lapwing", "Скасаваць"); }

// The About box.
inline QString AboutVersion() { return QCoreApplication::translate("Lapwing", "Версія %1"); }
inline QString AboutPurpose()
{
    return QCoreApplication::translate("Lapwing",
        "Вылічае выкананыя разрады і ачкі па пратаколе вынікаў спаборніцтваў па "
        "спартыўным арыентаванні.");
}
inline QString AboutLicence()
{
    return QCoreApplication::translate("Lapwing", "Распаўсюджваецца на ўмовах ліцэнзіі праекта.");
}
inline QString AboutSettingsFile() { return QCoreApplication::translate("Lapwing", "Файл налад:"); }
inline QString AboutClose() { return QCoreApplication::translate("Lapwing", "Закрыць"); }

// The file dialogs' filters and the protocol name they propose.
inline QString HtmFilesFilter()
{
    return QCoreApplication::translate("Lapwing", "HTM-файлы (*.htm *.html)");
}
inline QString ResFilesFilter()
{
    return QCoreApplication::translate("Lapwing", "RES-файлы (*.res)");
}
inline QString AllFilesFilter()
{
    return QCoreApplication::translate("Lapwing", "Ўсе файлы (*.*) (*)");
}
inline QString DefaultProtocolName() { return QStringLiteral("Протокол_Результатов.htm"); }
inline QString HtmFileFilter()
{
    return QCoreApplication::translate("Lapwing", "HTM-файлы (*.htm)");
}
inline QString IniFilesFilter()
{
    return QCoreApplication::translate("Lapwing", "INI-файлы (*.ini *.INI)");
}

// The output view's context menu.
inline QString UndoCommand() { return QCoreApplication::translate("Lapwing", "Адмяніць"); }
inline QString RedoCommand() { return QCoreApplication::translate("Lapwing", "Вярнуць"); }
inline QString CutCommand() { return QCoreApplication::translate("Lapwing", "Выразаць"); }
inline QString CopyCommand() { return QCoreApplication::translate("Lapwing", "Капіяваць"); }
inline QString PasteCommand() { return QCoreApplication::translate("Lapwing", "Уставіць"); }
inline QString SelectAllCommand() { return QCoreApplication::translate("Lapwing", "Вылучыць усё"); }

// Results that no longer match what is set, saving them, and closing with work not saved.
// %1: the file written, %2: the collector's address.
inline QString SavedTo()
{
    return QCoreApplication::translate(
        "Lapwing", "Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх на e-mail: %2. Дзякую!");
}
// With no collector's address set the message names none. %1: the file written.
inline QString SavedToNoAddress()
{
    return QCoreApplication::translate("Lapwing",
        "Вынікі захаваны ў файле «%1». Не забудзцеся даслаць іх зборшчыку вынікаў. Дзякую!");
}
inline QString NoResultsToSave()
{
    return QCoreApplication::translate(
        "Lapwing", "Няма вынікаў, каб захаваць: прачытайце пратакол і націсніце «3. Пералічыць».");
}
// What changed since the results were made, joined by ", ".
inline QString ProtocolReadAgain()
{
    return QCoreApplication::translate("Lapwing", "пратакол прачытаны зноў");
}
inline QString GroupsChanged()
{
    return QCoreApplication::translate("Lapwing", "змяніліся налады груп");
}
inline QString TablesChanged()
{
    return QCoreApplication::translate("Lapwing", "змяніліся табліцы ачкоў");
}
inline QString OptionsChanged()
{
    return QCoreApplication::translate("Lapwing", "змяніліся параметры пераліку");
}
inline QString RunFailed()
{
    return QCoreApplication::translate("Lapwing", "пералік спыніўся на памылцы");
}
// Beside the output's tabs. %1: what changed.
inline QString OutputOutOfDate()
{
    return QCoreApplication::translate(
        "Lapwing", "Вынікі састарэлі (%1): націсніце «3. Пералічыць».");
}
// %1: what changed.
inline QString SaveOutOfDateQuestion()
{
    return QCoreApplication::translate(
        "Lapwing", "Вынікі ў тэксце састарэлі: %1. Пералічыць іх і захаваць новыя?");
}
inline QString HandEditsLost()
{
    return QCoreApplication::translate(
        "Lapwing", "Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць.");
}
inline QString RecalculateAndSave()
{
    return QCoreApplication::translate("Lapwing", "Пералічыць і захаваць");
}
// "3. Пералічыць" with text edited by hand in the output.
inline QString RecalculateOverEdits()
{
    return QCoreApplication::translate(
        "Lapwing", "Праўкі, зробленыя ў тэксце ўручную, пры пераліку прападуць. Пералічыць?");
}
inline QString SaveAsShown() { return QCoreApplication::translate("Lapwing", "Захаваць як ёсць"); }
// At close: %1, what is not saved.
inline QString UnsavedWorkQuestion()
{
    return QCoreApplication::translate("Lapwing", "Не захавана: %1. Захаваць перад выхадам?");
}
inline QString UnsavedResults()
{
    return QCoreApplication::translate("Lapwing", "вынікі пераліку");
}
inline QString UnsavedGroups() { return QCoreApplication::translate("Lapwing", "налады груп"); }
inline QString UnsavedTables() { return QCoreApplication::translate("Lapwing", "табліцы ачкоў"); }
// After UnsavedWorkQuestion when the results are out of date. %1: what changed.
inline QString RecalculatedAtClose()
{
    return QCoreApplication::translate(
        "Lapwing", "Вынікі састарэлі (%1): перад захаваннем яны будуць пералічаны.");
}
// The same when text was edited by hand in the output. %1: what changed.
inline QString AskedAtClose()
{
    return QCoreApplication::translate("Lapwing",
        "Вынікі састарэлі (%1), а ў тэксце ёсць праўкі: пры захаванні будзе спытана, "
        "ці пералічыць іх.");
}
// After UnsavedWorkQuestion when settings were given but nothing was recalculated.
inline QString MadeAtClose()
{
    return QCoreApplication::translate("Lapwing", "Перад захаваннем вынікі будуць пералічаны.");
}
// After UnsavedWorkQuestion when the settings file could not be read. %1: why.
inline QString TablesGoElsewhere()
{
    return QCoreApplication::translate("Lapwing",
        "Файл налад не ўдалося прачытаць, і запісаць яго нельга:\n%1\nТабліцы ачкоў пойдуць у "
        "іншы файл.");
}
// The inspector dialog: why OK is off. %1: the characters needed.
inline QString InspectorNameTooShort()
{
    return QCoreApplication::translate(
        "Lapwing", "Патрэбна не менш за %1 літары (без прабелаў па краях).");
}
inline QString InspectorNameBadChar()
{
    return QCoreApplication::translate(
        "Lapwing", "Знакі «<», «>», «&» і кіруючыя знакі ў імені недапушчальныя: выдаліце іх.");
}

} // namespace ui::text
