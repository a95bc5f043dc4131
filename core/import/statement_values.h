#pragma once
// The cells of a bank's statement as Japanese banks write them: dates in Western or era
// years, amounts with separators, currency signs, full-width digits and the triangle
// that marks a negative, descriptions in half-width katakana.
#include <optional>
#include <string>
#include <string_view>

#include "core/util/amount.h"
#include "core/util/date.h"

namespace velmora {

// Full-width ASCII (！ .. ～) as ASCII and the ideographic space as a space; everything
// else as it is.
std::string NarrowFullWidthAscii(std::string_view text);

// 2024/05/22, 2024/5/22, 2024-05-22, 2024.05.22, 20240522, 2024年5月22日, and era years:
// R6.5.22, R06/05/22, 令和6年5月22日, 令和元年5月1日, H31.4.30, 平成31年4月30日 (also S 昭和,
// T 大正, M 明治); full-width digits too; a time after the date is passed over. nullopt
// for anything else, or a day the month lacks.
std::optional<Date> ParseStatementDate(std::string_view text);

// An amount cell: thousands separators, "円", "￥" or "\", full-width digits, a sign
// "-", "+", "△" or "▲", or parentheses round a negative amount. An empty cell is zero;
// nullopt for a text that is no amount.
std::optional<Amount> ParseStatementAmount(std::string_view text);

// A description as a bookkeeper would type it: half-width katakana (ｱ, ｶﾞ, ﾊﾟ) and their
// punctuation as full-width characters, and, in a text that held any, each run of
// half-width spaces as one full-width space. Blanks at both ends go.
std::string WidenHalfWidthKana(std::string_view text);

}  // namespace velmora
