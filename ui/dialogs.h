// The window's message boxes and file dialogs, with Belarusian captions and buttons (Qt ships
// no Belarusian translation, so every text the user sees is set here).
#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace ui {

enum class MessageKind { Information, Error };
void ShowMessage(QWidget *parent, MessageKind kind, const QString &text);

// "Так" or "Не"; Escape and closing the box answer "Не".
bool AskYesNo(QWidget *parent, const QString &question);

// The answer to the question asked at close about edited points tables.
enum class CloseAnswer { Save, Discard, Return };
// Escape and closing the box return to the window: nothing is lost either way. `saveLabel` is
// the text of the "save" button.
CloseAnswer AskCloseAnswer(QWidget *parent, const QString &question, const QString &saveLabel);

// The answer to the question asked when results out of date are to be saved.
enum class OutOfDateAnswer { Recalculate, SaveAsShown, Return };
// "Пералічыць і захаваць" is the default; Escape and closing the box return to the window.
OutOfDateAnswer AskOutOfDateSave(QWidget *parent, const QString &question);

// Non-native dialogs, so that their captions and buttons can be given Belarusian texts.
QFileDialog *CreateOpenDialog(QWidget *parent);
QFileDialog *CreateSaveDialog(QWidget *parent);
// A file for the points tables when their own settings file may not be written; empty when
// cancelled.
QString ChooseSettingsSaveFile(QWidget *parent);
// The chosen file, or empty when the dialog was cancelled.
QString RunFileDialog(QFileDialog *dialog);

} // namespace ui
