// The list of qualifications earned written out: CSV for spreadsheets, an HTML page for A4.
#include <string>

#include "engine/cp1251.h"
#include "engine/qualification_list.h"
#include "engine/text.h"

namespace engine {

namespace {

    // The list's words are Russian, as the protocol's own.
    constexpr std::string_view ListTitle = "Выполнение разрядных нормативов"_w1251;
    constexpr std::string_view NobodyEarned = "Разрядные нормативы не выполнил никто"_w1251;
    constexpr std::string_view GroupTitle = "Группа"_w1251;
    constexpr std::string_view ClassTitle = "Класс дистанции"_w1251;
    constexpr std::string_view RankTitle = "Ранг соревнований"_w1251;
    constexpr std::string_view NoRank = "не определялся"_w1251;
    constexpr std::string_view TotalTitle = "Всего"_w1251;
    constexpr std::string_view OutOfCompetition = "в/к"_w1251;
    constexpr std::string_view CountsTitle = "Выполнили разряды"_w1251;
    constexpr std::array<std::string_view, 8> ColumnTitles
        = { "Фамилия, имя"_w1251, "Г.р."_w1251, "Коллектив"_w1251, "Группа"_w1251, "Место"_w1251,
              "Результат"_w1251, "Квал"_w1251, "Выполнил"_w1251 };

    std::string PlaceText(const EarnedQualification &athlete)
    {
        return athlete.Place ? std::to_string(*athlete.Place) : std::string(OutOfCompetition);
    }

    std::string LabelText(Qualification q) { return std::string(TrimBlanks(LabelOf(q))); }

    // An athlete's row, in the order of ColumnTitles.
    std::array<std::string, 8> RowOf(const QualificationList &list, std::size_t i)
    {
        const EarnedQualification &a = list.Athletes[i];
        return { a.Name, a.Year, a.Team, list.AthleteGroups[i], PlaceText(a), a.Result, a.Before,
            LabelText(a.Met) };
    }

    // A spreadsheet runs a field that starts with one of these as a formula; names and teams come
    // from the protocol, anybody's text. A lone "-" and a number are no formula.
    bool StartsAFormula(std::string_view text)
    {
        if (text.empty())
            return false;
        if (std::string_view("=@\t\r").find(text.front()) != std::string_view::npos)
            return true;
        // A sign before digits only (or nothing) is a number, or the "-" of no qualification.
        return (text.front() == '+' || text.front() == '-')
            && text.find_first_not_of("0123456789", 1) != std::string_view::npos;
    }

    // RFC 4180: a field holding a quote, a comma or a line break is quoted, its quotes doubled.
    // One that would start a formula starts with an apostrophe, which shows it as text.
    void AppendCsvField(std::string &out, std::string_view windows1251)
    {
        std::string text = Cp1251ToUtf8(windows1251);
        if (StartsAFormula(text))
            text.insert(0, 1, '\'');
        if (text.find_first_of("\",\r\n") == std::string::npos) {
            out += text;
            return;
        }
        out += '"';
        for (const char c : text) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }

    template <typename Fields> void AppendCsvRow(std::string &out, const Fields &fields)
    {
        bool first = true;
        for (const auto &field : fields) {
            if (!first)
                out += ',';
            first = false;
            AppendCsvField(out, field);
        }
        out += "\r\n";
    }

    // Text for an HTML page: the markup's own characters as entities.
    std::string Escaped(std::string_view text)
    {
        std::string out;
        for (const char c : text) {
            switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
            }
        }
        return out;
    }

    // Builds the page a line at a time, each followed by CR LF.
    struct Page
    {
        std::string text;
        void Line(std::string_view line) { AppendLine(text, line); }
        template <typename Cells> void Row(const Cells &cells, std::string_view cell = "td")
        {
            std::string row = "<tr>";
            for (const auto &c : cells)
                row += "<" + std::string(cell) + ">" + Escaped(c) + "</" + std::string(cell) + ">";
            Line(row + "</tr>");
        }
    };

    // Borders as attributes too: the program's own printing reads those, not the style sheet.
    constexpr std::string_view TableOpen
        = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">";

} // namespace

std::string QualificationListCsv(const QualificationList &list)
{
    std::string out(Utf8ByteOrderMark);
    AppendCsvRow(out, ColumnTitles);
    for (std::size_t i = 0; i < list.Athletes.size(); ++i)
        AppendCsvRow(out, RowOf(list, i));
    return out;
}

std::string QualificationListHtml(const QualificationList &list, const SourceEncoding &encoding)
{
    const bool utf8 = encoding.Encoding == TextEncoding::Utf8;
    Page page;
    page.Line("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset="
        + std::string(utf8 ? "utf-8" : "windows-1251") + "\">");
    const std::string title = list.Heading.empty()
        ? std::string(ListTitle)
        : std::string(ListTitle) + ". " + list.Heading.front();
    page.Line("<title>" + Escaped(title) + "</title>");
    page.Line("<style>");
    page.Line("@page { size: A4; margin: 15mm 12mm; }");
    page.Line(
        "body { font-family: \"DejaVu Serif\", \"Times New Roman\", serif; font-size: 10pt; }");
    page.Line("table { border-collapse: collapse; margin-bottom: 10pt; }");
    page.Line("th, td { border: 1px solid black; text-align: left; }");
    page.Line("table.signatures { margin-top: 12pt; }");
    page.Line("table.signatures td { border: none; }");
    page.Line("</style></head><body>");
    for (const std::string &line : list.Heading)
        page.Line("<h3>" + Escaped(line) + "</h3>");
    page.Line("<h2>" + Escaped(ListTitle) + "</h2>");

    if (!list.Groups.empty()) {
        page.Line(TableOpen);
        page.Row(std::array { GroupTitle, ClassTitle, RankTitle }, "th");
        for (const ListGroup &group : list.Groups)
            page.Row(std::array<std::string, 3> { group.Name, group.ClassLabel,
                group.RankText.empty() ? std::string(NoRank) : group.RankText });
        page.Line("</table>");
    }

    if (list.Athletes.empty()) {
        page.Line("<p><b>" + Escaped(NobodyEarned) + "</b></p>");
    } else {
        // The athletes' table across the page, the others as wide as their texts.
        page.Line("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">");
        page.Row(ColumnTitles, "th");
        for (std::size_t i = 0; i < list.Athletes.size(); ++i)
            page.Row(RowOf(list, i));
        page.Line("</table>");
    }

    if (!list.Groups.empty()) {
        page.Line("<p><b>" + Escaped(CountsTitle) + "</b></p>");
        page.Line("<table width=\"60%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\">");
        std::vector<std::string> titles { std::string(GroupTitle) };
        for (const Qualification q : ListedQualifications)
            titles.push_back(LabelText(q));
        titles.emplace_back(TotalTitle);
        page.Row(titles, "th");
        const auto countsRow = [&](const std::string &name, const auto &counts, int total) {
            std::vector<std::string> cells { name };
            for (const int count : counts)
                cells.push_back(std::to_string(count));
            cells.push_back(std::to_string(total));
            page.Row(cells);
        };
        for (const ListGroup &group : list.Groups)
            countsRow(group.Name, group.Counts, group.Total);
        countsRow(std::string(TotalTitle), list.Totals, list.Total);
        page.Line("</table>");
    }

    if (!list.Judges.empty()) {
        page.Line("<table class=\"signatures\" border=\"0\" cellpadding=\"5\">");
        for (const Signature &judge : list.Judges)
            page.Row(std::array<std::string, 3> { judge.Role, "____________________", judge.Name });
        page.Line("</table>");
    }
    page.Line("</body></html>");
    if (!utf8)
        return page.text;
    std::string out(encoding.ByteOrderMark ? Utf8ByteOrderMark : std::string_view());
    AppendAsUtf8(out, page.text);
    return out;
}

} // namespace engine
