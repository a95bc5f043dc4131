#pragma once
// The monthly summary lists (by account title or by description) on A4 or B4 landscape:
// a label column, the twelve months of the fiscal year and the year's total, thirty rows
// per page under the summary's own header row.
#include <string>
#include <string_view>
#include <vector>

#include "tools/make_styles/style_look.h"

namespace velmora {

enum class SummaryPaper { kA4, kB4 };
enum class SummaryLabel { kAccountTitle, kDescription };

inline constexpr SummaryPaper kSummaryPapers[] = {SummaryPaper::kA4, SummaryPaper::kB4};
inline constexpr SummaryLabel kSummaryLabels[] = {SummaryLabel::kAccountTitle,
                                                  SummaryLabel::kDescription};

// "A4月別一覧表_科目" and the like, before the typeface and colour parts.
std::string SummaryBaseName(SummaryPaper paper, SummaryLabel label);

std::vector<std::string> MonthlySummaryStyle(SummaryPaper paper, SummaryLabel label,
                                             const StyleLook& look);

}  // namespace velmora
