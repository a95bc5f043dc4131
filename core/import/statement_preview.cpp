#include "core/import/statement_preview.h"

#include <array>

namespace velmora {
namespace {

constexpr std::array<const char*, kPreviewExtraColumns> kExtraHeaders = {"日付", "科目", "摘要",
                                                                         "入金", "出金", "結果"};

std::string AmountText(Amount amount) {
    return amount.IsZero() ? std::string() : amount.YenText();
}

}  // namespace

StatementPreview::StatementPreview(const std::vector<StatementRow>& rows, int fileColumns,
                                   ImportPlan plan, int skipRows, bool imported)
    : rows_(&rows),
      fileColumns_(fileColumns),
      plan_(std::move(plan)),
      planned_(rows.size(), -1),
      skipRows_(skipRows),
      imported_(imported) {
    for (std::size_t i = 0; i < plan_.rows.size(); ++i) {
        const auto row = static_cast<std::size_t>(plan_.rows[i].fileRow - 1);
        if (row < planned_.size()) planned_[row] = static_cast<int>(i);
    }
}

std::string StatementPreview::Header(int column) const {
    if (column < fileColumns_) return std::to_string(column + 1);
    const int extra = column - fileColumns_;
    return extra < kPreviewExtraColumns ? kExtraHeaders[static_cast<std::size_t>(extra)] : "";
}

const PlannedRow* StatementPreview::Planned(int row) const {
    if (row < 0 || row >= static_cast<int>(planned_.size())) return nullptr;
    const int index = planned_[static_cast<std::size_t>(row)];
    return index < 0 ? nullptr : &plan_.rows[static_cast<std::size_t>(index)];
}

std::string StatementPreview::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount()) return {};
    if (column < fileColumns_) {
        const StatementRow& cells = (*rows_)[static_cast<std::size_t>(row)];
        return static_cast<std::size_t>(column) < cells.size()
                   ? cells[static_cast<std::size_t>(column)]
                   : std::string();
    }
    const PlannedRow* p = Planned(row);
    const int extra = column - fileColumns_;
    if (!p) return extra == kPreviewExtraColumns - 1 && row < skipRows_ ? kPreviewHeaderRow : "";
    const bool read = p->verdict == RowVerdict::Import || !p->title.empty() ||
                      !p->description.empty() || p->date != Date();
    switch (extra) {
        case 0:
            return read && p->date != Date() ? p->date.ShortText() : "";
        case 1:
            return p->title;
        case 2:
            return p->description;
        case 3:
            return AmountText(p->income);
        case 4:
            return AmountText(p->expense);
        case 5:
            if (p->verdict == RowVerdict::Import)
                return imported_ ? kPreviewImported : kPreviewImport;
            return p->reason;
        default:
            return {};
    }
}

int StatementPreview::ColumnWidth(int column) const {
    constexpr std::array<int, kPreviewExtraColumns> kExtraWidths = {80, 90, 230, 75, 75, 240};
    const int extra = column - fileColumns_;
    return extra >= 0 && extra < kPreviewExtraColumns
               ? kExtraWidths[static_cast<std::size_t>(extra)]
               : 70;
}

PreviewLook StatementPreview::Look(int row) const {
    const PlannedRow* p = Planned(row);
    if (!p) return row < skipRows_ ? PreviewLook::HeaderRow : PreviewLook::Passed;
    if (p->verdict != RowVerdict::Import) return PreviewLook::NotImported;
    return imported_ ? PreviewLook::Imported : PreviewLook::Import;
}

std::string StatementPreview::Summary() const {
    std::string text = std::string(imported_ ? kPreviewImported : kPreviewImport) + " " +
                       std::to_string(plan_.Count(RowVerdict::Import)) + "件";
    const std::pair<const char*, RowVerdict> kinds[] = {{"重複", RowVerdict::Duplicate},
                                                        {"年度外", RowVerdict::OutsideYear},
                                                        {"入力できない行", RowVerdict::Refused}};
    for (const auto& [name, verdict] : kinds)
        if (const int n = plan_.Count(verdict); n > 0)
            text += std::string("　") + name + " " + std::to_string(n) + "件";
    return text;
}

}  // namespace velmora
