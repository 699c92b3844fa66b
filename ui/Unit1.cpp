#include "ui/Unit1.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>

#include "engine/cp1251.h"
#include "engine/numbers.h"
#include "engine/save.h"
#include "ui/Unit2_Controler.h"
#include "ui/dialogs.h"
#include "ui/group_list.h"
#include "ui/group_list_editors.h"
#include "ui/busy_scope.h"
#include "ui/keyboard_focus.h"
#include "ui/messages.h"
#include "ui/output_view.h"
#include "ui/points_grid_view.h"
#include "ui/points_table_model.h"
#include "ui/about_dialog.h"
#include "ui/protocol_document.h"
#include "ui/protocol_preview.h"
#include "ui/protocol_printer.h"
#include "ui/qualification_list_tab.h"
#include "ui/text_codec.h"

namespace {

void SetBold(QPushButton *button, bool bold)
{
    QFont font = button->font();
    font.setBold(bold);
    button->setFont(font);
}

// The user's decimal separator as one Windows-1251 byte; a point when it is anything longer.
char LocaleDecimalSeparator()
{
    const std::string separator = ui::ToCp1251(QLocale::system().decimalPoint());
    return separator.size() == 1 ? separator.front() : '.';
}

// A "К=" text as the engine reads it: a point is taken for the user's separator as well.
std::string FactorText(const QString &text, char separator)
{
    std::string bytes = ui::ToCp1251(text);
    std::replace(bytes.begin(), bytes.end(), '.', separator);
    return bytes;
}

// The folder of a path the user gave; empty when there is none.
QString FolderOf(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo file(path);
    return file.absoluteDir().exists() ? file.absolutePath() : QString();
}

} // namespace

TForm1::TForm1(std::filesystem::path settingsPath, QWidget *parent)
    : QWidget(parent)
    , m_settingsPath(std::move(settingsPath))
{
    ShowInformation = [this](const QString &text) {
        ui::ShowMessage(this, ui::MessageKind::Information, text);
    };
    ShowError
        = [this](const QString &text) { ui::ShowMessage(this, ui::MessageKind::Error, text); };
    Confirm = [this](const QString &text) { return ui::AskYesNo(this, text); };
    AskClose = [this](const QString &text, const QString &save) {
        return ui::AskCloseAnswer(this, text, save);
    };
    AskOutOfDate = [this](const QString &text) { return ui::AskOutOfDateSave(this, text); };
    ChooseOpenFile = [this] { return ui::RunFileDialog(OpenDialog1); };
    ChooseSaveFile = [this] { return ui::RunFileDialog(SaveDialog1); };
    ChooseSettingsFile = [this] { return ui::ChooseSettingsSaveFile(this); };
    ChoosePdfFile = [this] { return ui::RunFileDialog(PdfDialog1); };
    RunDialog = [](QDialog &dialog) { dialog.exec(); };

    CreateControls();
    LayOutControls();
    ConnectHandlers();
    FormCreate();
    qApp->installEventFilter(new ui::KeyboardAfterDialogs(this));
}

TForm1::~TForm1()
{
    // The controls going away move the focus; the window must not hear of it any more.
    disconnect(qApp, nullptr, this, nullptr);
    CollectorEmail->disconnect(this);
}

const points::PointsTables &TForm1::PointsTables() const { return m_pointsModel->Tables(); }

void TForm1::FormCreate()
{
    ShowNextStep();
    SaveDialog1->selectFile(DefaultOutputName(QDate::currentDate()));
    LoadPointsTablesFile();
    RestoreLayout(points::ReadWindowLayout(m_settingsBytes));
    m_groupEditors->Hide();
}

points::WindowLayout TForm1::CurrentLayout() const
{
    const QSize size = isMaximized() ? normalGeometry().size() : this->size();
    const QList<int> parts = OutputSplitter->sizes();
    return { size.width(), size.height(), isMaximized(), parts.value(0), parts.value(1),
        OutputTabs->currentIndex() };
}

void TForm1::RestoreLayout(const points::WindowLayout &layout)
{
    if (layout.Width > 0 && layout.Height > 0) {
        // A size from a larger screen is cut to this one.
        QSize size(layout.Width, layout.Height);
        if (const QScreen *shown = screen())
            size = size.boundedTo(shown->availableGeometry().size());
        resize(size);
        this->layout()->activate();
    }
    if (layout.SettingsHeight > 0 && layout.OutputHeight > 0)
        OutputSplitter->setSizes({ layout.SettingsHeight, layout.OutputHeight });
    if (layout.Tab < OutputTabs->count())
        OutputTabs->setCurrentIndex(layout.Tab);
    if (layout.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::SaveLayout()
{
    const points::WindowLayout layout = CurrentLayout();
    if (!m_shown || layout == m_shownLayout
        || m_settingsOverwrite.Rule == points::OverwriteRule::Never)
        return;
    // Through the one path every change of the file takes. A layout not written is not worth a
    // message at every close (the file's other writes say why it cannot be written).
    if (engine::Result<std::string> written
        = points::UpdateSettingsFile(m_settingsPath, [&layout](std::string_view current) {
              return points::WithWindowLayout(current, layout);
          }))
        m_settingsBytes = std::move(written.Value());
}

QString TForm1::DefaultOutputName(const QDate &day)
{
    return day.toString(QStringLiteral("yyMMdd")) + QStringLiteral("_res.htm");
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!FormClose()) {
        event->ignore();
        return;
    }
    StoreCompetition();
    SaveLayout();
    event->accept();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Once the layout has settled: what the window looks like before the user changes it.
    m_shownLayout = CurrentLayout();
    QTimer::singleShot(0, this, [this] { m_shownLayout = CurrentLayout(); });
    if (!m_settingsWarning.isEmpty())
        ShowInformation(m_settingsWarning);
}

void TForm1::StepDone(ui::Step step)
{
    m_lastStep = step;
    ShowNextStep();
}

void TForm1::ShowNextStep(bool focus)
{
    const ui::Step next = ui::NextStep(
        { m_lastStep, !LabeledEdit2->text().isEmpty(), OutputChangesNow() != ui::NoChange });
    const std::pair<ui::Step, QPushButton *> buttons[] = { { ui::Step::Choose, Button2 },
        { ui::Step::Read, Button3 }, { ui::Step::Recalculate, Button1 },
        { ui::Step::ChooseOutput, Button4 }, { ui::Step::Save, Button5 } };
    for (const auto &[step, button] : buttons) {
        SetBold(button, step == next);
        if (step == next && focus)
            button->setFocus();
    }
}

void TForm1::Button2Click()
{
    // The dialog starts in the folder of the protocol named, where its next version lies.
    if (const QString folder = FolderOf(LabeledEdit1->text()); !folder.isEmpty())
        OpenDialog1->setDirectory(folder);
    const QString chosen = ChooseOpenFile();
    // A cancelled choice still reads whatever the edit holds.
    OpenProtocol(chosen.isEmpty() ? LabeledEdit1->text() : chosen);
}

engine::ProcessOptions TForm1::ReadOptions() const
{
    engine::ProcessOptions options;
    options.RatingPoints = CheckBox1->isChecked();
    options.K1Text = FactorText(LabeledEdit3->text(), LocaleDecimalSeparator());
    options.K2Text = FactorText(LabeledEdit4->text(), LocaleDecimalSeparator());
    options.CountOutOfCompetition = checkUseVK->isChecked();
    options.ExcludeForeign = CheckBox2->isChecked();
    options.DecimalSeparator = LocaleDecimalSeparator();
    return options;
}

std::optional<std::string> TForm1::AskInspector()
{
    if (!m_inspectorDialog || m_inspectorDialog->ShowModal() != TForm_Controler::ModalOk)
        return std::nullopt;
    return ui::ToCp1251(m_inspectorDialog->InspectorName());
}

void TForm1::Button1Click() { Recalculate(); }

bool TForm1::FactorsAreNumbers()
{
    if (!CheckBox1->isChecked())
        return true;
    const char separator = LocaleDecimalSeparator();
    for (const auto &[edit, field] : { std::pair { LabeledEdit3, ui::text::FirstFactorField() },
             std::pair { LabeledEdit4, ui::text::SecondFactorField() } }) {
        if (engine::ParseFloat(FactorText(edit->text(), separator), separator))
            continue;
        const QString own = QString::fromLatin1(&separator, 1);
        ShowError(ui::text::FactorNotANumber().arg(field, edit->text(),
            separator == '.' ? ui::text::FactorPoint() : ui::text::FactorSeparators().arg(own),
            QStringLiteral("1") + own + QStringLiteral("5")));
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    return true;
}

void TForm1::Button4Click()
{
    // Beside the output named before, or else beside the protocol read.
    QString folder = FolderOf(LabeledEdit2->text());
    if (folder.isEmpty())
        folder = FolderOf(m_readPath);
    if (!folder.isEmpty())
        SaveDialog1->setDirectory(folder);
    const QString chosen = ChooseSaveFile();
    // Replacing a file is asked here, in the window's language; "Не" keeps the name there was.
    if (!chosen.isEmpty()
        && (!QFileInfo::exists(chosen)
            || Confirm(ui::text::OverwriteQuestion().arg(QDir::toNativeSeparators(chosen)))))
        LabeledEdit2->setText(chosen);
    StepDone(ui::Step::ChooseOutput);
}

void TForm1::CheckBox1Click()
{
    LabeledEdit3->setEnabled(CheckBox1->isChecked());
    LabeledEdit4->setEnabled(CheckBox1->isChecked());
}

void TForm1::checkUseVKClick()
{
    if (checkUseVK->isChecked())
        ShowInformation(ui::text::OutOfCompetitionWarning());
}

// The group list's editors do the work; these are the handlers' names for it.
void TForm1::StringGrid2SelectCell(int col, int row) { m_groupEditors->SelectCell(col, row); }
void TForm1::cbMaxKvalExit() { m_groupEditors->CommitClass(); }
void TForm1::ComboBox4Exit() { m_groupEditors->CommitCategory(); }
void TForm1::ComboBox3Exit() { m_groupEditors->CommitTable(); }
void TForm1::ebMastersCountExit() { m_groupEditors->CommitMastersCount(); }
bool TForm1::ebMastersCountKeyDown(int key) { return m_groupEditors->MastersCountKey(key); }

void TForm1::RefreshPreview()
{
    if (OutputTabs->currentWidget() != Preview)
        return;
    // Only the page shown is laid out, read from the view's lines without a copy of them all.
    ui::BusyScope busy(this);
    const ui::OutputStore &store = Memo2->Store();
    Preview->SetLines(store.LineCount(), [&store](qsizetype line) { return store.Text(line); });
}

void TForm1::PrintButtonClick()
{
    const std::unique_ptr<QPrintPreviewDialog> dialog
        = ui::MakePrintPreview(ui::JoinLines(Memo2->Store().Lines()), this);
    RunDialog(*dialog);
}

void TForm1::PdfButtonClick()
{
    if (const QString folder = FolderOf(m_readPath); !folder.isEmpty())
        PdfDialog1->setDirectory(folder);
    PdfDialog1->selectFile(ui::DefaultPdfName(LabeledEdit2->text()));
    const QString path = ChoosePdfFile();
    // The dialog leaves asking about replacing a file to the window, as for the output.
    if (path.isEmpty()
        || (QFileInfo::exists(path)
            && !Confirm(ui::text::OverwriteQuestion().arg(QDir::toNativeSeparators(path)))))
        return;
    const ui::PrintOutcome outcome = ui::WritePdf(path, ui::JoinLines(Memo2->Store().Lines()));
    if (!outcome)
        ShowError(QString::fromStdString(outcome.Error().Reason));
}

void TForm1::AboutButtonClick()
{
    const QString settings = QFile::decodeName(QByteArray::fromStdString(m_settingsPath.string()));
    ui::AboutDialog about(QDir::toNativeSeparators(settings), this);
    RunDialog(about);
}

void TForm1::SaveShortcut()
{
    // No file is asked for when there is nothing to put into it.
    if (!HasResults()) {
        ShowInformation(ui::text::NoResultsToSave());
        return;
    }
    if (LabeledEdit2->text().isEmpty()) {
        Button4->click();
        if (LabeledEdit2->text().isEmpty())
            return; // the choice was cancelled or the file not to be replaced
    }
    Button5->click();
}
