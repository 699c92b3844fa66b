#include "ui/Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTabWidget>

#include "engine/cp1251.h"
#include "engine/layout_check.h"
#include "engine/save.h"
#include "engine/time_check.h"
#include "ui/Unit2_Controler.h"
#include "ui/dialogs.h"
#include "ui/group_list.h"
#include "ui/group_list_editors.h"
#include "ui/busy_scope.h"
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

std::filesystem::path ToPath(const QString &text)
{
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

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
    ChooseOpenFile = [this] { return ui::RunFileDialog(OpenDialog1); };
    ChooseSaveFile = [this] { return ui::RunFileDialog(SaveDialog1); };
    ChooseSettingsFile = [this] { return ui::ChooseSettingsSaveFile(this); };
    ChoosePdfFile = [this] { return ui::RunFileDialog(PdfDialog1); };
    RunDialog = [](QDialog &dialog) { dialog.exec(); };

    CreateControls();
    LayOutControls();
    ConnectHandlers();
    FormCreate();
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
    m_groupEditors->Hide();
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
    event->accept();
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (!m_settingsWarning.isEmpty())
        ShowInformation(m_settingsWarning);
}

void TForm1::StepDone(ui::Step step)
{
    m_lastStep = step;
    ShowNextStep();
}

void TForm1::ShowNextStep()
{
    const ui::Step next = ui::NextStep({ m_lastStep, !LabeledEdit2->text().isEmpty() });
    const std::pair<ui::Step, QPushButton *> buttons[] = { { ui::Step::Choose, Button2 },
        { ui::Step::Read, Button3 }, { ui::Step::Recalculate, Button1 },
        { ui::Step::ChooseOutput, Button4 }, { ui::Step::Save, Button5 } };
    for (const auto &[step, button] : buttons) {
        SetBold(button, step == next);
        if (step == next)
            button->setFocus();
    }
}

void TForm1::Button2Click()
{
    const QString chosen = ChooseOpenFile();
    // A cancelled choice still reads whatever the edit holds.
    OpenProtocol(chosen.isEmpty() ? LabeledEdit1->text() : chosen);
}

void TForm1::OpenProtocol(const QString &path)
{
    LabeledEdit1->setText(path);
    StepDone(ui::Step::Choose);
    Button3Click();
}

void TForm1::Button3Click()
{
    {
        ui::BusyScope busy(this);
        ReadProtocol();
    }
    StepDone(ui::Step::Read);
}

void TForm1::ReadProtocol()
{
    m_groupEditors->Hide();
    const QString path = LabeledEdit1->text();
    if (path.isEmpty())
        return;
    // What was given for the protocol read so far is kept before another reading replaces it.
    StoreCompetition();
    // The groups as read, with the defaults; they take the settings given before once the read
    // went through, and a failed read leaves the window's groups as they were.
    std::vector<engine::GroupSettings> groups;
    const engine::Status loaded = engine::LoadProtocol(ToPath(path), m_protocolLines, groups);
    m_readPath = path; // what the lines now hold, nothing after a failure
    ListTab->Clear(); // of the protocol read before
    // A protocol in UTF-8 is saved back in UTF-8; the title says which one is open.
    setWindowTitle(m_protocolLines.Encoding().Encoding == engine::TextEncoding::Utf8
            ? ui::text::WindowCaption + ui::text::Utf8Suffix
            : ui::text::WindowCaption);
    // The fixed text first, then the file and what went wrong with it.
    const auto failed = [&](const engine::Failure &why) {
        ShowInformation(ui::text::LoadFailed + QLatin1Char('\n')
            + QString::fromStdString(
                engine::Describe(QDir::toNativeSeparators(path).toStdString(), why)));
    };
    if (!loaded) {
        m_competitionPath.clear(); // nothing of this protocol is kept or stored
        failed(loaded.Error());
        return;
    }
    const QString groupsNote = TakeGroupSettings(std::move(groups));
    // The list shows the groups read, none when the protocol has no headings.
    const bool filled = m_groupEditors->Refill(PointsTables().TableCaptions);
    if (m_groups.empty()) {
        failed({ 0, ui::text::NoHeadings.toStdString() });
        return;
    }
    if (!filled) {
        ShowInformation(ui::text::LoadFailed);
        return;
    }
    RememberProtocol(path);
    if (!groupsNote.isEmpty())
        ShowInformation(groupsNote);
    if (const QString notes = TableNotes(m_groups); !notes.isEmpty())
        ShowInformation(notes);
    if (const auto layout = engine::CheckTableLayouts(m_protocolLines, m_groups); !layout.empty())
        ShowInformation(QString::fromStdString(
            engine::DescribeLayoutProblems(QDir::toNativeSeparators(path).toStdString(), layout)));
    // Read as they stand, as the batch tool reads them; but a secretary should know of them.
    if (const std::string times
        = engine::DescribeImpossibleTimes(QDir::toNativeSeparators(path).toStdString(),
            engine::ImpossibleTimeLines(m_protocolLines, m_groups));
        !times.empty())
        ShowInformation(QString::fromStdString(times));
}

QString TForm1::TableNotes(const std::vector<engine::GroupSettings> &groups)
{
    if (std::none_of(groups.begin(), groups.end(), [](const auto &g) { return g.Table.has_value(); }))
        return ui::text::NoTables;
    QStringList notes;
    for (const auto &[kind, text] : { std::pair { engine::LayoutKind::Relay, ui::text::RelayTables },
             std::pair { engine::LayoutKind::Unknown, ui::text::UnknownTables },
             std::pair { engine::LayoutKind::Handicap, ui::text::HandicapTables } }) {
        QStringList names;
        for (const engine::GroupSettings &group : groups) {
            if (group.Table && group.Table->Layout.Kind == kind)
                names << ui::FromCp1251(group.Name);
        }
        if (!names.isEmpty())
            notes << text + names.join(QStringLiteral(", "));
    }
    return notes.join(QStringLiteral("\n"));
}

engine::ProcessOptions TForm1::ReadOptions() const
{
    engine::ProcessOptions options;
    options.RatingPoints = CheckBox1->isChecked();
    options.K1Text = ui::ToCp1251(LabeledEdit3->text());
    options.K2Text = ui::ToCp1251(LabeledEdit4->text());
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

void TForm1::Button1Click()
{
    // The lines in memory are of the protocol last read; the edit must not name another.
    if (LabeledEdit1->text() != m_readPath) {
        ShowInformation(ui::text::UnreadProtocol.arg(LabeledEdit1->text()));
        StepDone(ui::Step::Choose);
        return;
    }
    // A points value the field cannot hold would go into the protocol as it stands.
    if (!PointsValuesWritable())
        return;
    // The rewrite writes straight into the view's buffer. The view is emptied only when the
    // first line comes, so that a cancelled inspector request or a bad "К=" keeps what is shown;
    // by then the inspector has answered and the long part begins.
    std::optional<ui::BusyScope> busy;
    bool filling = false;
    const auto append = [&](std::string_view line) {
        if (!filling) {
            filling = true;
            busy.emplace(this);
            // Room for every line the rewrite makes, so the buffer is not regrown (and copied)
            // while it fills; pages not written are never touched.
            const engine::OutputSize room = engine::OutputSizeBound(m_protocolLines);
            Memo2->Clear(room.Bytes, room.Lines);
        }
        Memo2->AppendLine(line);
    };
    const engine::ProcessOptions options = ReadOptions();
    const engine::RewriteResult outcome = engine::RewriteProtocolTo(
        m_protocolLines, m_groups, options, PointsTables().Grid,
        [this] { return AskInspector(); }, append, &m_earned);
    if (outcome.Cancelled)
        return; // keep what is shown
    // The list is the run's own decisions: a run that failed has none.
    if (outcome.Ok())
        ListTab->SetList(engine::MakeQualificationList(m_protocolLines, m_groups, m_earned,
                             m_earned.Inspector, options.DecimalSeparator),
            m_protocolLines.Encoding());
    else
        ListTab->Clear();
    // A run stopped at a line shows what it produced; a bad "К=" stops before any output.
    if (filling || outcome.Ok())
        ShowOutput(filling);
    if (busy)
        busy->End();
    if (outcome.Failed()) {
        ShowError(ui::FromCp1251(outcome.Error().Reason));
        return;
    }
    StoreCompetition();
    StepDone(ui::Step::Recalculate);
}

void TForm1::ShowOutput(bool filled)
{
    if (!filled)
        Memo2->Clear();
    Memo2->FinishFill();
    // The first screen is painted now, while the wait cursor still shows.
    Memo2->viewport()->repaint();
    RefreshPreview();
}

std::vector<engine::ProtocolLine> TForm1::OutputToSave() const { return Memo2->Store().Lines(); }

void TForm1::Button4Click()
{
    const QString chosen = ChooseSaveFile();
    // Replacing a file is asked here, in the window's language; "Не" keeps the name there was.
    if (!chosen.isEmpty()
        && (!QFileInfo::exists(chosen)
            || Confirm(ui::text::OverwriteQuestion.arg(QDir::toNativeSeparators(chosen)))))
        LabeledEdit2->setText(chosen);
    StepDone(ui::Step::ChooseOutput);
}

void TForm1::Button5Click()
{
    const QString path = LabeledEdit2->text();
    if (path.isEmpty()) {
        ShowInformation(ui::text::NoOutputName);
        return;
    }
    // A character the code page lacks would be written as '?': say where it is instead.
    if (const std::optional<ui::UnencodableChar> bad = Memo2->Store().FirstUnencodable()) {
        ShowError(ui::text::UnencodableOutput.arg(bad->Line).arg(bad->Column).arg(bad->Character));
        return;
    }
    const engine::Status written = Memo2->Store().Save(ToPath(path), m_protocolLines.Encoding());
    if (!written) {
        ShowError(ui::text::SaveFailedDetail.arg(ui::text::SaveFailed,
            QDir::toNativeSeparators(path), QString::fromStdString(written.Error().Reason)));
        return;
    }
    const QString email = CollectorEmail->text().trimmed();
    ShowInformation(email.isEmpty() ? ui::text::SavedNoAddress
                                    : ui::text::SavedPrefix + email + ui::text::SavedSuffix);
    StoreCompetition();
    StepDone(ui::Step::Save);
}

void TForm1::CheckBox1Click()
{
    LabeledEdit3->setEnabled(CheckBox1->isChecked());
    LabeledEdit4->setEnabled(CheckBox1->isChecked());
}

void TForm1::checkUseVKClick()
{
    if (checkUseVK->isChecked())
        ShowInformation(ui::text::OutOfCompetitionWarning);
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
    if (OutputTabs->currentWidget() == Preview)
        Preview->SetProtocol(ui::JoinLines(Memo2->Store().Lines()));
}

void TForm1::PrintButtonClick()
{
    const std::unique_ptr<QPrintPreviewDialog> dialog
        = ui::MakePrintPreview(ui::JoinLines(Memo2->Store().Lines()), this);
    RunDialog(*dialog);
}

void TForm1::PdfButtonClick()
{
    PdfDialog1->selectFile(ui::DefaultPdfName(LabeledEdit2->text()));
    const QString path = ChoosePdfFile();
    // The dialog leaves asking about replacing a file to the window, as for the output.
    if (path.isEmpty()
        || (QFileInfo::exists(path)
            && !Confirm(ui::text::OverwriteQuestion.arg(QDir::toNativeSeparators(path)))))
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
    if (LabeledEdit2->text().isEmpty()) {
        Button4->click();
        if (LabeledEdit2->text().isEmpty())
            return; // the choice was cancelled or the file not to be replaced
    }
    Button5->click();
}
