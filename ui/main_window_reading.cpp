// TForm1 reading a protocol: the lines and groups read, the settings the groups had before, and
// what the window says of the protocol's tables, layouts and times.
#include "ui/Unit1.h"

#include <algorithm>

#include <QDir>
#include <QLineEdit>

#include "engine/layout_check.h"
#include "engine/time_check.h"
#include "ui/busy_scope.h"
#include "ui/group_list_editors.h"
#include "ui/messages.h"
#include "ui/qualification_list_tab.h"
#include "ui/text_codec.h"

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
    const engine::Status loaded = engine::LoadProtocol(ui::ToPath(path), m_protocolLines, groups);
    m_readPath = path; // what the lines now hold, nothing after a failure
    ListTab->Clear(); // of the protocol read before
    // The file may have changed on disk: results made before are out of date, even of the same
    // path.
    ++m_reads;
    InputsChanged();
    // A protocol in UTF-8 is saved back in UTF-8; the title says which one is open.
    setWindowTitle(m_protocolLines.Encoding().Encoding == engine::TextEncoding::Utf8
            ? ui::text::WindowCaption() + ui::text::Utf8Suffix()
            : ui::text::WindowCaption());
    // The fixed text first, then the file and what went wrong with it.
    const auto failed = [&](const engine::Failure &why) {
        ShowInformation(ui::text::LoadFailed() + QLatin1Char('\n')
            + QString::fromStdString(
                engine::Describe(QDir::toNativeSeparators(path).toStdString(), why)));
    };
    if (!loaded) {
        m_competitionPath.clear(); // nothing of this protocol is kept or stored
        failed(loaded.Error());
        return;
    }
    const QString groupsNote = TakeGroupSettings(std::move(groups));
    // The settings the read leaves are the ones to compare with at close.
    m_groupsSaved = m_groups;
    // The list shows the groups read, none when the protocol has no headings.
    const bool filled = m_groupEditors->Refill(PointsTables().TableCaptions);
    if (m_groups.empty()) {
        failed({ 0, ui::text::NoHeadings().toStdString() });
        return;
    }
    if (!filled) {
        ShowInformation(ui::text::LoadFailed());
        return;
    }
    RememberProtocol(path);
    if (!groupsNote.isEmpty())
        ShowInformation(groupsNote);
    if (const QString notes = TableNotes(m_groups); !notes.isEmpty())
        ShowInformation(notes);
    const std::string file = QDir::toNativeSeparators(path).toStdString();
    const engine::TableChecks checks = engine::CheckTables(m_protocolLines, m_groups);
    if (!checks.Layout.empty())
        ShowInformation(
            QString::fromStdString(engine::DescribeLayoutProblems(file, checks.Layout)));
    // Read as they stand, as the batch tool reads them; but a secretary should know of them.
    if (const std::string times = engine::DescribeImpossibleTimes(file, checks.ImpossibleTimes);
        !times.empty())
        ShowInformation(QString::fromStdString(times));
}

QString TForm1::TableNotes(const std::vector<engine::GroupSettings> &groups)
{
    if (std::none_of(groups.begin(), groups.end(), [](const auto &g) { return g.Table.has_value(); }))
        return ui::text::NoTables();
    QStringList notes;
    for (const auto &[kind, text] :
        { std::pair { engine::LayoutKind::Relay, ui::text::RelayTables() },
            std::pair { engine::LayoutKind::Unknown, ui::text::UnknownTables() },
            std::pair { engine::LayoutKind::Handicap, ui::text::HandicapTables() } }) {
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
