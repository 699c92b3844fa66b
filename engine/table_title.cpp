#include "engine/table_title.h"

#include <algorithm>

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

} // namespace engine::titles
