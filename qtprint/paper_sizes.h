#pragma once
// The Windows paper codes that style headers and printer settings carry, as Qt page sizes.
#include <QPageSize>
#include <QString>
#include <optional>

namespace velmora::gui {

inline constexpr int kLastPaperCode = 41;

// The page size of a Windows paper code 1..41; nothing for any other code and for the
// codes of papers Qt has no size for.
std::optional<QPageSize::PageSizeId> PageSizeOfPaperCode(int code);
// The paper code of a Qt page size: the first code whose size it is, 0 when none.
int PaperCodeOfPageSize(QPageSize::PageSizeId id);
// The paper list: entry 0 "※用紙リスト", then the name of each paper code 1..41.
QString PaperName(int code);

}  // namespace velmora::gui
