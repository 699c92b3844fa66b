// The window's results: "3. Пералічыць" into the output view, whether what is shown is still
// what the protocol, the groups, the tables and the options give, and "5. Захаваць".
#include "ui/Unit1.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QStringList>

#include "ui/busy_scope.h"
#include "ui/messages.h"
#include "ui/output_view.h"
#include "ui/qualification_list_tab.h"
#include "ui/text_codec.h"

bool TForm1::Recalculate(bool editsAsked)
{
    // The lines in memory are of the protocol last read; the edit must not name another.
    if (LabeledEdit1->text() != m_readPath) {
        ShowInformation(ui::text::UnreadProtocol().arg(LabeledEdit1->text()));
        StepDone(ui::Step::Choose);
        return false;
    }
    if (!FactorsAreNumbers())
        return false;
    // A points value the field cannot hold would go into the protocol as it stands.
    if (!PointsValuesWritable())
        return false;
    if (!editsAsked && Memo2->HandEdited() && !Confirm(ui::text::RecalculateOverEdits()))
        return false;
    // The inputs as the run takes them: what the results are compared with from now on.
    ui::OutputInputs inputs { m_reads, m_groups, PointsTables().Grid, ReadOptions(), false };
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
    std::optional<std::string> inspector;
    const engine::RewriteResult outcome = engine::RewriteProtocolTo(m_protocolLines, m_groups,
        inputs.Options, inputs.Grid, [&] { return inspector = AskInspector(); }, append);
    if (outcome.Cancelled)
        return false; // keep what is shown
    // The list is the run's own decisions, made again from the same inputs when it is first
    // wanted: noting every athlete's fields in every recalculation took three times as long as
    // the rewrite at a million lines. A run that failed has none.
    if (outcome.Ok())
        ListTab->SetList(
            [lines = m_protocolLines, groups = m_groups, options = inputs.Options,
                grid = inputs.Grid, inspector] {
                engine::EarnedQualifications earned;
                engine::RewriteProtocolTo(
                    lines, groups, options, grid, [&] { return inspector; },
                    [](std::string_view) {}, &earned);
                return engine::MakeQualificationList(
                    lines, groups, earned, earned.Inspector, options.DecimalSeparator);
            },
            m_protocolLines.Encoding());
    else
        ListTab->Clear();
    // A run stopped at a line shows what it produced; a bad "К=" stops before any output.
    if (filling || outcome.Ok()) {
        ShowOutput(filling);
        inputs.Failed = outcome.Failed();
        // Only a run that made lines leaves results; with no protocol the view is empty.
        if (filling)
            m_made = std::move(inputs);
        else
            m_made.reset();
        m_resultsUnsaved = filling;
        InputsChanged();
    }
    if (busy)
        busy->End();
    if (outcome.Failed()) {
        ShowError(ui::FromCp1251(outcome.Error().Reason));
        return false;
    }
    StoreCompetition();
    StepDone(ui::Step::Recalculate);
    return true;
}

bool TForm1::HasResults() const
{
    // No run since the start (the view's first line), a run without a protocol, or a view
    // emptied by hand: there is nothing to send to the collector.
    return m_made && !Memo2->Store().SavesNothing();
}

unsigned TForm1::OutputChangesNow() const
{
    if (!m_made)
        return ui::NoChange;
    return ui::OutputChanges(*m_made, m_reads, m_groups, PointsTables().Grid, ReadOptions());
}

QString TForm1::DescribeChanges(unsigned changes) const
{
    QStringList said;
    for (const auto &[change, text] :
        { std::pair { ui::ProtocolChange, ui::text::ProtocolReadAgain() },
            std::pair { ui::GroupsChange, ui::text::GroupsChanged() },
            std::pair { ui::TablesChange, ui::text::TablesChanged() },
            std::pair { ui::OptionsChange, ui::text::OptionsChanged() },
            std::pair { ui::FailedRun, ui::text::RunFailed() } }) {
        if (changes & change)
            said << text;
    }
    return said.join(QStringLiteral(", "));
}

void TForm1::InputsChanged()
{
    const unsigned changes = OutputChangesNow();
    OutputStateLabel->setText(
        changes ? ui::text::OutputOutOfDate().arg(DescribeChanges(changes)) : QString());
    OutputStateLabel->setVisible(changes != ui::NoChange);
    ListTab->SetOutOfDate(changes != ui::NoChange);
    ShowNextStep(false);
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

void TForm1::Button5Click() { SaveResults(false); }

bool TForm1::SaveResults(bool closing)
{
    // Settings given at close with no results made from them yet: made now.
    if (closing && !m_made && !Recalculate(true))
        return false;
    if (!HasResults()) {
        ShowInformation(ui::text::NoResultsToSave());
        return false;
    }
    if (closing && LabeledEdit2->text().isEmpty())
        Button4Click();
    const QString path = LabeledEdit2->text();
    if (path.isEmpty()) {
        ShowInformation(ui::text::NoOutputName());
        return false;
    }
    if (const unsigned changes = OutputChangesNow()) {
        // Recalculating drops what was typed into the view: only after asking. At close,
        // results with nothing typed into them are recalculated as the question there said.
        ui::OutOfDateAnswer answer = ui::OutOfDateAnswer::Recalculate;
        if (!closing || Memo2->HandEdited()) {
            QString question = ui::text::SaveOutOfDateQuestion().arg(DescribeChanges(changes));
            if (Memo2->HandEdited())
                question += QLatin1Char('\n') + ui::text::HandEditsLost();
            answer = AskOutOfDate(question);
        }
        if (answer == ui::OutOfDateAnswer::Return)
            return false;
        if (answer == ui::OutOfDateAnswer::Recalculate && !Recalculate(true))
            return false;
    }
    // A character the code page lacks would be written as '?': say where it is instead.
    if (const std::optional<ui::UnencodableChar> bad = Memo2->Store().FirstUnencodable()) {
        ShowError(ui::text::UnencodableOutput().arg(bad->Line).arg(bad->Column).arg(bad->Character));
        return false;
    }
    const engine::Status written = Memo2->Store().Save(ui::ToPath(path), m_protocolLines.Encoding());
    if (!written) {
        ShowError(ui::text::SaveFailedDetail().arg(ui::text::SaveFailed(),
            QDir::toNativeSeparators(path), QString::fromStdString(written.Error().Reason)));
        return false;
    }
    m_resultsUnsaved = false;
    m_groupsSaved = m_made->Groups;
    const QString file = QDir::toNativeSeparators(path);
    const QString email = CollectorEmail->text().trimmed();
    // One arg() call, so that a '%' in the path or the address is taken as it is.
    ShowInformation(email.isEmpty() ? ui::text::SavedToNoAddress().arg(file)
                                    : ui::text::SavedTo().arg(file, email));
    StoreCompetition();
    StepDone(ui::Step::Save);
    return true;
}
