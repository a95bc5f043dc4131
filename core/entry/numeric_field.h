#pragma once
// The one-line number field through which every amount and number is typed: its text,
// caret and selection, the number the text stands for, and what each keystroke, paste,
// arrow step, entering and leaving do to them. The window's edit control only forwards
// keys here and shows the text and caret it gets back.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/util/amount.h"

namespace velmora {

enum class NumberType { kDecimal, kHex };
enum class RoundMode { kDown, kRound, kUp };

// Which limits apply while Limit is on.
struct LimitOptions {
    bool limitMax = true;
    bool limitMin = true;
    bool operator==(const LimitOptions&) const = default;
};

// A full-width digit, sign, decimal point or comma as its half-width character; any other
// character as it is.
char32_t HalfWidthNumberChar(char32_t c);
// Every such character of a UTF-8 text as its half-width form.
std::string HalfWidthNumberText(std::string_view text);

class NumberField {
public:
    NumberField();

    // --- Text, caret and selection (positions are character indices) ---
    const std::string& Text() const { return text_; }
    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    int SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    int SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
    std::string SelectedText() const;
    void SetCaret(int position);
    // The selection from anchor to caret; the caret is where typing goes on.
    void Select(int anchor, int caret);
    void SelectAll();

    // --- Keystrokes; each counts as typed and sets the modified flag when it edits ---
    // One character as the keyboard gives it ('\b' is backspace; tab and return pass
    // without editing). False when the character is refused and swallowed.
    // Full-width digits and signs (typed with an input method, pasted) count as their
    // half-width forms.
    bool TypeChar(char32_t c);
    void Backspace();
    // The Delete key: the selection, or the character after the caret.
    void Delete();
    // Pasted text goes in through the key filter; characters it refuses are dropped.
    void Paste(std::string_view pastedText);
    // The edit control changed the text by a key of its own (deleting a word and the
    // like): the text is taken as it is and read again.
    void EditText(std::string_view text, int caret);
    // The up and down arrow keys. True when they stepped the value (AllowKeys on), the
    // moment the arrow-key event is raised.
    bool ArrowUp();
    bool ArrowDown();

    // Focus comes in: the whole text is selected (auto-select) or the caret goes to the end.
    void Enter();
    // Focus leaves: the value is read from the text and the text formatted. True when a
    // key was typed since the field was entered.
    bool Leave();
    bool Modified() const { return modified_; }

    // --- The value ---
    long double Value() const { return value_; }
    // Clamped when Limit is on, reduced to Figure places, then shown formatted.
    void SetValue(long double value);
    // The value cut at the decimal separator; AsInteger within the 32-bit range.
    std::int32_t AsInteger() const;
    std::int64_t AsInt64() const;
    void SetAsInteger(std::int32_t value) { SetValue(value); }
    void SetAsInt64(std::int64_t value) { SetValue(static_cast<long double>(value)); }
    // Decimal: the value in plain digits; hexadecimal: its hex digits, "-" in front when
    // the text starts with one and ValidMinus is on.
    std::string AsText() const;
    // The text leaving the field would show.
    std::string FormattedText() const;
    // The value as an amount of money (to the nearest ten-thousandth, within the range
    // an Amount holds), and the other way round.
    Amount AsAmount() const;
    void SetAmount(Amount amount);
    // Text written by the program (not typed): read as a number, the caret at the end.
    void SetText(std::string_view text);

    // --- Properties; the ones that change what the text shows reformat it at once ---
    NumberType Type() const { return type_; }
    void SetNumberType(NumberType type);
    int Figure() const { return figure_; }
    void SetFigure(int figure);
    bool Fixed() const { return fixed_; }
    void SetFixed(bool fixed);
    RoundMode Rounding() const { return roundMode_; }
    void SetRoundMode(RoundMode mode) { roundMode_ = mode; }
    bool Comma() const { return comma_; }
    void SetComma(bool comma);
    bool ValidMinus() const { return validMinus_; }
    void SetValidMinus(bool validMinus);
    bool Limit() const { return limit_; }
    void SetLimit(bool limit);
    LimitOptions Limits() const { return limitOptions_; }
    void SetLimitOptions(LimitOptions options);
    long double Max() const { return max_; }
    long double Min() const { return min_; }
    // Max below Min moves Min down to it, and Min above Max moves Max up to it.
    void SetMax(long double max);
    void SetMin(long double min);
    bool ZeroVisible() const { return zeroVisible_; }
    void SetZeroVisible(bool visible);
    long double Increment() const { return increment_; }
    void SetIncrement(long double increment) { increment_ = increment; }
    bool AllowKeys() const { return allowKeys_; }
    void SetAllowKeys(bool allow) { allowKeys_ = allow; }
    bool Wrap() const { return wrap_; }
    void SetWrap(bool wrap) { wrap_ = wrap; }
    // Largest number of digits in the integer part; 0 for no limit.
    int MaxIntLength() const { return maxIntLength_; }
    void SetMaxIntLength(int length) { maxIntLength_ = length; }
    // Largest number of characters the user may type; 0 for no limit. Text the field
    // writes itself (formatting, signs) may go beyond it.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length; }
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }

private:
    bool AcceptsChar(char c) const;
    bool DigitFitsIntegerPart(int position) const;
    bool TypeSign(char sign);
    void ReplaceSelection(std::string_view with);
    // After every edit of the text: the value follows it, separators are regrouped.
    void Changed();
    long double ClampToLimits(long double value) const;
    long double Reduce(long double value) const;
    bool ParseText(long double& value) const;
    std::string Format(long double value, bool keepPlus) const;
    void Reformat();
    void Step(long double by);

    std::string text_ = "0";
    int caret_ = 0;
    int anchor_ = 0;
    long double value_ = 0;
    bool modified_ = false;

    NumberType type_ = NumberType::kDecimal;
    int figure_ = -1;
    bool fixed_ = false;
    RoundMode roundMode_ = RoundMode::kDown;
    bool comma_ = false;
    bool validMinus_ = false;
    bool limit_ = false;
    LimitOptions limitOptions_;
    long double max_ = 0;
    long double min_ = 0;
    bool zeroVisible_ = true;
    long double increment_ = 1;
    bool allowKeys_ = false;
    bool wrap_ = false;
    int maxIntLength_ = 0;
    int maxLength_ = 0;
    bool autoSelect_ = true;
};

}  // namespace velmora
