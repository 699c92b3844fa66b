// The desktop program: the main window, then the inspector dialog, then the event loop.
#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStringList>
#include <QUrl>

#include "ui/Unit1.h"
#include "ui/Unit2_Controler.h"
#include "ui/belarusian_texts.h"

namespace {

// What a file manager passes to "open with": a path, or now and then a file URL.
QString ProtocolPathArgument(const QString &argument)
{
    const QUrl url(argument);
    const QString path = url.isLocalFile() ? url.toLocalFile() : argument;
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lapwing"));
    const ui::InterfaceLanguage language(QLibraryInfo::path(QLibraryInfo::TranslationsPath));

    TForm1 form;
    // Created once and kept, so that the inspector's name stays filled in for every run.
    TForm_Controler controler(&form);
    form.SetInspectorDialog(&controler);
    form.show();

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        form.OpenProtocol(ProtocolPathArgument(arguments.at(1)));
    return QApplication::exec();
}
