#include "ui/dialogs.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QApplication>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/messages.h"

namespace ui {

namespace {

    constexpr int MessageWrapWidth = 500;
    constexpr int MessageFrameHeight = 100; // the box's margins and its button row

    void SetDialogLabels(QFileDialog *dialog, const QString &accept)
    {
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setLabelText(QFileDialog::LookIn, text::DialogLookIn());
        dialog->setLabelText(QFileDialog::FileName, text::DialogFileName());
        dialog->setLabelText(QFileDialog::FileType, text::DialogFileType());
        dialog->setLabelText(QFileDialog::Accept, accept);
        dialog->setLabelText(QFileDialog::Reject, text::DialogCancel());
    }

    void ShowLongMessage(QMessageBox &box, const QString &text, QSize size)
    {
        QDialog dialog(box.parentWidget());
        dialog.setObjectName(QStringLiteral("LongMessage"));
        dialog.setWindowTitle(box.windowTitle());
        auto *view = new QTextEdit(&dialog);
        view->setPlainText(text);
        view->setReadOnly(true);
        view->setLineWrapMode(QTextEdit::WidgetWidth);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        auto *icon = new QLabel(&dialog);
        icon->setPixmap(box.iconPixmap());
        auto *row = new QHBoxLayout;
        row->addWidget(icon, 0, Qt::AlignTop);
        row->addWidget(view, 1);
        auto *layout = new QVBoxLayout(&dialog);
        layout->addLayout(row, 1);
        layout->addWidget(buttons);
        dialog.resize(size);
        buttons->button(QDialogButtonBox::Ok)->setFocus();
        dialog.exec();
    }

} // namespace

void ShowMessage(QWidget *parent, MessageKind kind, const QString &text)
{
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information,
        QApplication::applicationName(), text, QMessageBox::Ok, parent);
    // A message box grows with its text, past the screen's bottom and its own OK button: a long
    // one (the tables of other layouts, say) shows its text in a view that scrolls.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().height() * 3 / 4 : 600;
    // The box wraps a long line at about 500 pixels once shown; its size hint before that does
    // not count the wrapped lines.
    const int wrapped = QFontMetrics(box.font())
                            .boundingRect(QRect(0, 0, MessageWrapWidth, 1 << 24),
                                Qt::TextWordWrap, text)
                            .height();
    if (std::max(box.sizeHint().height(), wrapped + MessageFrameHeight) > room)
        ShowLongMessage(box, text,
            QSize(std::clamp(box.sizeHint().width(), 480,
                      screen ? std::max(480, std::min(720, screen->availableGeometry().width() * 9 / 10))
                             : 720),
                room));
    else
        box.exec();
}

bool AskYesNo(QWidget *parent, const QString &question)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), question,
        QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(text::Yes());
    box.button(QMessageBox::No)->setText(text::No());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

namespace {

    // A question with three answers: the first is the default, the last what Escape and closing
    // the box give. Returns the index of the answer taken.
    int AskOneOfThree(QWidget *parent, QMessageBox::Icon icon, const QString &question,
        const std::array<std::pair<QString, QMessageBox::ButtonRole>, 3> &answers)
    {
        QMessageBox box(icon, QApplication::applicationName(), question, QMessageBox::NoButton,
            parent);
        std::array<QPushButton *, 3> buttons {};
        for (std::size_t k = 0; k < answers.size(); ++k)
            buttons[k] = box.addButton(answers[k].first, answers[k].second);
        box.setDefaultButton(buttons.front());
        box.setEscapeButton(buttons.back());
        box.exec();
        const auto taken = std::find(buttons.begin(), buttons.end(), box.clickedButton());
        return taken == buttons.end() ? 2 : static_cast<int>(taken - buttons.begin());
    }

} // namespace

CloseAnswer AskCloseAnswer(QWidget *parent, const QString &question, const QString &saveLabel)
{
    constexpr std::array answers { CloseAnswer::Save, CloseAnswer::Discard, CloseAnswer::Return };
    return answers[static_cast<std::size_t>(AskOneOfThree(parent, QMessageBox::Question, question,
        { std::pair { saveLabel, QMessageBox::AcceptRole },
            std::pair { text::DiscardAndClose(), QMessageBox::DestructiveRole },
            std::pair { text::ReturnToWindow(), QMessageBox::RejectRole } }))];
}

OutOfDateAnswer AskOutOfDateSave(QWidget *parent, const QString &question)
{
    constexpr std::array answers { OutOfDateAnswer::Recalculate, OutOfDateAnswer::SaveAsShown,
        OutOfDateAnswer::Return };
    return answers[static_cast<std::size_t>(AskOneOfThree(parent, QMessageBox::Warning, question,
        { std::pair { text::RecalculateAndSave(), QMessageBox::AcceptRole },
            std::pair { text::SaveAsShown(), QMessageBox::DestructiveRole },
            std::pair { text::ReturnToWindow(), QMessageBox::RejectRole } }))];
}

QFileDialog *CreateOpenDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent, text::OpenDialogTitle());
    dialog->setObjectName(QStringLiteral("OpenDialog1"));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    SetDialogLabels(dialog, text::DialogOpen()); // after the mode, which remakes the buttons
    dialog->setFileMode(QFileDialog::ExistingFile);
    // The last parenthesis of a filter holds its patterns; only the words before it are shown.
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilters(
        { ui::text::HtmFilesFilter(), ui::text::ResFilesFilter(), ui::text::AllFilesFilter() });
    dialog->selectFile(ui::text::DefaultProtocolName());
    return dialog;
}

QFileDialog *CreateSaveDialog(QWidget *parent)
{
    auto *dialog = new QFileDialog(parent, text::SaveDialogTitle());
    dialog->setObjectName(QStringLiteral("SaveDialog1"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    SetDialogLabels(dialog, text::DialogSave());
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    // The window asks about replacing a file itself, in Belarusian.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setNameFilters({ ui::text::HtmFileFilter(), ui::text::AllFilesFilter() });
    // A name typed without an extension gets ".htm".
    dialog->setDefaultSuffix(QStringLiteral("htm"));
    return dialog;
}

QString ChooseSettingsSaveFile(QWidget *parent)
{
    QFileDialog dialog(parent, text::SettingsDialogTitle());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    SetDialogLabels(&dialog, text::DialogSave());
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // asked by the window, in Belarusian
    dialog.setNameFilters({ ui::text::IniFilesFilter(), ui::text::AllFilesFilter() });
    dialog.setDefaultSuffix(QStringLiteral("INI"));
    return RunFileDialog(&dialog);
}

QString RunFileDialog(QFileDialog *dialog)
{
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // A path typed into the dialog makes its completer wait for the folder's listing, which
    // comes from another thread; when it comes after the dialog has closed, the completer would
    // open its list over the window, and that list takes every key (F9 and all) until clicked
    // away. Each completer is let go of its edit here; the edit takes it back when it gets the
    // focus the next time the dialog runs.
    for (QCompleter *completer : dialog->findChildren<QCompleter *>())
        completer->setWidget(nullptr);
    // The window under it takes the keyboard back as it closes (see KeyboardAfterDialogs).
    return accepted ? dialog->selectedFiles().value(0) : QString();
}

} // namespace ui
