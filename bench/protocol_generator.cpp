#include "bench/protocol_generator.h"

#include <cstdio>
#include <cstdlib>

#include "engine/cp1251.h"
#include "engine/line_layout.h"
#include "engine/text.h"

namespace bench {

using engine::operator""_w1251;

namespace {

    void Put(std::string &line, std::size_t position, std::string_view text)
    {
        if (line.size() < position - 1 + text.size())
            line.resize(position - 1 + text.size(), ' ');
        line.replace(position - 1, text.size(), text);
    }

    void Put(std::string &line, engine::Field field, std::string_view text)
    {
        Put(line, field.First, text.substr(0, field.Size()));
    }

    constexpr std::string_view Names[] = {
        "Лапко Андрей"_w1251, "Ковалёв Павел"_w1251, "Грибов Иван"_w1251, "Шарко Денис"_w1251,
        "Мельник Олег"_w1251, "Ясинский Юрий"_w1251, "Бобр Сергей"_w1251, "Жук Антон"_w1251,
    };
    constexpr std::string_view Teams[] = {
        "СДЮШОР-1"_w1251, "Клуб Азимут"_w1251, "СДЮШОР-2"_w1251, "лично"_w1251, "Vilnius LTU",
    };
    constexpr std::string_view Codes[] = {
        "МС   "_w1251, "КМС  "_w1251, "I    ", "II   ", "III  ", "Iю   "_w1251, "     ",
    };

} // namespace

std::string GenerateProtocol(std::size_t resultLines, TableStyle style)
{
    constexpr std::size_t GroupSize = 60;
    const bool yearFirst = style == TableStyle::YearFirst;
    std::string out;
    out.reserve(resultLines * 100 + 4096);
    out += "<html><head><title>"_w1251;
    out += "Протокол результатов"_w1251;
    out += "</title></head><body>\r\n";
    std::string header(
        "№п/п Фамилия, имя              Коллектив            Квал  ГР"_w1251);
    header.resize(70, ' ');
    header += "Результат Место Прим"_w1251;
    if (yearFirst)
        header = " п/п Фамилия Имя               Команда               Г.р. Квал Номер Результат  Место Прим."_w1251;
    std::size_t written = 0;
    unsigned seed = 12345;
    for (int group = 0; written < resultLines; ++group) {
        char heading[64];
        std::snprintf(heading, sizeof heading, "<h2>M%d, 12 KP, 6.3 km</h2>\r\n", 10 + group % 90);
        out += heading;
        out += "<pre>\r\n";
        out += header;
        out += "\r\n";
        int seconds = 2400 + group % 600;
        for (std::size_t i = 0; i < GroupSize && written < resultLines; ++i, ++written) {
            seed = seed * 1103515245 + 12345;
            seconds += 1 + static_cast<int>((seed >> 16) % 120);
            std::string line(engine::PlaceField.Last, ' ');
            char number[16];
            std::snprintf(number, sizeof number, "%4zu", i + 1);
            Put(line, 1, number);
            Put(line, engine::NameCodeStarts.First, Names[(seed >> 8) % 8]);
            Put(line, engine::TeamField, Teams[(seed >> 12) % 5]);
            const bool outOfCompetition = (seed >> 20) % 40 == 0;
            char place[8];
            std::snprintf(place, sizeof place, "%4zu", i + 1);
            char time[16];
            if (yearFirst) {
                // Year 54-57, qualification 59-63, bib to 67, "h:mm:ss" to 77, place to 83.
                Put(line, 54, "1995");
                Put(line, 59, Codes[(seed >> 4) % 7]);
                std::snprintf(number, sizeof number, "%4zu", 100 + i);
                Put(line, 64, number);
                char clock[16];
                std::snprintf(clock, sizeof clock, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                              seconds % 60);
                std::snprintf(time, sizeof time, "%9s", clock);
                Put(line, 69, time);
                Put(line, 80, outOfCompetition ? std::string_view(" в/к"_w1251) : place);
                line += "   ";
            } else {
                Put(line, engine::QualificationField, Codes[(seed >> 4) % 7]);
                Put(line, 59, "1995");
                std::snprintf(time, sizeof time, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                              seconds % 60);
                Put(line, engine::TimeField, time);
                Put(line, engine::PlaceField, outOfCompetition ? std::string_view(" в/к"_w1251) : place);
            }
            engine::AppendLine(out, line);
        }
        out += "</pre>\r\n";
    }
    out += "<pre>\r\n";
    out += "Главный судья                       Петров П.П.</pre>\r\n"_w1251;
    out += "</body></html>\r\n";
    return out;
}

std::vector<std::size_t> SizesFromArguments(
    int argc, char **argv, std::vector<std::size_t> defaults)
{
    std::vector<std::size_t> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::strtoul(argv[i], nullptr, 10));
    return sizes.empty() ? defaults : sizes;
}

} // namespace bench
