// What the rewrite reads of the team points tables; the points tables implement it.
#pragma once

#include <string_view>

namespace engine {

// Table t is 1..TablesCount(), place p is 1..PlacesCount(); cell texts are Windows-1251.
class TeamPointsSource
{
public:
    virtual ~TeamPointsSource() = default;
    virtual int TablesCount() const = 0;
    virtual int PlacesCount() const = 0;
    virtual std::string_view Value(int table, int place) const = 0;
};

// No tables, no places.
class NoTeamPoints final : public TeamPointsSource
{
public:
    int TablesCount() const override { return 0; }
    int PlacesCount() const override { return 0; }
    std::string_view Value(int, int) const override { return {}; }
};

} // namespace engine
