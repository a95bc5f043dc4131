#include "qtprint/paper_sizes.h"

#include <array>

namespace velmora::gui {
namespace {

struct PaperEntry {
    const char* name;
    std::optional<QPageSize::PageSizeId> size;
};

using Id = QPageSize::PageSizeId;

// Index = Windows paper code. Code 12 and 13 are the Japanese B sizes (257 x 364 and
// 182 x 257 mm), not the ISO ones.
const std::array<PaperEntry, kLastPaperCode + 1> kPapers{{
    {"※用紙リスト", std::nullopt},
    {"レター", Id::Letter},
    {"レター スモール", Id::Letter},
    {"タブロイド", Id::Tabloid},
    {"レジャー", Id::Ledger},
    {"リーガル", Id::Legal},
    {"ステートメント", Id::Statement},
    {"エグゼクティブ", Id::Executive},
    {"A3", Id::A3},
    {"A4", Id::A4},
    {"A4 スモール", Id::A4},
    {"A5", Id::A5},
    {"B4 (JIS)", Id::JisB4},
    {"B5 (JIS)", Id::JisB5},
    {"フォリオ", Id::Folio},
    {"クォート", Id::Quarto},
    {"10x14 インチ", Id::Imperial10x14},
    {"11x17 インチ", Id::Tabloid},
    {"ノート", Id::Letter},
    {"封筒 #9", Id::Envelope9},
    {"封筒 #10", Id::Envelope10},
    {"封筒 #11", Id::Envelope11},
    {"封筒 #12", Id::Envelope12},
    {"封筒 #14", Id::Envelope14},
    {"C サイズ シート", Id::AnsiC},
    {"D サイズ シート", Id::AnsiD},
    {"E サイズ シート", Id::AnsiE},
    {"封筒 DL", Id::EnvelopeDL},
    {"封筒 C5", Id::EnvelopeC5},
    {"封筒 C3", Id::EnvelopeC3},
    {"封筒 C4", Id::EnvelopeC4},
    {"封筒 C6", Id::EnvelopeC6},
    {"封筒 C65", Id::EnvelopeC65},
    {"封筒 B4", Id::EnvelopeB4},
    {"封筒 B5", Id::EnvelopeB5},
    {"封筒 B6", Id::EnvelopeB6},
    {"封筒 イタリア", Id::EnvelopeItalian},
    {"封筒 モナーク", Id::EnvelopeMonarch},
    {"封筒 6 3/4", Id::EnvelopePersonal},
    {"US 標準ファンフォールド", Id::FanFoldUS},
    {"ドイツ 標準ファンフォールド", Id::FanFoldGerman},
    {"ドイツ リーガル ファンフォールド", Id::FanFoldGermanLegal},
}};

}  // namespace

std::optional<QPageSize::PageSizeId> PageSizeOfPaperCode(int code) {
    if (code < 1 || code > kLastPaperCode) return std::nullopt;
    return kPapers[static_cast<std::size_t>(code)].size;
}

int PaperCodeOfPageSize(QPageSize::PageSizeId id) {
    for (int code = 1; code <= kLastPaperCode; ++code)
        if (kPapers[static_cast<std::size_t>(code)].size == id) return code;
    return 0;
}

QString PaperName(int code) {
    if (code < 0 || code > kLastPaperCode) code = 0;
    return QString::fromUtf8(kPapers[static_cast<std::size_t>(code)].name);
}

}  // namespace velmora::gui
