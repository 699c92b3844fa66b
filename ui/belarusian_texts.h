// Belarusian for the texts Qt's own widgets show (file dialogs, standard buttons, edit menus):
// Qt ships no Belarusian translation, so the few the window's users meet are given here; and the
// program's choice of Qt's shipped translations for the rest.
#pragma once

#include <QString>
#include <QTranslator>

namespace ui {

class BelarusianTexts final : public QTranslator
{
    Q_OBJECT

public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText,
        const char *disambiguation = nullptr, int n = -1) const override;
};

// Qt's own dialogs (printing, print preview, file dialogs, message boxes) in the window's
// language for as long as it lives: the Belarusian texts above first, then Qt's translation
// nearest to it from `qtTranslations`, then Qt's English. Qt ships no Belarusian; a Belarusian
// one is taken should it ever come, else the Russian: both are official in Belarus, the
// secretaries read it daily (the protocols themselves are Russian), and it serves them better
// than English in the dialogs the Belarusian texts do not cover. A missing file is no error.
class InterfaceLanguage
{
public:
    explicit InterfaceLanguage(const QString &qtTranslations);
    ~InterfaceLanguage();
    InterfaceLanguage(const InterfaceLanguage &) = delete;
    InterfaceLanguage &operator=(const InterfaceLanguage &) = delete;

    QString QtTranslationFile() const; // the file taken; empty when none
private:
    QTranslator m_qt;
    BelarusianTexts m_belarusian;
};

} // namespace ui
