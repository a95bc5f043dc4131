#pragma once
// Books: the one cash book, petty-cash books and bank books, named by (kind, name).
#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::string_view kCashKind = "現金";
inline constexpr std::string_view kPettyKind = "小口";
inline constexpr std::string_view kBankKind = "預金";
// The all-books view mode: not a book.
inline constexpr std::string_view kAllBooksKind = "全帳簿";

inline constexpr std::string_view kCashBookName = "現金出納帳";         // use type 1
inline constexpr std::string_view kAllowanceBookName = "おこづかい帳";  // use type 2

// "現金出納帳" for use type 1, "おこづかい帳" for any other.
inline std::string UseTypeName(int useType) {
    return std::string(useType == 1 ? kCashBookName : kAllowanceBookName);
}

struct BookId {
    std::string kind;
    std::string name;

    bool operator==(const BookId&) const = default;
    bool IsAllBooks() const { return kind == kAllBooksKind; }
};

}  // namespace velmora
