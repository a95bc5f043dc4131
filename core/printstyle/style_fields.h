#pragma once
// The field grammar of style lines: fields separated by ";", taken off the front of the
// line one at a time. The readers throw ConversionError for text that does not convert.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/util/amount.h"

namespace velmora {

// A colour in the 0x00BBGGRR encoding of style files (red in the lowest byte).
using Colour = std::uint32_t;

// The text before the first ";", removed from line together with the ";". When line holds
// no ";" any more, the whole remaining text is returned and line is left as it is, so that
// every further call returns that same text again.
std::string TakeField(std::string& line);

// The text before the first ";" (empty when there is none; empty reads as 0) as a strict
// whole number; the text up to and including the first ";" is removed, nothing when there
// is no ";". A missing trailing integer field therefore reads as 0.
int TakeIntField(std::string& line);

// Millimetres, exact to four decimals. Empty or non-numeric text throws.
Amount ReadMm(std::string_view text);
// A strict whole number of the 32-bit range. Empty or non-numeric text throws.
int ReadInt(std::string_view text);
// A whole number; anything that is not one (empty text included) reads as 0.
int ReadInt0(std::string_view text);
// A colour read like ReadInt0.
Colour ReadColour(std::string_view text);

// Takes typed fields off one line in order.
class FieldReader {
public:
    explicit FieldReader(std::string line) : rest_(std::move(line)) {}

    std::string Text() { return TakeField(rest_); }
    void Skip(int count);
    Amount Mm() { return ReadMm(TakeField(rest_)); }
    // Millimetres where an empty field reads as 0.
    Amount MmOrZero();
    int Int() { return ReadInt(TakeField(rest_)); }
    int Int0() { return ReadInt0(TakeField(rest_)); }
    int IntT() { return TakeIntField(rest_); }
    Colour ColourField() { return ReadColour(TakeField(rest_)); }

    const std::string& Rest() const { return rest_; }

private:
    std::string rest_;
};

}  // namespace velmora
