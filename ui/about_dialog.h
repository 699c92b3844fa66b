// "Пра праграму": the program's name, version, purpose, licence and settings file.
//
// Wiring in the main window: a "Пра праграму" button or Help menu entry runs
//     ui::AboutDialog(settingsPath, this).exec();
// with the path of the settings file the window reads and writes (`m_settingsPath` as text).
#pragma once

#include <QDialog>

class QLineEdit;

namespace ui {

// The version the build was made from ("1.9").
QString ProgramVersion();

// The settings file's path is shown in a read-only edit, so the secretary can select and copy
// it to find the file and back it up.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(const QString &settingsPath, QWidget *parent = nullptr);

    QLineEdit *SettingsPathEdit() const { return m_settingsPath; }

private:
    QLineEdit *m_settingsPath;
};

} // namespace ui
