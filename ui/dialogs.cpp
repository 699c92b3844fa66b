#include "ui/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/messages.h"

namespace ui {

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

bool AskOkCancel(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), question,
        QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

CloseAnswer AskCloseAnswer(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
        QMessageBox::NoButton, parent);
    QPushButton *save = box.addButton(text::SaveAndClose, QMessageBox::AcceptRole);
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

QFileDialog *CreateOpenDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent, text::OpenDialogTitle);
    dialog->setObjectName(QStringLiteral("OpenDialog1"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    // The last parenthesis of a filter holds its patterns; only the words before it are shown.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilters({ QStringLiteral("HTM-файлы (*.htm)"),
        QStringLiteral("RES-файлы (*.res)"), QStringLiteral("Ўсе файлы (*.*) (*)") });
    dialog->selectFile(QStringLiteral("Протокол_Результатов.htm"));
    return dialog;
}

QFileDialog *CreateSaveDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent);
    dialog->setObjectName(QStringLiteral("SaveDialog1"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    return dialog;
}

QString RunFileDialog(QFileDialog *dialog)
{
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

} // namespace ui
