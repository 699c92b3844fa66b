#include "ui/interface_language.h"

#include <QCoreApplication>
#include <QDir>

namespace ui {

namespace {

    Language g_active = Language::Belarusian;

} // namespace

QString LanguageCode(Language language)
{
    switch (language) {
    case Language::Russian:
        return QStringLiteral("ru");
    case Language::English:
        return QStringLiteral("en");
    case Language::Belarusian:
        break;
    }
    return QStringLiteral("be");
}

std::optional<Language> LanguageOfCode(const QString &code)
{
    for (const Language language : Languages) {
        if (code.compare(LanguageCode(language), Qt::CaseInsensitive) == 0)
            return language;
    }
    return std::nullopt;
}

QString LanguageName(Language language)
{
    switch (language) {
    case Language::Russian:
        return QStringLiteral("Русский");
    case Language::English:
        return QStringLiteral("English");
    case Language::Belarusian:
        break;
    }
    return QStringLiteral("Беларуская");
}

Language SystemLanguage(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        // "ru-RU", "be_BY", "en": the language is what comes before the territory.
        const QString code = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
        if (const std::optional<Language> language = LanguageOfCode(code))
            return *language;
    }
    return Language::Belarusian;
}

Language ChosenLanguage(std::optional<Language> commandLine, std::optional<Language> stored,
    const QStringList &uiLanguages)
{
    if (commandLine)
        return *commandLine;
    if (stored)
        return *stored;
    return SystemLanguage(uiLanguages);
}

LanguageArgument TakeLanguageArgument(QStringList &arguments)
{
    static const QString Option = QStringLiteral("--lang");
    LanguageArgument taken;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == Option) {
            if (i + 1 >= arguments.size()) {
                taken.Error = QStringLiteral("--lang needs a language: be, ru or en");
                arguments.remove(i);
                return taken;
            }
            value = arguments[i + 1];
            arguments.remove(i, 2);
        } else if (arguments[i].startsWith(Option + QLatin1Char('='))) {
            value = arguments[i].mid(Option.size() + 1);
            arguments.remove(i);
        } else {
            continue;
        }
        taken.Chosen = LanguageOfCode(value);
        if (!taken.Chosen)
            taken.Error = QStringLiteral("--lang %1: the languages are be, ru and en").arg(value);
        return taken;
    }
    return taken;
}

QString TranslationsFolder(const QString &programFolder)
{
    const QDir beside(programFolder + QStringLiteral("/translations"));
    if (beside.exists())
        return beside.absolutePath();
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/lapwing/translations"));
}

InterfaceLanguage::InterfaceLanguage(
    Language language, const QString &ownTranslations, const QString &qtTranslations)
    : m_previous(g_active)
{
    g_active = language;
    // The translator installed last is asked first.
    switch (language) {
    case Language::Belarusian:
        for (const char *name : { "qtbase_be", "qtbase_ru" }) {
            if (m_qt.load(QString::fromLatin1(name), qtTranslations)) {
                QCoreApplication::installTranslator(&m_qt);
                break;
            }
        }
        QCoreApplication::installTranslator(&m_belarusian);
        m_belarusianInstalled = true;
        break;
    case Language::Russian:
        if (m_qt.load(QStringLiteral("qtbase_ru"), qtTranslations))
            QCoreApplication::installTranslator(&m_qt);
        break;
    case Language::English:
        break; // Qt's own texts are English
    }
    if (language != Language::Belarusian
        && m_own.load(QStringLiteral("lapwing_") + LanguageCode(language), ownTranslations))
        QCoreApplication::installTranslator(&m_own);
}

InterfaceLanguage::~InterfaceLanguage()
{
    if (m_belarusianInstalled)
        QCoreApplication::removeTranslator(&m_belarusian);
    QCoreApplication::removeTranslator(&m_own);
    QCoreApplication::removeTranslator(&m_qt);
    g_active = m_previous;
}

QString InterfaceLanguage::QtTranslationFile() const { return m_qt.filePath(); }

QString InterfaceLanguage::OwnTranslationFile() const { return m_own.filePath(); }

Language ActiveLanguage() { return g_active; }

} // namespace ui
