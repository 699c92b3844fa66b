// Helpers of the window tests: files, typing any text, clicking cells, answering the dialog.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>
#include <QStringList>
#include <QTemporaryDir>

#include "ui/Unit1.h"
#include "ui/Unit2_Controler.h"
#include "ui/output_view.h"

class QAbstractItemView;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
namespace ui {
class PointsGridView;
}

namespace test {

// The window's controls, found by their object names.
struct Controls
{
    explicit Controls(const TForm1 &form);
    QLabel *LabeledEdit1Label;
    QLineEdit *LabeledEdit1;
    QPushButton *Button2;
    QPushButton *Button3;
    QLabel *Label2;
    QTableView *StringGrid2;
    QLabel *Label3;
    ui::PointsGridView *StringGrid1;
    QCheckBox *checkUseVK;
    QCheckBox *CheckBox1;
    QLabel *LabeledEdit3Label;
    QLineEdit *LabeledEdit3;
    QLabel *LabeledEdit4Label;
    QLineEdit *LabeledEdit4;
    QPushButton *Button1;
    QCheckBox *CheckBox2;
    ui::OutputView *Memo2;
    QLabel *LabeledEdit2Label;
    QLineEdit *LabeledEdit2;
    QPushButton *Button4;
    QPushButton *Button5;
    QFileDialog *OpenDialog1;
    QFileDialog *SaveDialog1;
    QComboBox *cbMaxKval;
    QComboBox *ComboBox4;
    QLineEdit *ebMastersCount;
    QComboBox *ComboBox3;
};
inline Controls W(const TForm1 &form) { return Controls(form); }

std::filesystem::path ExamplesDir();
std::string ReadBytes(const std::filesystem::path &path);
void WriteBytes(const std::filesystem::path &path, std::string_view bytes);
QString PathText(const std::filesystem::path &path);
QString Utf8(const char *text);

// Sends each character as a key press and release; works for Cyrillic text too.
void TypeText(QWidget *widget, const QString &text);
void ClickCell(QAbstractItemView *view, int row, int col);
// Chooses an item of an open list editor as the user does: Alt+Down opens the list, Enter
// takes the item `step` places from the current one.
void StepChoice(QComboBox *combo, int step);
QString CellText(const QAbstractItemView *view, int row, int col);

// The window with its settings file in a temporary folder, every message box and file dialog
// answered by the test, shown and active.
class Window
{
public:
    // `settings`: the settings file's bytes, or nothing for a missing file; `settingsName`: its
    // path inside the temporary folder.
    explicit Window(const std::optional<std::string> &settings = std::nullopt,
        std::string settingsName = "lapwing.INI");
    ~Window();

    TForm1 &Form() { return *m_form; }
    TForm_Controler &Dialog() { return *m_dialog; }
    std::filesystem::path SettingsPath() const;
    std::filesystem::path TempPath(const char *name) const;
    bool ShowAndActivate();
    // Closes the window and starts a new one on the same settings file, as a restart does.
    void Restart();

    QStringList Informations; // texts of information boxes, in order
    QStringList Errors;
    QStringList Confirmations; // yes-or-no questions (replacing a file)
    bool ConfirmAnswer = true;
    QStringList CloseQuestions;
    QStringList CloseSaveLabels; // the "save" button's text of each close question
    ui::CloseAnswer CloseAnswer = ui::CloseAnswer::Save;
    QString OpenChoice; // what the open dialog returns; empty: cancelled
    QString SaveChoice;
    QString SettingsChoice; // where the tables go when their own file may not be written
    int SettingsChoices = 0; // times that dialog was shown
    QStringList OutOfDateQuestions; // saving results out of date
    ui::OutOfDateAnswer OutOfDateAnswer = ui::OutOfDateAnswer::Recalculate;

private:
    void Create();

    QTemporaryDir m_dir;
    std::string m_settingsName;
    std::unique_ptr<TForm1> m_form;
    std::unique_ptr<TForm_Controler> m_dialog;
};

// Acts on the inspector dialog each time it is shown, once its modal loop runs.
class InspectorAnswer : public QObject
{
    Q_OBJECT

public:
    InspectorAnswer(TForm_Controler &dialog, std::function<void(TForm_Controler &)> action);
    int Shows() const { return m_shows; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TForm_Controler &m_dialog;
    std::function<void(TForm_Controler &)> m_action;
    int m_shows = 0;
};

} // namespace test
