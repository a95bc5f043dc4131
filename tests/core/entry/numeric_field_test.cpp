// The number field keystroke by keystroke. In the tables a text shows the caret as "|"
// and the other end of a selection as "["; "\b" is backspace and "\x7f" the Delete key.
#include "core/entry/numeric_field.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace velmora::testing {
namespace {

using Configure = std::function<void(NumberField&)>;

void Place(NumberField& field, std::string marked) {
    const auto anchor = marked.find('[');
    if (anchor != std::string::npos) marked.erase(anchor, 1);
    const auto caret = marked.find('|');
    marked.erase(caret, 1);
    field.SetText(marked);
    field.Select(static_cast<int>(anchor == std::string::npos ? caret : anchor),
                 static_cast<int>(caret));
}

std::string Shown(const NumberField& field) {
    std::string text = field.Text();
    text.insert(static_cast<std::size_t>(field.Caret()), "|");
    return text;
}

struct Keys {
    const char* start;
    const char* keys;
    const char* expected;
    long double value;
};

void RunTable(const Configure& setup, const std::vector<Keys>& table) {
    for (const auto& row : table) {
        NumberField field;
        setup(field);
        Place(field, row.start);
        for (const char* k = row.keys; *k != '\0'; ++k) {
            if (*k == '\x7f')
                field.Delete();
            else
                field.TypeChar(static_cast<unsigned char>(*k));
        }
        EXPECT_EQ(Shown(field), row.expected) << row.start << " + \"" << row.keys << "\"";
        EXPECT_EQ(field.Value(), row.value) << row.start << " + \"" << row.keys << "\"";
    }
}

// Typed text, then the field is left: the text it shows and the value it keeps.
struct Leaving {
    const char* typed;
    const char* shown;
    long double value;
};

void RunLeaving(const Configure& setup, const std::vector<Leaving>& table) {
    for (const auto& row : table) {
        NumberField field;
        setup(field);
        field.Enter();
        for (const char* k = row.typed; *k != '\0'; ++k) field.TypeChar(*k);
        field.Leave();
        EXPECT_EQ(field.Text(), row.shown) << row.typed;
        EXPECT_EQ(field.Value(), row.value) << row.typed;
    }
}

TEST(NumberField, DefaultsAndTheIncomeField) {
    NumberField field;
    EXPECT_EQ(field.Text(), "0");
    EXPECT_EQ(field.Type(), NumberType::kDecimal);
    EXPECT_EQ(field.Figure(), -1);
    EXPECT_EQ(field.Rounding(), RoundMode::kDown);
    EXPECT_EQ(field.Limits(), (LimitOptions{true, true}));
    EXPECT_TRUE(field.ZeroVisible());
    EXPECT_EQ(field.Increment(), 1.0L);
    EXPECT_FALSE(field.Fixed() || field.Comma() || field.ValidMinus() || field.Limit() ||
                 field.AllowKeys() || field.Wrap());
    EXPECT_EQ(field.MaxIntLength(), 0);

    // Income and expense: an empty field means 0.
    field.SetZeroVisible(false);
    EXPECT_EQ(field.Text(), "");
    field.Enter();
    for (char c : std::string("1500")) field.TypeChar(c);
    EXPECT_EQ(field.Value(), 1500.0L);
    EXPECT_TRUE(field.Leave());
    EXPECT_EQ(field.Text(), "1500");
    field.Enter();
    EXPECT_EQ(field.SelLength(), 4);
    field.Backspace();
    EXPECT_EQ(field.Value(), 0.0L);
    field.Leave();
    EXPECT_EQ(field.Text(), "");
    field.Enter();
    EXPECT_FALSE(field.Leave());
}

TEST(NumberField, TypingSignsAndSeparator) {
    RunTable([](NumberField&) {}, {
                                      {"[0|", "1500", "1500|", 1500},
                                      {"300|", "-", "-300|", -300},
                                      {"-300|", "-", "300|", 300},
                                      {"30|0", "-", "-30|0", -300},
                                      {"|-300", "-", "|300", 300},
                                      {"+300|", "-", "-300|", -300},
                                      {"-300|", "+", "+300|", 300},
                                      {"+300|", "+", "300|", 300},
                                      // A selection from the start goes before the sign toggles.
                                      {"[300|", "-", "-|", 0},
                                      {"3[00|", "-", "-300|", -300},
                                      {"1.5|", ".", "1.5|", 1.5L},
                                      {"1[.5|", ".7", "1.7|", 1.7L},
                                      {"12|", "a, e", "12|", 12},
                                      {"1234|", "\b\b", "12|", 12},
                                      {"|1234", "\x7f", "|234", 234},
                                      {"[1234|", "\b", "|", 0},
                                      {"5|", "\b-", "-|", 0},
                                      {"-|", ".", "-.|", 0},
                                      {"|", ".25", ".25|", 0.25L},
                                  });
}

TEST(NumberField, CommasWhileTypingMoveTheCaret) {
    RunTable([](NumberField& f) { f.SetComma(true); },
             {
                 {"[0|", "1234567", "1,234,567|", 1234567},
                 {"999|,999", "9", "9,999|,999", 9999999},
                 {"|1,234", "5", "5|1,234", 51234},
                 {"1,234|", "\b", "123|", 123},
                 {"1,|234", "\b", "1,|234", 1234},
                 {"1|,234", "\b", "|234", 234},
                 {"-1,234|", "5", "-12,345|", -12345},
                 {"1,234|", ".567", "1,234.567|", 1234.567L},
                 {"-|", "1000", "-1,000|", -1000},
             });
}

TEST(NumberField, IntegerDigitsAndLength) {
    RunTable([](NumberField& f) { f.SetMaxIntLength(4); },
             {
                 {"1234|", "5", "1234|", 1234},
                 {"1234|", ".5", "1234.5|", 1234.5L},
                 {"12|34.5", "9", "12|34.5", 1234.5L},
                 {"1234.|5", "9", "1234.9|5", 1234.95L},
                 {"1[23|4", "9", "19|4", 194},
                 {"-123|", "45", "-1234|", -1234},
             });
    RunTable(
        [](NumberField& f) {
            f.SetComma(true);
            f.SetMaxIntLength(4);
        },
        {{"1,234|", "5", "1,234|", 1234}});
    // The start year: four characters, limits stored but not enforced.
    RunTable(
        [](NumberField& f) { f.SetMaxLength(4), f.SetMax(2100), f.SetMin(1900), f.SetValue(2004); },
        {{"[2004|", "1800", "1800|", 1800},
         {"1800|", "1", "1800|", 1800},
         {"20[04|", "99", "2099|", 2099}});
}

TEST(NumberField, Hexadecimal) {
    RunTable([](NumberField& f) { f.SetNumberType(NumberType::kHex); },
             {
                 {"[0|", "1aF", "1aF|", 0x1AF},
                 {"1F|", "-+.g", "1F|", 31},
             });
    RunTable(
        [](NumberField& f) {
            f.SetNumberType(NumberType::kHex);
            f.SetValidMinus(true);
        },
        {{"1F|", "-", "-1F|", -31}, {"-1F|", "+", "1F|", 31}, {"1F|", "+", "1F|", 31}});

    NumberField field;
    field.SetNumberType(NumberType::kHex);
    field.SetFigure(4);
    field.SetValue(255);
    EXPECT_EQ(field.Text(), "00FF");
    field.SetValue(-5);  // no minus without ValidMinus
    EXPECT_EQ(field.Text(), "0000");
    field.SetValue(1099511627776.0L);
    EXPECT_EQ(field.Text(), "FFFFFFFF");
    EXPECT_EQ(field.AsInt64(), 0xFFFFFFFF);
    field.SetValidMinus(true);
    field.SetValue(-255);
    EXPECT_EQ(field.Text(), "-00FF");
    EXPECT_EQ(field.AsText(), "-FF");
}

TEST(NumberField, FormattingOnLeaving) {
    auto figure2 = [](RoundMode mode, bool fixed) {
        return [=](NumberField& f) { f.SetFigure(2), f.SetRoundMode(mode), f.SetFixed(fixed); };
    };
    RunLeaving(figure2(RoundMode::kRound, false),
               {{"1.235", "1.24", 1.24L}, {"-1.235", "-1.24", -1.24L}, {"9.995", "10", 10}});
    RunLeaving(figure2(RoundMode::kDown, false), {{"1.235", "1.23", 1.23L}, {"1.5", "1.5", 1.5L}});
    RunLeaving(figure2(RoundMode::kUp, false),
               {{"1.231", "1.24", 1.24L}, {"1.230", "1.23", 1.23L}, {"0.999", "1", 1}});
    RunLeaving(figure2(RoundMode::kRound, true),
               {{"9.995", "10.00", 10}, {"1.5", "1.50", 1.5L}, {"3", "3.00", 3}, {"", "0.00", 0}});
    RunLeaving(
        [](NumberField& f) { f.SetFigure(0), f.SetFixed(true), f.SetRoundMode(RoundMode::kRound); },
        {{"2.5", "3", 3}, {"2.4", "2", 2}});
    RunLeaving([](NumberField&) {},
               {{"1.50", "1.5", 1.5L},
                {"007", "7", 7},
                {"5.", "5", 5},
                {"+5", "+5", 5},
                {"-", "0", 0},
                {"123456789012345678", "123456789012345678", 123456789012345678.0L}});
    RunLeaving(
        [](NumberField& f) {
            f.SetComma(true), f.SetFigure(2), f.SetFixed(true), f.SetRoundMode(RoundMode::kUp);
        },
        {{"1234567.891", "1,234,567.90", 1234567.9L}, {"-999999.999", "-1,000,000.00", -1000000}});
    RunLeaving([](NumberField& f) { f.SetZeroVisible(false), f.SetFigure(2); },
               {{"-0.001", "", 0}, {"0.00", "", 0}});

    // The value follows the rounding while the text still shows what was typed.
    NumberField field;
    figure2(RoundMode::kRound, false)(field);
    field.Enter();
    for (char c : std::string("1.235")) field.TypeChar(c);
    EXPECT_EQ(field.Text(), "1.235");
    EXPECT_EQ(field.Value(), 1.24L);
    EXPECT_EQ(field.FormattedText(), "1.24");
}

TEST(NumberField, LimitsAndArrowKeys) {
    NumberField field;
    EXPECT_FALSE(field.ArrowUp());
    EXPECT_EQ(field.Value(), 0.0L);

    field.SetAllowKeys(true);
    field.SetIncrement(0.5L);
    field.SetMax(12);
    field.SetMin(1);
    field.SetLimit(true);
    EXPECT_EQ(field.Text(), "1");  // switching the limit on clamps at once
    field.SetValue(11.5L);
    EXPECT_TRUE(field.ArrowUp());
    EXPECT_TRUE(field.ArrowUp());
    EXPECT_EQ(field.Text(), "12");
    field.SetWrap(true);
    field.ArrowUp();
    EXPECT_EQ(field.Value(), 1.0L);
    field.ArrowDown();
    EXPECT_EQ(field.Text(), "12");

    // Typing beyond a limit clamps the value, not the text, until the field is left.
    field.Enter();
    for (char c : std::string("150")) field.TypeChar(c);
    EXPECT_EQ(field.Text(), "150");
    EXPECT_EQ(field.Value(), 12.0L);
    field.Leave();
    EXPECT_EQ(field.Text(), "12");
    field.SetLimitOptions({true, false});
    field.SetValue(-5);
    EXPECT_EQ(field.Value(), -5.0L);

    // Max below Min moves Min down to it, and the other way round.
    NumberField year;
    year.SetMax(2100), year.SetMin(1900);
    year.SetMax(1000);
    EXPECT_EQ(year.Min(), 1000.0L);
    year.SetMin(3000);
    EXPECT_EQ(year.Max(), 3000.0L);
    year.SetValue(1800);  // Limit off: stored, not enforced
    EXPECT_EQ(year.Value(), 1800.0L);
}

TEST(NumberField, PasteFiltersCharacters) {
    struct Pasting {
        const char* start;
        const char* pasted;
        const char* expected;
    };
    auto run = [](const Configure& setup, const std::vector<Pasting>& table) {
        for (const auto& row : table) {
            NumberField field;
            setup(field);
            Place(field, row.start);
            field.Paste(row.pasted);
            EXPECT_EQ(Shown(field), row.expected) << row.start << " + " << row.pasted;
        }
    };
    run([](NumberField&) {}, {
                                 {"[0|", "¥1,234.5円", "1234.5|"},
                                 {"12|", "-3.4.5", "123.45|"},
                                 {"|12", "-", "-|12"},
                                 {"-|12", "-5", "-5|12"},
                                 {"1.|5", "2.", "1.2|5"},
                             });
    // A full-width digit is a digit.
    run([](NumberField& f) { f.SetComma(true); }, {{"[0|", "１2345", "12,345|"}});
    run([](NumberField& f) { f.SetMaxLength(4); }, {{"12|", "3456", "1234|"}});
    run([](NumberField& f) { f.SetMaxIntLength(3); }, {{"[0|", "12345.67", "123.67|"}});
    run([](NumberField& f) { f.SetNumberType(NumberType::kHex); }, {{"|", "0x1fz-", "01f|"}});
}

TEST(NumberField, IntegerTextAndAmountViews) {
    NumberField field;
    field.SetValue(3e9L);
    EXPECT_EQ(field.AsInteger(), 2147483647);
    EXPECT_EQ(field.AsInt64(), 3000000000);
    field.SetValue(-7.9L);
    EXPECT_EQ(field.AsInteger(), -7);
    EXPECT_EQ(field.AsText(), "-7.9");
    field.SetText("1234.56789");
    EXPECT_EQ(field.AsAmount(), Amount::FromRaw(12345679));
    field.SetAmount(Amount::FromRaw(-12345));
    EXPECT_EQ(field.Text(), "-1.2345");

    // Properties that change the look reformat the text at once.
    field.SetValue(1234567.239L);
    field.SetComma(true);
    EXPECT_EQ(field.Text(), "1,234,567.239");
    field.SetFigure(2);
    EXPECT_EQ(field.Text(), "1,234,567.23");
    EXPECT_EQ(field.Value(), 1234567.23L);
    field.SetAutoSelect(false);
    field.Enter();
    EXPECT_EQ(Shown(field), "1,234,567.23|");
    EXPECT_EQ(field.SelLength(), 0);
}

}  // namespace
// An input method gives full-width digits: typed or pasted, they are the digits.
TEST(NumberField, FullWidthDigitsAreDigits) {
    NumberField field;
    field.SetZeroVisible(false);
    for (char32_t c : std::u32string(U"８４０")) EXPECT_TRUE(field.TypeChar(c));
    EXPECT_EQ(field.Text(), "840");
    EXPECT_EQ(field.Value(), 840.0L);
    EXPECT_TRUE(field.TypeChar(U'－'));
    EXPECT_EQ(field.Text(), "-840");
    EXPECT_FALSE(field.TypeChar(U'あ'));
    field.SetText("");
    field.Paste("１，２３４．５円");
    EXPECT_EQ(field.Text(), "1234.5");
    EXPECT_EQ(HalfWidthNumberText("－１２"), "-12");
}

}  // namespace velmora::testing
