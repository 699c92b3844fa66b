// The settings file reader and the points tables' editing under a random sequence of edits and
// compactions. Checks: compaction leaves no empty table column and keeps every value, the
// current cell stays inside the grid, and a loaded grid survives a save and a load.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/text.h"
#include "points/app_settings.h"
#include "points/competition_settings.h"
#include "points/points_tables.h"
#include "points/settings_file.h"
#include "points/settings_location.h"

namespace {

// The body cells' texts that hold more than blanks, in a canonical order.
std::vector<std::string> Values(const points::PointsGrid &grid)
{
    std::vector<std::string> values;
    for (int col = 1; col < grid.ColCount(); ++col) {
        for (int row = 1; row < grid.RowCount(); ++row) {
            const std::string_view text = grid.Value(col, row);
            if (!engine::TrimBlanks(text).empty())
                values.emplace_back(text);
        }
    }
    std::sort(values.begin(), values.end());
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const std::string ini = data.ConsumeRandomLengthString(2048);
    points::LoadedTables loaded = points::LoadPointsTables(ini);
    points::PointsTables &tables = loaded.Tables;

    const std::string saved = points::SavePointsTables(ini, tables.Grid);
    if (!(points::LoadPointsTables(saved).Tables.Grid == tables.Grid))
        std::abort();
    // The window's own keys, written through the same editor, leave the tables as they were, and
    // read back as written.
    const std::string own
        = points::WithRecentFiles(points::WithCollectorEmail(ini, "a@b.by"), { "/x" });
    if (!(points::LoadPointsTables(own).Tables.Grid == tables.Grid)
        || points::CollectorEmail(own) != "a@b.by"
        || points::RecentFiles(own) != std::vector<std::string> { "/x" })
        std::abort();
    // So does a competition's settings, whatever the file's section held before.
    points::CompetitionSettings competition;
    competition.Path = "/x";
    competition.Title = data.ConsumeRandomLengthString(16);
    competition.Groups = { { data.ConsumeRandomLengthString(8), 0, 1, 2, 3 } };
    const std::string kept = points::WithCompetition(ini, competition);
    const std::vector<points::CompetitionSettings> stored = points::StoredCompetitions(kept);
    if (!(points::LoadPointsTables(kept).Tables.Grid == tables.Grid) || stored.empty()
        || !(stored.front() == competition))
        std::abort();

    points::CellPosition current { 1, 1 };
    while (data.remaining_bytes() > 0) {
        if (data.ConsumeBool()) {
            const int col = data.ConsumeIntegralInRange(0, tables.Grid.ColCount());
            const int row = data.ConsumeIntegralInRange(0, tables.Grid.RowCount());
            const bool body = col >= 1 && col < tables.Grid.ColCount() && row >= 1
                && row < tables.Grid.RowCount();
            points::OnCellEdited(tables, col, row, data.ConsumeRandomLengthString(4));
            // An edit of a body cell rebuilds the captions (compaction alone does not).
            if (body
                && tables.TableCaptions.size() != static_cast<std::size_t>(tables.Grid.TablesCount()) + 1)
                std::abort();
            continue;
        }
        const std::vector<std::string> before = Values(tables.Grid);
        current = points::CompactTables(tables.Grid, current);
        if (Values(tables.Grid) != before)
            std::abort();
        for (int col = 1; col <= tables.Grid.TablesCount(); ++col) {
            if (tables.Grid.ColumnIsEmpty(col))
                std::abort();
        }
        if (current.Col < 1 || current.Col >= tables.Grid.ColCount() || current.Row < 1
            || current.Row >= tables.Grid.RowCount())
            std::abort();
    }
    return 0;
}
