#include "ui_test_support.h"

#include <fstream>
#include <iterator>
#include <utility>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

#include "ui/points_grid_view.h"

namespace test {

namespace {

    // A control the tests need must exist: a missing one fails loudly rather than crashing later.
    template <typename Widget> Widget *Find(const TForm1 &form, const char *name)
    {
        auto *widget = form.findChild<Widget *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control named %s", name);
        return widget;
    }

} // namespace

Controls::Controls(const TForm1 &form)
    : LabeledEdit1Label(Find<QLabel>(form, "LabeledEdit1Label"))
    , LabeledEdit1(Find<QLineEdit>(form, "LabeledEdit1"))
    , Button2(Find<QPushButton>(form, "Button2"))
    , Button3(Find<QPushButton>(form, "Button3"))
    , Label2(Find<QLabel>(form, "Label2"))
    , StringGrid2(Find<QTableView>(form, "StringGrid2"))
    , Label3(Find<QLabel>(form, "Label3"))
    , StringGrid1(Find<ui::PointsGridView>(form, "StringGrid1"))
    , checkUseVK(Find<QCheckBox>(form, "checkUseVK"))
    , CheckBox1(Find<QCheckBox>(form, "CheckBox1"))
    , LabeledEdit3Label(Find<QLabel>(form, "LabeledEdit3Label"))
    , LabeledEdit3(Find<QLineEdit>(form, "LabeledEdit3"))
    , LabeledEdit4Label(Find<QLabel>(form, "LabeledEdit4Label"))
    , LabeledEdit4(Find<QLineEdit>(form, "LabeledEdit4"))
    , Button1(Find<QPushButton>(form, "Button1"))
    , CheckBox2(Find<QCheckBox>(form, "CheckBox2"))
    , Memo2(Find<ui::OutputView>(form, "Memo2"))
    , LabeledEdit2Label(Find<QLabel>(form, "LabeledEdit2Label"))
    , LabeledEdit2(Find<QLineEdit>(form, "LabeledEdit2"))
    , Button4(Find<QPushButton>(form, "Button4"))
    , Button5(Find<QPushButton>(form, "Button5"))
    , OpenDialog1(Find<QFileDialog>(form, "OpenDialog1"))
    , SaveDialog1(Find<QFileDialog>(form, "SaveDialog1"))
    , cbMaxKval(Find<QComboBox>(form, "cbMaxKval"))
    , ComboBox4(Find<QComboBox>(form, "ComboBox4"))
    , ebMastersCount(Find<QLineEdit>(form, "ebMastersCount"))
    , ComboBox3(Find<QComboBox>(form, "ComboBox3"))
{
}

std::filesystem::path ExamplesDir() { return LAPWING_EXAMPLES_DIR; }

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void WriteBytes(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

QString PathText(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString Utf8(const char *text) { return QString::fromUtf8(text); }

void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        const Qt::Key key = c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

void ClickCell(QAbstractItemView *view, int row, int col)
{
    const QModelIndex index = view->model()->index(row, col);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void StepChoice(QComboBox *combo, int step)
{
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView *list = combo->view();
    if (!QTest::qWaitForWindowExposed(list->window()))
        qFatal("the list of %s did not open", qPrintable(combo->objectName()));
    list->setCurrentIndex(list->model()->index(combo->currentIndex() + step, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

QString CellText(const QAbstractItemView *view, int row, int col)
{
    return view->model()->index(row, col).data().toString();
}

Window::Window(const std::optional<std::string> &settings, std::string settingsName)
    : m_settingsName(std::move(settingsName))
{
    if (settings)
        WriteBytes(SettingsPath(), *settings);
    Create();
}

void Window::Restart()
{
    // Closed as by a user who does not save the results (the close question asks of them).
    const ui::CloseAnswer answer = std::exchange(CloseAnswer, ui::CloseAnswer::Discard);
    m_form->close();
    CloseAnswer = answer;
    m_dialog.reset();
    m_form.reset();
    Create();
}

void Window::Create()
{
    m_form = std::make_unique<TForm1>(SettingsPath());
    m_dialog = std::make_unique<TForm_Controler>(m_form.get());
    m_form->SetInspectorDialog(m_dialog.get());
    m_form->ShowInformation = [this](const QString &text) { Informations.append(text); };
    m_form->ShowError = [this](const QString &text) { Errors.append(text); };
    m_form->Confirm = [this](const QString &text) {
        Confirmations.append(text);
        return ConfirmAnswer;
    };
    m_form->AskClose = [this](const QString &text, const QString &saveLabel) {
        CloseQuestions.append(text);
        CloseSaveLabels.append(saveLabel);
        return CloseAnswer;
    };
    m_form->AskOutOfDate = [this](const QString &text) {
        OutOfDateQuestions.append(text);
        return OutOfDateAnswer;
    };
    m_form->ChooseOpenFile = [this] { return OpenChoice; };
    m_form->ChooseSaveFile = [this] { return SaveChoice; };
    m_form->ChooseSettingsFile = [this] {
        ++SettingsChoices;
        return SettingsChoice;
    };
}

Window::~Window()
{
    // Leaving the test must not ask about the tables.
    m_form->AskClose = [](const QString &, const QString &) { return ui::CloseAnswer::Discard; };
    m_dialog.reset();
    m_form.reset();
}

std::filesystem::path Window::SettingsPath() const { return TempPath(m_settingsName.c_str()); }

std::filesystem::path Window::TempPath(const char *name) const
{
    return std::filesystem::path(QFile::encodeName(m_dir.path()).toStdString()) / name;
}

bool Window::ShowAndActivate()
{
    m_form->show();
    m_form->activateWindow();
    // After a modal dialog the offscreen platform already counts the window as focused and so
    // reports no change; a window manager would activate it.
    if (QApplication::activeWindow() != m_form.get())
        QApplication::setActiveWindow(m_form.get());
    return QTest::qWaitForWindowActive(m_form.get());
}

InspectorAnswer::InspectorAnswer(
    TForm_Controler &dialog, std::function<void(TForm_Controler &)> action)
    : m_dialog(dialog)
    , m_action(std::move(action))
{
    m_dialog.installEventFilter(this);
}

bool InspectorAnswer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_dialog && event->type() == QEvent::Show) {
        ++m_shows;
        // The modal loop starts once the dialog is shown; answer from inside it.
        QTimer::singleShot(0, this, [this] {
            m_dialog.activateWindow();
            if (QTest::qWaitForWindowActive(&m_dialog))
                m_action(m_dialog);
            // A failed check inside the action must not leave the test waiting on the dialog.
            if (m_dialog.isVisible())
                m_dialog.reject();
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace test
