// The texts the rewrite writes into a protocol (Windows-1251, converted while compiling).
#pragma once

#include <string_view>

#include "engine/cp1251.h"

namespace engine::texts {

inline constexpr std::string_view NotAwardedLabel = "-    ";
inline constexpr std::string_view NoPoints = "    -";
inline constexpr std::string_view PointsTitle = "Oчки "_w1251; // a Latin capital O
inline constexpr std::string_view AwardTitle = "Вып  "_w1251;
inline constexpr std::string_view NoRankLine = "Ранг не определялся"_w1251;
inline constexpr std::string_view ClassLine = "Класс дистанции    - "_w1251;
inline constexpr std::string_view RankLine = "Ранг соревнований  - "_w1251;
inline constexpr std::string_view RankUnit = " баллов"_w1251;
inline constexpr std::string_view OneMasterLine = "МС    -  1 место"_w1251;
inline constexpr std::string_view MastersLine = "МС    -  1-"_w1251;
inline constexpr std::string_view MastersUnit = " места"_w1251;
inline constexpr std::string_view InspectorTitle = "Инспектор дистанций"_w1251;
inline constexpr std::size_t InspectorTitlePadding = 29;

// What the rewrite recognises in a protocol.
inline constexpr std::string_view PreOpen = "<pre>";
inline constexpr std::string_view PreClose = "</pre>";
inline constexpr std::string_view HeadingTag = "<h2>";
inline constexpr std::string_view ChiefJudge = "Главный судья"_w1251;
inline constexpr std::string_view OldClassLine = "Класс"_w1251;
inline constexpr std::string_view OldRankLine = "Ранг"_w1251;
inline constexpr std::string_view ResultsRule = "-------";
inline constexpr std::string_view HeaderRule = "-----------";

} // namespace engine::texts
