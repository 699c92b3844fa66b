// The language the window speaks: Belarusian (the texts' own), Russian or English; how it is
// chosen, and the translators that make the window and Qt's own dialogs speak it.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>
#include <QTranslator>

#include "ui/belarusian_texts.h"

namespace ui {

enum class Language { Belarusian, Russian, English };
inline constexpr Language Languages[]
    = { Language::Belarusian, Language::Russian, Language::English };

QString LanguageCode(Language language); // "be", "ru", "en"
// A code as LanguageCode gives it (any case); nothing for any other text.
std::optional<Language> LanguageOfCode(const QString &code);
// The language's own name for itself ("Беларуская", "Русский", "English"): the same in every
// language of the window, so that one who cannot read the current one finds their own.
QString LanguageName(Language language);

// The first of the user's interface languages, in their order (QLocale::uiLanguages(): "ru-RU",
// "en", ...), that the window speaks; Belarusian when there is none.
Language SystemLanguage(const QStringList &uiLanguages);

// What chooses the language, strongest first: `--lang` on the command line, the choice kept in
// the settings file, the system's languages.
Language ChosenLanguage(std::optional<Language> commandLine, std::optional<Language> stored,
    const QStringList &uiLanguages);

// The `--lang` of the window's command line ("--lang ru" or "--lang=ru"), taken out of
// `arguments` (the program's name first), so that the rest are the protocol to read.
struct LanguageArgument
{
    std::optional<Language> Chosen;
    QString Error; // a value that is none of be, ru, en, or none at all; empty when fine
};
LanguageArgument TakeLanguageArgument(QStringList &arguments);

// Where the program's translations (lapwing_ru.qm, lapwing_en.qm) lie: "translations" beside
// the program (a build, an unpacked copy) when that folder exists, else
// "../share/lapwing/translations" from it (installed).
QString TranslationsFolder(const QString &programFolder);

// The window's texts and Qt's own dialogs (printing, print preview, file dialogs, message boxes)
// in `language` for as long as this lives. Russian: the program's Russian translation from
// `ownTranslations` and Qt's qtbase_ru from `qtTranslations`. English: the program's English
// and Qt's own texts. Belarusian: the texts as written; for Qt's dialogs the Belarusian texts of
// BelarusianTexts first, then Qt's Belarusian should it ever come, else its Russian (both are
// official in Belarus, the secretaries read it daily, the protocols themselves are Russian),
// which serves them better than English in the dialogs the Belarusian texts do not cover.
// A missing file is no error: its texts stay as written.
class InterfaceLanguage
{
public:
    InterfaceLanguage(
        Language language, const QString &ownTranslations, const QString &qtTranslations);
    ~InterfaceLanguage();
    InterfaceLanguage(const InterfaceLanguage &) = delete;
    InterfaceLanguage &operator=(const InterfaceLanguage &) = delete;

    QString QtTranslationFile() const; // the file taken; empty when none
    QString OwnTranslationFile() const; // the same
private:
    Language m_previous;
    QTranslator m_qt;
    QTranslator m_own;
    BelarusianTexts m_belarusian;
    bool m_belarusianInstalled = false;
};

// The language of the InterfaceLanguage alive now (the last made); Belarusian when none is.
Language ActiveLanguage();

} // namespace ui
