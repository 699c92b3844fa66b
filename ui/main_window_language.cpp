// TForm1's "Мова": the window's language, kept in the settings file; the window made anew in it.
#include "ui/Unit1.h"

#include <QActionGroup>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>

#include "points/app_settings.h"
#include "ui/interface_language.h"
#include "ui/messages.h"

void TForm1::CreateLanguageMenu()
{
    // Beside "Перачытаць", like "Апошнія": the row below has no room to spare.
    LanguageButton = new QPushButton(this);
    LanguageButton->setObjectName(QStringLiteral("LanguageButton"));
    LanguageButton->setText(ui::text::LanguageButton());
    LanguageButton->setToolTip(ui::text::LanguageButtonTip());
    auto *menu = new QMenu(LanguageButton);
    menu->setObjectName(QStringLiteral("LanguageMenu"));
    auto *choices = new QActionGroup(menu);
    const auto add = [&](const QString &name, const QString &code) {
        QAction *action = menu->addAction(name);
        action->setCheckable(true);
        action->setData(code);
        choices->addAction(action);
        connect(action, &QAction::triggered, this, [this, code] { LanguageChosen(code); });
    };
    add(ui::text::LanguageAsSystem(), QString());
    menu->addSeparator();
    // Each language in its own words, so that a secretary who cannot read the window's finds it.
    for (const ui::Language language : ui::Languages)
        add(ui::LanguageName(language), ui::LanguageCode(language));
    LanguageButton->setMenu(menu);
}

void TForm1::ShowLanguageChoice()
{
    const QString kept
        = QString::fromStdString(points::InterfaceLanguage(m_settingsBytes)).toLower();
    const QString code = ui::LanguageOfCode(kept) ? kept : QString();
    for (QAction *action : LanguageButton->menu()->actions()) {
        if (action->isCheckable())
            action->setChecked(action->data().toString() == code);
    }
}

void TForm1::LanguageChosen(const QString &code)
{
    const bool kept = UpdateSettings([&code](std::string_view current) {
        return points::WithInterfaceLanguage(current, code.toStdString());
    });
    ShowLanguageChoice(); // what the file holds now, also when it could not be written
    if (!kept)
        return;
    // The window's texts are set as it is made: it speaks another language once made anew. It
    // closes as it always does (asking about work not saved, keeping the competition's
    // settings), and the program makes it again on the protocol it had read.
    const ui::Language next = ui::ChosenLanguage(
        std::nullopt, ui::LanguageOfCode(code), QLocale::system().uiLanguages());
    if (next == ui::ActiveLanguage() || !Confirm(ui::text::LanguageRestartQuestion()))
        return;
    m_restartRequested = true;
    if (!close())
        m_restartRequested = false; // the user went back to the window
}

QString TForm1::ProtocolPath() const { return m_protocolLines.empty() ? QString() : m_readPath; }

QString TForm1::OutputName() const { return LabeledEdit2->text(); }

void TForm1::SetOutputName(const QString &name) { LabeledEdit2->setText(name); }
