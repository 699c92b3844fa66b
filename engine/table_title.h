// The words of a table's title line: what each names, and whether the line is a title, and
// today's.
#pragma once

#include <string_view>
#include <vector>

#include "engine/table_layout.h"

namespace engine::titles {

// What a word of a title line names.
enum class Title {
    Number,
    Name,
    Team,
    Year,
    Qualification,
    Bib,
    Time,
    Gap,
    Finish,
    Place,
    Points,
    Remarks,
    RelayTime,
    Other,
};

struct TitleWord
{
    Title What;
    Field At;
    bool LeftTitle = false; // "Разряд": the qualification of a left-aligned table
};

// What the word `w` names; `left` tells a qualification title of a left-aligned table.
Title Classify(std::string_view w, bool &left);

// Appends the runs of non-blank characters of a shown line, 1-based.
void AddRuns(std::string_view text, std::vector<Field> &runs);

// The words of a shown title line, each with what it names.
std::vector<TitleWord> TitleWords(std::string_view text);

// The first word naming `what`, or none.
const TitleWord *Find(const std::vector<TitleWord> &words, Title what);
// A pointer into words about to go away would dangle.
const TitleWord *Find(std::vector<TitleWord> &&words, Title what) = delete;

// A title names the athlete, the place and a time.
bool IsTitle(const std::vector<TitleWord> &words);

// Today's title: name, team, qualification, year and time in that order, nothing else that
// moves a column.
bool IsStandardTitle(const std::vector<TitleWord> &words);

// The layout a title gives, its value columns placed where the runs of the table's first lines
// (see AddRuns) have them, and its kind told from the columns found.
TableLayout LayoutFromTitle(const std::vector<TitleWord> &words, const std::vector<Field> &runs);

} // namespace engine::titles
