#pragma once
// The CP932 form of the texts records repeat, made once and copied after.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/export/csv_export.h"

namespace velmora {

// The CP932 form of the texts records repeat (book kinds and names, titles,
// descriptions), made once and copied after: most records of a year share them. A form
// is found by its column and the text's id, which stands for one text; the text's length
// and first bytes must agree as well, in case the index no longer followed the lines.
class RepeatedForms {
public:
    // Forms are copied kBlock bytes at a time: the room after the place written to must
    // hold one block more than the form.
    static constexpr std::size_t kBlock = 16;

    // Writes the form kept for text at out and returns its end; nullptr when none is kept.
    char* Copy(std::size_t column, std::uint32_t id, std::string_view text, char* out) const {
        const auto& kept = kept_[column];
        if (id >= kept.size()) return nullptr;
        const Kept& form = kept[id];
        if (form.size != text.size() || form.head != HeadOf(text) || form.length == kNone)
            return nullptr;
        const char* from = form.length <= kInline ? form.inline_.data() : form.longer.data();
        for (std::size_t at = 0; at < form.length; at += kBlock)
            std::memcpy(out + at, from + at, kBlock);
        return out + form.length;
    }

    void Keep(std::size_t column, std::uint32_t id, std::string_view text, std::string_view form) {
        auto& kept = kept_[column];
        if (id >= kept.size()) kept.resize(std::max<std::size_t>(id + 1, kept.size() * 2));
        Kept& entry = kept[id];
        entry.size = text.size();
        entry.head = HeadOf(text);
        entry.length = form.size();
        if (form.size() <= kInline) {
            std::copy(form.begin(), form.end(), entry.inline_.begin());
            return;
        }
        entry.longer.assign(form.begin(), form.end());
        entry.longer.resize((form.size() / kBlock + 1) * kBlock);
    }

private:
    static constexpr std::size_t kInline = 3 * kBlock;
    static constexpr std::size_t kNone = ~std::size_t{0};

    static std::uint64_t HeadOf(std::string_view text) {
        std::uint64_t head = 0;
        if (text.size() >= sizeof head)
            std::memcpy(&head, text.data(), sizeof head);
        else
            for (std::size_t i = 0; i < text.size(); ++i)
                head |= std::uint64_t{static_cast<unsigned char>(text[i])} << (8 * i);
        return head;
    }

    // A form up to kInline bytes is kept in place, a longer one in whole blocks beside.
    struct Kept {
        std::size_t size = 0;  // of the text
        std::uint64_t head = 0;
        std::size_t length = kNone;  // of the form; kNone: none kept
        std::array<char, kInline> inline_{};
        std::string longer;
    };
    std::array<std::vector<Kept>, kCsvColumnCount> kept_;
};

}  // namespace velmora
