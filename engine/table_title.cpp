#include "engine/table_title.h"

#include <algorithm>
#include <array>
#include <span>

#include "engine/cp1251.h"
#include "engine/text.h"

namespace engine::titles {

namespace {

    bool StartsWithWord(std::string_view word, std::string_view prefix)
    {
        return word.starts_with(prefix);
    }

} // namespace

Title Classify(std::string_view w, bool &left)
{
    using namespace std::string_view_literals;
    left = false;
    if (w.starts_with("№"_w1251) || w == "п/п"_w1251)
        return Title::Number;
    if (StartsWithWord(w, "Фамилия"_w1251))
        return Title::Name;
    if (w == "Коллектив"_w1251 || w == "Команда"_w1251)
        return Title::Team;
    if (w == "ГР"_w1251 || w == "Г.р."_w1251 || w == "Г.р"_w1251)
        return Title::Year;
    if (StartsWithWord(w, "Квал"_w1251))
        return Title::Qualification;
    if (w == "Разряд"_w1251) {
        left = true;
        return Title::Qualification;
    }
    if (w == "Номер"_w1251)
        return Title::Bib;
    if (StartsWithWord(w, "Результат"_w1251))
        return Title::Time; // "РезультатОтставан" is split by the caller
    if (StartsWithWord(w, "Отстав"_w1251))
        return Title::Gap;
    if (w == "Финиш"_w1251)
        return Title::Finish;
    if (w == "Место"_w1251)
        return Title::Place;
    if (w == "Очки"_w1251 || w == "Oчки"_w1251)
        return Title::Points;
    if (StartsWithWord(w, "Прим"_w1251) || w == "Старт"_w1251)
        return Title::Remarks;
    if (w == "Время"_w1251)
        return Title::RelayTime;
    return Title::Other;
}

// Appends the runs of non-blank characters of a shown line, 1-based.
void AddRuns(std::string_view text, std::vector<Field> &runs)
{
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlankOrControl(text[i]))
            ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsBlankOrControl(text[i]))
            ++i;
        if (i > start)
            runs.push_back({ start + 1, i });
    }
}

std::vector<TitleWord> TitleWords(std::string_view text)
{
    std::vector<TitleWord> words;
    std::vector<Field> runs;
    AddRuns(text, runs);
    for (const Field run : runs) {
        const std::string_view w = text.substr(run.Offset(), run.Size());
        bool left = false;
        const Title what = Classify(w, left);
        if (what == Title::Time && w.size() > "Результат"_w1251.size()) {
            // Two titles glued: "РезультатОтставан".
            const std::size_t split = run.First + "Результат"_w1251.size();
            words.push_back({ Title::Time, { run.First, split - 1 } });
            words.push_back({ Title::Gap, { split, run.Last } });
            continue;
        }
        if (what == Title::Other && !words.empty() && words.back().What == Title::Name)
            continue; // "Фамилия, имя": the name's title takes two words
        words.push_back({ what, run, left });
    }
    return words;
}

const TitleWord *Find(const std::vector<TitleWord> &words, Title what)
{
    const auto it = std::find_if(
        words.begin(), words.end(), [&](const TitleWord &w) { return w.What == what; });
    return it == words.end() ? nullptr : &*it;
}

bool IsTitle(const std::vector<TitleWord> &words)
{
    return Find(words, Title::Name) && Find(words, Title::Place)
        && (Find(words, Title::Time) || Find(words, Title::RelayTime));
}

// Today's title: name, team, qualification, year and time in that order, nothing else that
// moves a column.
bool IsStandardTitle(const std::vector<TitleWord> &words)
{
    const TitleWord *team = Find(words, Title::Team);
    const TitleWord *qualification = Find(words, Title::Qualification);
    const TitleWord *year = Find(words, Title::Year);
    const TitleWord *time = Find(words, Title::Time);
    return team && qualification && !qualification->LeftTitle && year && time
        && !Find(words, Title::Gap) && !Find(words, Title::Finish) && !Find(words, Title::RelayTime)
        && qualification->At.First < year->At.First && year->At.First < time->At.First;
}

namespace {

    // The span of a value column, from the runs of the table's lines that lie wholly between the
    // neighbouring titles (or the title word itself where no line has a value there). Values that
    // mostly end in one column are right-aligned, those that mostly start in one left-aligned;
    // runs that keep neither (an award label an earlier run wrote beside the places) are not the
    // column's; where the values tell neither, the title does. A right-aligned value longer than
    // any seen ("12:00:00" under "0:41:57") starts further left, as far as the column before
    // leaves room.
    Field ValueSpan(const std::vector<Field> &runs, Field word, std::size_t lo, std::size_t hi,
        std::size_t before)
    {
        // A column has a value a line at most, and the lines looked at are few.
        std::array<Field, 64> kept;
        std::size_t count = 0;
        for (const Field run : runs) {
            if (run.First >= lo && run.Last <= hi && count < kept.size())
                kept[count++] = run;
        }
        if (count == 0)
            return word;
        const std::span<const Field> inside(kept.data(), count);
        // The edge most runs share, the first run's of those tied. Asked for every column of
        // every table: counted in the edges sorted, not by comparing each run with every other.
        const auto mode = [&](auto edge) {
            std::array<std::size_t, kept.size()> edges;
            for (std::size_t k = 0; k < count; ++k)
                edges[k] = edge(inside[k]);
            const auto sorted = std::span(edges.data(), count);
            std::sort(sorted.begin(), sorted.end());
            std::size_t best = 0;
            std::ptrdiff_t most = 0;
            bool tied = false;
            for (auto from = sorted.begin(); from != sorted.end();) {
                const auto to = std::upper_bound(from, sorted.end(), *from);
                tied = tied || (to - from == most);
                if (to - from > most) {
                    best = *from;
                    most = to - from;
                    tied = false;
                }
                from = to;
            }
            if (!tied)
                return std::pair { best, most };
            for (const Field run : inside) {
                const auto [from, to] = std::equal_range(sorted.begin(), sorted.end(), edge(run));
                if (to - from == most)
                    return std::pair { edge(run), most };
            }
            return std::pair { best, most };
        };
        const auto [end, ends] = mode([](Field f) { return f.Last; });
        const auto [start, starts] = mode([](Field f) { return f.First; });
        Field span { 0, 0 };
        // Values all of one width ("I" on every line) start as often as they end in one column:
        // those that start under the title's first letter are left-aligned.
        if (ends > starts || (ends == starts && start != word.First)) {
            span = { end, end };
            for (const Field run : inside)
                span.First = run.Last == end ? std::min(span.First, run.First) : span.First;
            span.First = std::min(span.First, std::max(lo, before + 2));
        } else {
            span = { start, start };
            for (const Field run : inside)
                span.Last = run.First == start ? std::max(span.Last, run.Last) : span.Last;
            // Values under their title have its width at least: a place of 100 or 1000 further
            // down than the lines looked at still fits before the award.
            if (start == word.First)
                span.Last = std::max(span.Last, word.Last);
        }
        return span;
    }

    // The layout's field a title names; none for the remarks and words it does not read.
    Field *FieldOf(TableLayout &layout, Title what)
    {
        switch (what) {
        case Title::Number: return &layout.Number;
        case Title::Name: return &layout.Name;
        case Title::Team: return &layout.Team;
        case Title::Year: return &layout.Year;
        case Title::Qualification: return &layout.Qualification;
        case Title::Bib: return &layout.Bib;
        case Title::Time: return &layout.Time;
        case Title::Gap: return &layout.Gap;
        case Title::Finish: return &layout.Finish;
        case Title::Place: return &layout.Place;
        case Title::Points: return &layout.Points;
        default: return nullptr;
        }
    }

} // namespace

TableLayout LayoutFromTitle(const std::vector<TitleWord> &words, const std::vector<Field> &rows)
{
    TableLayout layout;
    layout.Fixed = false;
    for (Field *field : { &layout.Number, &layout.Name, &layout.Team, &layout.Year,
             &layout.Qualification, &layout.Bib, &layout.Time, &layout.Gap, &layout.Finish,
             &layout.Place, &layout.Points })
        *field = NoField;
    std::size_t before = 0; // where the field before ends
    for (std::size_t k = 0; k < words.size(); ++k) {
        const TitleWord &w = words[k];
        Field *field = FieldOf(layout, w.What);
        if (!field)
            continue;
        const std::size_t lo = k == 0 ? 1 : words[k - 1].At.Last + 1;
        const std::size_t next = k + 1 < words.size() ? words[k + 1].At.First : 0;
        if (w.What == Title::Name || w.What == Title::Team) {
            // Text with blanks: from its title to the blank before the next title.
            *field = { w.At.First, next > w.At.First + 1 ? next - 2 : w.At.First + 40 };
        } else {
            *field = ValueSpan(rows, w.At, lo, next != 0 ? next - 1 : w.At.Last + 1, before);
        }
        before = field->Last;
    }
    // The qualification's code: five characters from where the codes start, short of the
    // next column.
    if (Has(layout.Qualification)) {
        std::size_t end = layout.Qualification.First + 4;
        for (const Field other : { layout.Bib, layout.Year, layout.Time, layout.Team })
            if (Has(other) && other.First > layout.Qualification.First)
                end = std::min(end, other.First - 1);
        layout.Qualification.Last = std::max(end, layout.Qualification.First);
    }
    layout.AwardColumn = layout.Place.Last + 2;
    layout.Remarks = layout.AwardColumn;

    const TitleWord *year = Find(words, Title::Year);
    const TitleWord *qualification = Find(words, Title::Qualification);
    const TitleWord *time = Find(words, Title::Time);
    const TitleWord *place = Find(words, Title::Place);
    // Values that start under their titles; a table without lines has only its titles to tell.
    const bool leftAligned = (qualification && qualification->LeftTitle)
        || (!rows.empty() && layout.Time.First == time->At.First
            && layout.Place.First == place->At.First);
    if (Has(layout.Finish))
        layout.Kind = LayoutKind::Handicap;
    else if (Has(layout.Gap))
        layout.Kind = LayoutKind::Gap;
    else if (leftAligned)
        layout.Kind = LayoutKind::LeftAligned;
    else if (year && qualification && year->At.First < qualification->At.First)
        layout.Kind = LayoutKind::YearFirst;
    else
        layout.Kind = LayoutKind::Standard;
    return layout;
}

} // namespace engine::titles
