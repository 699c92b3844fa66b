#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/messages.h"

namespace ui {

namespace {

    void SetDialogLabels(QFileDialog *dialog, const QString &accept)
    {
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setLabelText(QFileDialog::LookIn, text::DialogLookIn);
        dialog->setLabelText(QFileDialog::FileName, text::DialogFileName);
        dialog->setLabelText(QFileDialog::FileType, text::DialogFileType);
        dialog->setLabelText(QFileDialog::Accept, accept);
        dialog->setLabelText(QFileDialog::Reject, text::DialogCancel);
    }

} // namespace

void ShowMessage(QWidget *parent, MessageKind kind, const QString &text)
{
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
        QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool AskYesNo(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
        QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(text::Yes);
    box.button(QMessageBox::No)->setText(text::No);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

CloseAnswer AskCloseAnswer(QWidget *parent, const QString &question, const QString &saveLabel)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
        QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(saveLabel, QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(text::DiscardAndClose, QMessageBox::DestructiveRole);
    QPushButton *back = box.addButton(text::ReturnToWindow, QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(back);
    box.exec();
    if (box.clickedButton() == save)
        return CloseAnswer::Save;
    if (box.clickedButton() == discard)
        return CloseAnswer::Discard;
    return CloseAnswer::Return;
}

OutOfDateAnswer AskOutOfDateSave(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Warning, QApplication::applicationName(), question,
        QMessageBox::NoButton, parent);
    QPushButton *recalculate = box.addButton(text::RecalculateAndSave, QMessageBox::AcceptRole);
    QPushButton *asShown = box.addButton(text::SaveAsShown, QMessageBox::DestructiveRole);
    QPushButton *back = box.addButton(text::ReturnToWindow, QMessageBox::RejectRole);
    box.setDefaultButton(recalculate);
    box.setEscapeButton(back);
    box.exec();
    if (box.clickedButton() == recalculate)
        return OutOfDateAnswer::Recalculate;
    if (box.clickedButton() == asShown)
        return OutOfDateAnswer::SaveAsShown;
    return OutOfDateAnswer::Return;
}

QFileDialog *CreateOpenDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent, text::OpenDialogTitle);
    dialog->setObjectName(QStringLiteral("OpenDialog1"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    SetDialogLabels(dialog, text::DialogOpen); // after the mode, which remakes the buttons
    dialog->setFileMode(QFileDialog::ExistingFile);
    // The last parenthesis of a filter holds its patterns; only the words before it are shown.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilters(
        { ui::text::HtmFilesFilter, ui::text::ResFilesFilter, ui::text::AllFilesFilter });
    dialog->selectFile(ui::text::DefaultProtocolName);
    return dialog;
}

QFileDialog *CreateSaveDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent, text::SaveDialogTitle);
    dialog->setObjectName(QStringLiteral("SaveDialog1"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    SetDialogLabels(dialog, text::DialogSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    // The window asks about replacing a file itself, in Belarusian.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setNameFilters({ ui::text::HtmFileFilter, ui::text::AllFilesFilter });
    // A name typed without an extension gets ".htm".
    dialog->setDefaultSuffix(QStringLiteral("htm"));
    return dialog;
}

QString ChooseSettingsSaveFile(QWidget *parent)
{
    QFileDialog dialog(parent, text::SettingsDialogTitle);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    SetDialogLabels(&dialog, text::DialogSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked by the window, in Belarusian
    dialog.setNameFilters({ ui::text::IniFilesFilter, ui::text::AllFilesFilter });
    dialog.setDefaultSuffix(QStringLiteral("INI"));
    return RunFileDialog(&dialog);
}

QString RunFileDialog(QFileDialog *dialog)
{
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

} // namespace ui
