// TForm1's memory of what the secretary gave: the groups' settings carried from one reading to
// the next by name, and a competition's settings kept in the settings file and given back.
#include "ui/Unit1.h"

#include <algorithm>

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QStringList>

#include "engine/group_matching.h"
#include "points/settings_file.h"
#include "points/settings_update.h"
#include "ui/Unit2_Controler.h"
#include "ui/messages.h"
#include "ui/text_codec.h"

namespace {

std::vector<engine::GroupSettings> FromStored(const std::vector<points::StoredGroup> &stored)
{
    std::vector<engine::GroupSettings> groups(stored.size());
    for (std::size_t i = 0; i < stored.size(); ++i) {
        groups[i].Name = ui::ToCp1251(QString::fromStdString(stored[i].Name));
        groups[i].DistanceClass = static_cast<engine::DistanceClass>(stored[i].DistanceClass);
        groups[i].Category = static_cast<engine::Category>(stored[i].Category);
        groups[i].MastersCount = stored[i].MastersCount;
        groups[i].PointsTable = stored[i].PointsTable;
    }
    return groups;
}

} // namespace

QString TForm1::TakeGroupSettings(std::vector<engine::GroupSettings> groups)
{
    const std::string path = QFileInfo(LabeledEdit1->text()).canonicalFilePath().toStdString();
    const std::string title = ui::FromCp1251(engine::ProtocolTitle(m_protocolLines)).toStdString();
    const bool sameCompetition = !m_competitionPath.empty() && path == m_competitionPath
        && title == m_competitionTitle && !m_groups.empty();
    m_competitionPath = path;
    m_competitionTitle = title;

    // Another competition than the one read last gets what was kept for it; the groups in the
    // window are the newest word on the one read last (and on a protocol never kept). The kept
    // ones are read from the file as it is now: another window may have kept one since, and
    // this one keeps its own without taking the file's other sections in (StoreCompetition).
    const engine::Result<std::string> file = points::ReadSettingsFile(m_settingsPath);
    const std::vector<points::CompetitionSettings> stored
        = points::StoredCompetitions(file ? file.Value() : m_settingsBytes);
    const points::CompetitionSettings *kept
        = sameCompetition ? nullptr : points::FindCompetition(stored, path, title);
    const std::vector<engine::GroupSettings> earlier = kept ? FromStored(kept->Groups) : m_groups;
    const engine::GroupMatch match = engine::KeepSettings(earlier, groups);

    // A table removed since the settings were kept: no points, as the list has no item for it.
    QStringList tablesGone;
    const int tables = static_cast<int>(PointsTables().Grid.TablesCount());
    for (engine::GroupSettings &group : groups) {
        if (group.PointsTable > tables) {
            group.PointsTable = 0;
            tablesGone << ui::FromCp1251(group.Name);
        }
    }
    m_groups = std::move(groups);
    if (kept)
        RestoreOptions(*kept);

    QStringList note;
    if (kept)
        note << ui::text::CompetitionRestoredNote();
    // Told when what the secretary gave is at stake: groups came, went or moved.
    const bool given = std::any_of(earlier.begin(), earlier.end(),
        [](const engine::GroupSettings &group) { return !engine::HoldsDefaultSettings(group); });
    if (kept || (given && match.Changed()))
        note << ui::text::GroupsKeptNote().arg(match.Kept).arg(match.New).arg(match.Lost);
    if (!tablesGone.isEmpty())
        note << ui::text::RestoredTablesGone().arg(tablesGone.join(QStringLiteral(", ")));
    return note.join(QStringLiteral("\n\n"));
}

points::CompetitionSettings TForm1::CurrentCompetition() const
{
    points::CompetitionSettings competition;
    competition.Path = m_competitionPath;
    competition.Title = m_competitionTitle;
    competition.CountOutOfCompetition = checkUseVK->isChecked();
    competition.RatingPoints = CheckBox1->isChecked();
    competition.ExcludeForeign = CheckBox2->isChecked();
    competition.K1 = LabeledEdit3->text().toStdString();
    competition.K2 = LabeledEdit4->text().toStdString();
    if (m_inspectorDialog)
        competition.Inspector = m_inspectorDialog->InspectorName().toStdString();
    for (const engine::GroupSettings &group : m_groups) {
        competition.Groups.push_back(
            { ui::FromCp1251(group.Name).toStdString(), static_cast<int>(group.DistanceClass),
                static_cast<int>(group.Category), group.MastersCount, group.PointsTable });
    }
    return competition;
}

void TForm1::RestoreOptions(const points::CompetitionSettings &competition)
{
    // Given back as they were set, without the warnings that setting them by hand shows.
    for (const auto &[box, on] : { std::pair { checkUseVK, competition.CountOutOfCompetition },
             std::pair { CheckBox1, competition.RatingPoints },
             std::pair { CheckBox2, competition.ExcludeForeign } }) {
        const QSignalBlocker blocker(box);
        box->setChecked(on);
    }
    CheckBox1Click();
    LabeledEdit3->setText(QString::fromStdString(competition.K1));
    LabeledEdit4->setText(QString::fromStdString(competition.K2));
    // A name given today stays when none was kept; a kept one is what the dialog next offers.
    if (m_inspectorDialog && !competition.Inspector.empty()) {
        const QString name = QString::fromStdString(competition.Inspector);
        m_inspectorDialog->SetInspectorName(name);
        m_inspectorDialog->LabeledEdit1->setText(name);
    }
}

void TForm1::StoreCompetition()
{
    // Nothing read, or a reading without groups: nothing to keep, and nothing kept is replaced.
    if (m_competitionPath.empty() || m_groups.empty())
        return;
    const points::CompetitionSettings competition = CurrentCompetition();
    // A protocol the secretary gave nothing for is not kept (the section keeps room for those
    // that matter), unless it was kept before: then its entry follows.
    const points::CompetitionSettings start; // the options as the window starts
    const bool given = competition.CountOutOfCompetition != start.CountOutOfCompetition
        || competition.RatingPoints != start.RatingPoints
        || competition.ExcludeForeign != start.ExcludeForeign || competition.K1 != start.K1
        || competition.K2 != start.K2
        || std::any_of(m_groups.begin(), m_groups.end(), [](const engine::GroupSettings &group) {
               return !engine::HoldsDefaultSettings(group);
           });
    QString failure;
    if (m_settingsOverwrite.Rule == points::OverwriteRule::Never) {
        failure = QString::fromStdString(m_settingsOverwrite.Why);
    } else {
        engine::Result<std::string> written
            = points::UpdateSettingsFile(m_settingsPath, [&](std::string_view current) {
                  if (!given
                      && !points::FindCompetition(
                          points::StoredCompetitions(current), competition.Path, competition.Title))
                      return std::string(current);
                  return points::WithCompetition(current, competition);
              });
        // The bytes the window read stay as they were: they tell the recent files whether
        // another window changed the file since.
        if (written)
            return;
        failure = QString::fromStdString(written.Error().Reason);
    }
    // Said once: the secretary recalculates and saves many times a day.
    if (!m_competitionStoreFailed)
        ShowError(ui::text::CompetitionNotStored().arg(failure));
    m_competitionStoreFailed = true;
}
