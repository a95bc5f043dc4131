#include "core/entry/typed_date.h"

#include <charconv>
#include <string>
#include <vector>

#include "core/entry/numeric_field.h"

namespace velmora {
namespace {

// The numbers between the separators ("/", "-", "."); none when anything else is there.
std::optional<std::vector<int>> Numbers(std::string_view text) {
    std::vector<int> numbers;
    std::string part;
    auto flush = [&]() -> bool {
        if (part.empty() || part.size() > 4) return false;
        int n = 0;
        std::from_chars(part.data(), part.data() + part.size(), n);
        numbers.push_back(n);
        part.clear();
        return true;
    };
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            part += c;
        } else if (c == '/' || c == '-' || c == '.') {
            if (!flush()) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (!flush() || numbers.size() > 3) return std::nullopt;
    return numbers;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<Date> ParseTypedDate(std::string_view text, Date shown, std::optional<DaySpan> year) {
    // A full-width slash, as an input method gives it, separates as "/" does.
    std::string half;
    const std::string_view fullSlash = "／";
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, fullSlash.size()) == fullSlash) {
            half += '/';
            i += fullSlash.size();
        } else {
            half += text[i++];
        }
    }
    half = HalfWidthNumberText(half);
    const auto numbers = Numbers(Trimmed(half));
    if (!numbers) return std::nullopt;
    int typedYear = shown.Year();
    int month = shown.Month();
    int day = numbers->back();
    if (numbers->size() >= 2) month = (*numbers)[numbers->size() - 2];
    if (numbers->size() == 3) {
        typedYear = (*numbers)[0];
        if (typedYear < 1000) return std::nullopt;  // a year is typed whole
    }
    if (numbers->size() == 2 && year) {
        const auto inYear = [&](int y) {
            if (!Date::IsValidYmd(y, month, day)) return false;
            const Date d = Date::FromYmd(y, month, day);
            return !(d < year->first) && !(year->last < d);
        };
        if (!inYear(typedYear)) {
            if (inYear(typedYear + 1))
                ++typedYear;
            else if (inYear(typedYear - 1))
                --typedYear;
        }
    }
    if (!Date::IsValidYmd(typedYear, month, day)) return std::nullopt;
    return Date::FromYmd(typedYear, month, day);
}

Date StepDate(Date date, DateStep step) {
    switch (step) {
        case DateStep::NextDay:
            return date.AddDays(1);
        case DateStep::PreviousDay:
            return date.AddDays(-1);
        case DateStep::NextWeek:
            return date.AddDays(7);
        case DateStep::PreviousWeek:
            return date.AddDays(-7);
        case DateStep::NextMonth:
            return date.AddMonths(1);
        case DateStep::PreviousMonth:
            return date.AddMonths(-1);
    }
    return date;
}

}  // namespace velmora
