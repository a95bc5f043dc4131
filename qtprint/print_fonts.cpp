#include "qtprint/print_fonts.h"

#include <QFontDatabase>
#include <array>

namespace velmora::gui {
namespace {

struct FaceAlias {
    std::string_view face;
    const char* family;
};

constexpr std::array<FaceAlias, 14> kAliases{{
    {"ＭＳ 明朝", kMinchoFamily},
    {"ＭＳ Ｐ明朝", kMinchoFamily},
    {"MS Mincho", kMinchoFamily},
    {"MS PMincho", kMinchoFamily},
    {"ＭＳ ゴシック", kGothicFamily},
    {"ＭＳ Ｐゴシック", kGothicFamily},
    {"ＭＳ ＵＩゴシック", kGothicFamily},
    {"MS Gothic", kGothicFamily},
    {"MS PGothic", kGothicFamily},
    {"MS UI Gothic", kGothicFamily},
    {"メイリオ", kGothicFamily},
    {"Meiryo", kGothicFamily},
    {"IPAex明朝", kMinchoFamily},
    {"IPAexゴシック", kGothicFamily},
}};

}  // namespace

QString PrintFamily(std::string_view face) {
    for (const FaceAlias& alias : kAliases)
        if (alias.face == face) return QString::fromLatin1(alias.family);
    const QString family = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
    if (!family.isEmpty() && QFontDatabase::hasFamily(family)) return family;
    return QString::fromLatin1(kGothicFamily);
}

}  // namespace velmora::gui
