// Every committed style file reads by the style format: CP932 text with CR LF, the header
// line first, then items whose fields have the types their kind needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "core/platform/file_io.h"
#include "core/util/codepage.h"
#include "support/temp_folder.h"
#include "tools/shipped_styles.h"

namespace velmora::testing {
namespace {

// Digits only, at least one.
bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// A whole number with an optional minus sign.
bool IsInt(std::string_view field) {
    if (field.starts_with('-')) field.remove_prefix(1);
    return IsDigits(field);
}

// A decimal with "." and at most four decimals, which the fixed-point reader takes exactly.
bool IsMm(std::string_view field) {
    const std::size_t point = field.find('.');
    if (point == std::string_view::npos) return IsInt(field);
    const std::string_view decimals = field.substr(point + 1);
    return IsInt(field.substr(0, point)) && IsDigits(decimals) && decimals.size() <= 4;
}

const std::set<std::string> kPens = {"実線", "破線", "点線", "一点鎖線", "二点鎖線", "立体線"};
const std::set<std::string> kBrushes = {"SolidBrush", "塗潰", "ClearBrush", "枠"};
const std::set<std::string> kFonts = {"IPAexGothic", "IPAexMincho"};

// Fields are numbered from 1 as in the format; "where" names the file and line.
struct LineCheck {
    const std::vector<std::string>& fields;
    std::string where;

    void Mm(std::initializer_list<int> numbers) const {
        for (int n : numbers) EXPECT_TRUE(IsMm(fields[n - 1])) << where << " F" << n;
    }
    void Int(std::initializer_list<int> numbers) const {
        for (int n : numbers) EXPECT_TRUE(IsInt(fields[n - 1])) << where << " F" << n;
    }
    void OneOf(int n, const std::set<std::string>& names) const {
        EXPECT_TRUE(names.contains(fields[n - 1])) << where << " F" << n << " " << fields[n - 1];
    }
};

void CheckHeader(const std::string& line, const std::string& where) {
    const std::vector<std::string> fields = StyleFields(line);
    ASSERT_EQ(fields.size(), 13u) << where;
    EXPECT_EQ(fields[0], "header") << where;
    EXPECT_EQ(fields[1], "Ver1.1") << where;
    const LineCheck check{fields, where};
    check.Mm({3, 4, 10, 11});
    check.Int({5, 6, 7, 8, 9, 12, 13});
    EXPECT_TRUE(fields[5] == "0" || fields[5] == "1") << where << " orientation";
}

void CheckItem(const std::string& line, const std::string& where) {
    ASSERT_FALSE(line.empty()) << where << ": an empty line ends the style there";
    const std::vector<std::string> fields = StyleFields(line);
    ASSERT_GE(fields.size(), 5u) << where;
    const LineCheck check{fields, where};
    check.Int({1, 2, 3, 4});
    const std::string& kind = fields[4];
    if (kind == "line" || kind == "rect") {
        ASSERT_EQ(fields.size(), 13u) << where;
        check.Mm({6, 7, 8, 9});
        check.Int({10, 12, 13});
        check.OneOf(11, kPens);
    } else if (kind == "rrect") {
        ASSERT_EQ(fields.size(), 17u) << where;
        check.Mm({6, 7, 8, 9});
        check.Int({10, 11, 12, 14, 16, 17});
        check.OneOf(13, kPens);
        check.OneOf(15, kBrushes);
    } else if (kind == "char" || kind == "data") {
        ASSERT_EQ(fields.size(), 23u) << where;
        check.Mm({6, 7, 8, 9, 10, 11, 18});
        check.Int({12, 13, 15, 17, 19, 21, 22, 23});
        check.OneOf(14, kFonts);
        EXPECT_GT(std::stoi(fields[14]), 0) << where << " font size";
        EXPECT_EQ(fields[16], "0") << where << " horizontal text";
    } else {
        ADD_FAILURE() << where << ": unexpected item kind " << kind;
    }
}

TEST(ShippedStyleGrammar, EveryLineOfEveryFileReadsByTheFormat) {
    const std::vector<std::string> names = StyleFileNames(ShippedStyleFolder());
    ASSERT_EQ(names.size(), 110u) << "data/style is incomplete";
    for (const std::string& name : names) {
        const std::string path = ShippedStyleFolder() + "/" + name;
        const std::string bytes = ReadBytes(path);
        // CP932 that converts back to the same bytes, CR LF after every line, no bare CR or LF.
        ASSERT_NO_THROW(EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(bytes)), bytes)) << name;
        ASSERT_TRUE(bytes.ends_with("\r\n")) << name;
        std::size_t crs = 0;
        std::size_t lfs = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\r') {
                ++crs;
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << name << " byte " << i;
            }
            if (bytes[i] == '\n') ++lfs;
        }
        EXPECT_EQ(crs, lfs) << name;

        const std::vector<std::string> lines = ReadTextLines(path);
        ASSERT_GE(lines.size(), 2u) << name;
        EXPECT_EQ(lines.size(), lfs) << name;
        CheckHeader(lines[0], name + ":1");
        for (std::size_t i = 1; i < lines.size(); ++i) {
            CheckItem(lines[i], name + ":" + std::to_string(i + 1));
        }
    }
}

TEST(ShippedStyleGrammar, TheChecksRejectWhatTheFormatCannotRead) {
    EXPECT_TRUE(IsMm("12.5"));
    EXPECT_TRUE(IsMm("-1.6"));
    EXPECT_TRUE(IsMm("0"));
    EXPECT_FALSE(IsMm(""));
    EXPECT_FALSE(IsMm("1,5"));
    EXPECT_FALSE(IsMm("1.23456"));
    EXPECT_FALSE(IsMm("1e3"));
    EXPECT_FALSE(IsMm("1."));
    EXPECT_FALSE(IsMm("-"));
    EXPECT_TRUE(IsInt("-6"));
    EXPECT_FALSE(IsInt("1.0"));
    EXPECT_FALSE(IsInt(""));
    EXPECT_EQ(StyleFields("a;;b;").size(), 3u);
    EXPECT_EQ(StyleFields("a;b").size(), 1u);  // the last piece has no ";" after it
}

}  // namespace
}  // namespace velmora::testing
