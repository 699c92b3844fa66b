// TForm1's points tables and settings file: loading them at start, the grid's edits and
// compaction, the collector's e-mail, the recent files, and saving the tables at close.
#include "ui/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>

#include "points/app_settings.h"
#include "points/settings_file.h"
#include "points/points_values.h"
#include "points/settings_location.h"
#include "points/settings_update.h"
#include "ui/group_list.h"
#include "ui/group_list_editors.h"
#include "ui/messages.h"
#include "ui/output_view.h"
#include "ui/points_grid_view.h"
#include "ui/points_table_model.h"
#include "ui/recent_files.h"
#include "ui/text_codec.h"

namespace {

QString PathText(const std::filesystem::path &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QStringList Utf8Paths(const std::vector<std::string> &paths)
{
    QStringList list;
    for (const std::string &path : paths)
        list << QString::fromStdString(path);
    return list;
}

bool IsInside(const QWidget *widget, const QWidget *container)
{
    return widget && (widget == container || container->isAncestorOf(widget));
}

} // namespace

void TForm1::LoadPointsTablesFile()
{
    // A missing file gives no tables; one that exists but cannot be read is worth a word.
    engine::Result<std::string> bytes = points::ReadSettingsFile(m_settingsPath);
    std::error_code error;
    if (!bytes && std::filesystem::exists(m_settingsPath, error))
        m_settingsWarning = ui::text::SettingsUnreadable().arg(
            PathText(m_settingsPath), QString::fromStdString(bytes.Error().Reason));
    m_settingsBytes = bytes ? bytes.Value() : std::string();
    points::LoadedTables loaded = points::LoadPointsTables(m_settingsBytes);
    m_settingsOverwrite = points::OverwriteRuleFor(m_settingsPath, bytes, loaded);
    m_pointsModel->Load(std::move(loaded.Tables));
    if (!loaded.Warnings.empty())
        m_settingsWarning = QString::fromStdString(
            points::DescribeWarnings(m_settingsPath.string(), loaded.Warnings));
    StringGrid1->SetCornerText(m_pointsModel->CornerText());
    FillTableCaptions();
    CollectorEmail->setText(QString::fromStdString(points::CollectorEmail(m_settingsBytes)));
    m_recentFiles = points::RecentFiles(m_settingsBytes);
    ShowLanguageChoice();
    RecentButton->SetFiles(Utf8Paths(m_recentFiles));
}

void TForm1::RememberProtocol(const QString &path)
{
    // Absolute and with links resolved, so that one file is one entry however it was named.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return;
    UpdateRecentFiles([entry = canonical.toStdString()](std::vector<std::string> list) {
        return points::WithRecentFile(std::move(list), entry);
    });
}

void TForm1::RecentFileChosen(const QString &path)
{
    if (QFileInfo::exists(path)) {
        OpenProtocol(path);
        return;
    }
    UpdateRecentFiles([entry = path.toStdString()](std::vector<std::string> list) {
        std::erase(list, entry);
        return list;
    });
    ShowInformation(ui::text::RecentFileMissing().arg(QDir::toNativeSeparators(path)));
}

void TForm1::UpdateRecentFiles(
    const std::function<std::vector<std::string>(std::vector<std::string>)> &change)
{
    // Another window may have written the file since: its list is taken from the disk, so that
    // writing this list loses nothing of theirs. The window's own list holds what an earlier
    // write could not save, and is all there is when the file cannot be written.
    bool patched = false;
    UpdateSettings([&](std::string_view current) {
        patched = true;
        m_recentFiles = change(
            current == m_settingsBytes ? std::move(m_recentFiles) : points::RecentFiles(current));
        return points::WithRecentFiles(current, m_recentFiles);
    });
    if (!patched)
        m_recentFiles = change(std::move(m_recentFiles));
    RecentButton->SetFiles(Utf8Paths(m_recentFiles));
}

bool TForm1::UpdateSettings(const points::SettingsPatch &patch)
{
    // A file that could not be read is never written over.
    if (m_settingsOverwrite.Rule == points::OverwriteRule::Never) {
        ShowError(QString::fromStdString(m_settingsOverwrite.Why));
        return false;
    }
    engine::Result<std::string> written = points::UpdateSettingsFile(m_settingsPath, patch);
    if (!written) {
        ShowError(QString::fromStdString(written.Error().Reason));
        return false;
    }
    m_settingsBytes = std::move(written.Value());
    return true;
}

void TForm1::CollectorEmailExit()
{
    const std::string email = CollectorEmail->text().trimmed().toStdString();
    if (email == points::CollectorEmail(m_settingsBytes))
        return;
    // Written at once and on its own: the points tables on disk change only when the user
    // says so at close.
    UpdateSettings(
        [&email](std::string_view current) { return points::WithCollectorEmail(current, email); });
}

void TForm1::FillTableCaptions()
{
    m_groupEditors->ShowTableCaptions(PointsTables().TableCaptions);
    StringGrid1->SetEmptyHint(
        PointsTables().Grid.TablesCount() == 0 ? ui::text::EmptyTablesHint() : QString());
}

bool TForm1::PointsValuesWritable()
{
    std::vector<int> tables;
    for (const engine::GroupSettings &group : m_groups)
        tables.push_back(group.PointsTable);
    const points::PointsGrid &grid = PointsTables().Grid;
    const std::optional<points::BadPointsCell> bad = points::FirstBadPointsCell(grid, tables);
    if (!bad)
        return true;
    const QModelIndex cell
        = ui::PointsTableModel::CellIndex(*m_pointsModel, bad->Table, bad->Place);
    StringGrid1->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
    ShowError(ui::text::BadPointsValue().arg(ui::FromCp1251(points::TableLetter(bad->Table)))
                  .arg(bad->Place)
                  .arg(ui::FromCp1251(grid.Value(bad->Table, bad->Place).substr(0, 40))));
    return false;
}

QStringList TForm1::UnsavedWork() const
{
    QStringList work;
    const bool results = HasResults() && m_resultsUnsaved;
    if (results)
        work << ui::text::UnsavedResults();
    // Settings the unsaved results were made from are named with them.
    if (ui::GroupSettingsDiffer(m_groupsSaved, m_groups)
        && !(results && !ui::GroupSettingsDiffer(m_made->Groups, m_groups)))
        work << ui::text::UnsavedGroups();
    if (PointsTables().TablesModified)
        work << ui::text::UnsavedTables();
    return work;
}

bool TForm1::FormClose()
{
    const QStringList work = UnsavedWork();
    if (work.isEmpty())
        return true;
    // One question for everything closing would lose: the results (with the group settings
    // they are made from) and the points tables.
    const bool tables = PointsTables().TablesModified;
    const bool results = work.size() > (tables ? 1 : 0);
    // A file that could not be read is never written over: the tables may go to another file.
    const bool unreadable = tables && m_settingsOverwrite.Rule == points::OverwriteRule::Never;
    const QString why = QString::fromStdString(m_settingsOverwrite.Why);
    QString question;
    if (results) {
        question = ui::text::UnsavedWorkQuestion().arg(work.join(QStringLiteral(", ")));
        // Saving recalculates results out of date, asking first when that drops hand edits.
        if (const unsigned changes = OutputChangesNow())
            question += QLatin1Char('\n')
                + (Memo2->HandEdited() ? ui::text::AskedAtClose() : ui::text::RecalculatedAtClose())
                      .arg(DescribeChanges(changes));
        else if (!HasResults())
            question += QLatin1Char('\n') + ui::text::MadeAtClose();
        if (unreadable)
            question += QLatin1Char('\n') + ui::text::TablesGoElsewhere().arg(why);
    } else {
        question = unreadable ? ui::text::UnreadableTablesQuestion().arg(why)
                              : ui::text::SaveTablesQuestion();
    }
    const QString saveLabel
        = unreadable && !results ? ui::text::SaveElsewhereAndClose() : ui::text::SaveAndClose();
    switch (AskClose(question, saveLabel)) {
    case ui::CloseAnswer::Return:
        return false;
    case ui::CloseAnswer::Discard:
        return true;
    case ui::CloseAnswer::Save:
        break;
    }
    // What was saved stays saved when a later part fails; the window then stays open.
    if (results && !SaveResults(true))
        return false;
    return !tables || SaveTablesAtClose(unreadable);
}

bool TForm1::SaveTablesAtClose(bool unreadable)
{
    if (unreadable)
        return SaveTablesElsewhere();
    // Writing would lose what loading had to drop: only an explicit yes (the default is no).
    if (m_settingsOverwrite.Rule == points::OverwriteRule::AskFirst
        && !Confirm(
            ui::text::LossyTablesQuestion().arg(QString::fromStdString(m_settingsOverwrite.Why))))
        return false;
    // Into the file as it is now: what another window wrote since (its list, its e-mail) stays.
    if (!UpdateSettings([this](std::string_view current) {
            return points::SavePointsTables(current, PointsTables().Grid);
        }))
        return false;
    m_pointsModel->MarkSaved();
    return true;
}

bool TForm1::SaveTablesElsewhere()
{
    const QString chosen = ChooseSettingsFile();
    if (chosen.isEmpty())
        return false;
    const std::filesystem::path path = ui::ToPath(chosen);
    std::error_code error;
    if (std::filesystem::equivalent(path, m_settingsPath, error)) {
        ShowError(QString::fromStdString(m_settingsOverwrite.Why));
        return false;
    }
    if (QFileInfo::exists(chosen)
        && !Confirm(ui::text::OverwriteQuestion().arg(QDir::toNativeSeparators(chosen))))
        return false;
    // A file of its own: the tables alone, nothing of the unreadable file.
    const std::string bytes = points::SavePointsTables({}, PointsTables().Grid);
    if (const engine::Status written = points::WriteSettingsFile(path, bytes); !written) {
        ShowError(QString::fromStdString(written.Error().Reason));
        return false;
    }
    m_pointsModel->MarkSaved();
    return true;
}

void TForm1::StringGrid1SetEditText(int col, int row, const QString &text)
{
    m_pointsModel->SetEditText(col, row, text);
}

void TForm1::StringGrid1SelectCell(int, int)
{
    if (!m_compacting)
        StringGrid1Exit();
}

void TForm1::StringGrid1Exit()
{
    if (m_compacting)
        return;
    m_compacting = true;
    const QModelIndex current = StringGrid1->currentIndex();
    const points::CellPosition from
        = current.isValid() ? ui::PointsTableModel::CellOf(current) : points::CellPosition { 1, 1 };
    const ui::PointsTableModel::Compaction compaction = m_pointsModel->Compact(from);
    if (!compaction.Removed.empty()) {
        const points::CellPosition to = compaction.Current;
        const QModelIndex next = ui::PointsTableModel::CellIndex(*m_pointsModel, to.Col, to.Row);
        if (current.isValid() && next.isValid())
            StringGrid1->selectionModel()->setCurrentIndex(
                next, QItemSelectionModel::ClearAndSelect);
        // The groups keep their tables under the new letters; those whose table went are told.
        const QStringList lost = ui::FollowRemovedTables(m_groups, compaction.Removed);
        FillTableCaptions();
        if (!lost.isEmpty())
            ShowInformation(ui::text::TablesRemoved().arg(lost.join(QStringLiteral(", "))));
    }
    m_compacting = false;
}

void TForm1::StringGrid1ClearCells(const std::vector<points::CellPosition> &cells)
{
    // Emptied together, compacted once, as after one emptied cell.
    if (m_pointsModel->ClearCells(cells))
        StringGrid1Exit();
}

void TForm1::FocusChanged(QWidget *old, QWidget *now)
{
    // Focus given to another window (a message box, another program) is no exit.
    if (!now || now->window() != this)
        return;
    if (IsInside(old, StringGrid1) && !IsInside(now, StringGrid1))
        StringGrid1Exit();
}
