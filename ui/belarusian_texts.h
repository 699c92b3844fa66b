// Belarusian for the texts Qt's own widgets show (file dialogs, standard buttons, edit menus):
// Qt ships no Belarusian translation, so the few the window's users meet are given here.
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

} // namespace ui
