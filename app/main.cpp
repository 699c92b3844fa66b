// The desktop program: the window's language, the main window, then the inspector dialog, then
// the event loop; again when the window closed to speak another language.
#include <cstdio>
#include <optional>

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QUrl>

#include "points/app_settings.h"
#include "points/settings_location.h"
#include "ui/Unit1.h"
#include "ui/Unit2_Controler.h"
#include "ui/interface_language.h"

namespace {

// What a file manager passes to "open with": a path, or now and then a file URL.
QString ProtocolPathArgument(const QString &argument)
{
    const QUrl url(argument);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    return QFileInfo(path).absoluteFilePath();
}

// The language chosen in the window and kept in the settings file, if any.
std::optional<ui::Language> StoredLanguage(const std::filesystem::path &settingsPath)
{
    const engine::Result<std::string> bytes = points::ReadSettingsFile(settingsPath);
    if (!bytes)
        return std::nullopt; // the window says why it cannot read the file
    return ui::LanguageOfCode(QString::fromStdString(points::InterfaceLanguage(bytes.Value())));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lapwing"));
    QStringList arguments = QApplication::arguments();
    const ui::LanguageArgument languageArgument = ui::TakeLanguageArgument(arguments);
    if (!languageArgument.Error.isEmpty()) {
        std::fprintf(stderr, "lapwing: %s\n", qPrintable(languageArgument.Error));
        return 2;
    }
    const std::filesystem::path settingsPath = points::SettingsFilePath();
    std::optional<ui::Language> commandLine = languageArgument.Chosen;
    QString protocol = arguments.size() > 1 ? ProtocolPathArgument(arguments.at(1)) : QString();
    QString output; // the output file named in the window before it was made anew
    // The window is made anew, on the protocol it had read, when "Мова" chose another language.
    for (;;) {
        const ui::InterfaceLanguage language(
            ui::ChosenLanguage(
                commandLine, StoredLanguage(settingsPath), QLocale::system().uiLanguages()),
            ui::TranslationsFolder(QApplication::applicationDirPath()),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));

        TForm1 form(settingsPath);
        // Created once and kept, so that the inspector's name stays filled in for every run.
        TForm_Controler controler(&form);
        form.SetInspectorDialog(&controler);
        form.show();
        if (!protocol.isEmpty())
            form.OpenProtocol(protocol);
        if (!output.isEmpty())
            form.SetOutputName(output);
        const int status = QApplication::exec();
        if (!form.RestartRequested())
            return status;
        protocol = form.ProtocolPath();
        output = form.OutputName();
        commandLine.reset(); // the choice just made is the one kept
    }
}
