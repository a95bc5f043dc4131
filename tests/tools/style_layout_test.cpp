// What each generated style holds: the rows and placeholders its page filler fills, the
// paper it asks for, and the typeface and heading colour its name promises.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "tools/make_styles/style_catalogue.h"
#include "tools/shipped_styles.h"

namespace velmora::testing {
namespace {

using Fields = std::vector<std::string>;

const std::vector<StyleFile>& Generated() {
    static const std::vector<StyleFile> files = AllStyleFiles();
    return files;
}

const StyleFile& Style(const std::string& name) {
    for (const StyleFile& file : Generated()) {
        if (file.name == name) return file;
    }
    throw std::runtime_error("no style " + name);
}

std::vector<Fields> ItemsOf(const StyleFile& file, std::initializer_list<std::string> kinds) {
    std::vector<Fields> items;
    for (std::size_t i = 1; i < file.lines.size(); ++i) {
        Fields fields = StyleFields(file.lines[i]);
        for (const std::string& kind : kinds) {
            if (fields.at(4) == kind) items.push_back(fields);
        }
    }
    return items;
}

std::vector<Fields> TextItems(const StyleFile& file) {
    return ItemsOf(file, {"char", "data"});
}

// How often each text occurs among the items' texts (field 20).
std::map<std::string, int> TextCounts(const StyleFile& file) {
    std::map<std::string, int> counts;
    for (const Fields& item : TextItems(file)) ++counts[item[19]];
    return counts;
}

// The text item whose text is exactly this one.
Fields ItemWithText(const StyleFile& file, const std::string& text) {
    for (const Fields& item : TextItems(file)) {
        if (item[19] == text) return item;
    }
    ADD_FAILURE() << file.name << " has no item " << text;
    return Fields(23);
}

std::string Nn(int number) {
    return (number < 10 ? "0" : "") + std::to_string(number);
}

// Every placeholder prefix appears once for each row first..last, and not for last + 1.
void ExpectRows(const StyleFile& file, std::initializer_list<std::string> prefixes, int first,
                int last) {
    const std::map<std::string, int> counts = TextCounts(file);
    for (const std::string& prefix : prefixes) {
        for (int row = first; row <= last; ++row) {
            const auto found = counts.find(prefix + Nn(row));
            EXPECT_TRUE(found != counts.end() && found->second == 1)
                << file.name << " " << prefix << Nn(row);
        }
        EXPECT_FALSE(counts.contains(prefix + Nn(last + 1))) << file.name << " " << prefix;
    }
}

const std::string kA4PortraitHeader = "header;Ver1.1;0;0;9;0;0;100;0;0;0;0;0;";
const std::string kLedgerBases[] = {"A4現金出納帳", "A4経費明細帳", "A4銀行勘定帳"};

TEST(LedgerStyles, ThirtyRowsOfTheirColumnsUnderTheirHeadings) {
    for (const std::string& base : kLedgerBases) {
        const StyleFile& withTitle = Style(base + "_月分1_ゴシックG.sle");
        const StyleFile& without = Style(base + "_月分2_明朝.sle");
        const StyleFile& search = Style(base + "_科目指定_ゴシックB.sle");
        for (const StyleFile* file : {&withTitle, &without, &search}) {
            EXPECT_EQ(file->lines[0], kA4PortraitHeader);
            EXPECT_EQ(TextCounts(*file).at("#maxline=30"), 1);
            ExpectRows(*file, {"#ia_", "#ic_", "#id_", "#ie_", "#if_"}, 1, 30);
            for (const char* heading : {"#tl", "#OF", "作成日　#Y/#M/#D", "- #pg -"}) {
                EXPECT_EQ(TextCounts(*file).count(heading), 1u) << file->name << heading;
            }
        }
        ExpectRows(withTitle, {"#ib_"}, 1, 30);
        ExpectRows(search, {"#ib_"}, 1, 30);
        ExpectRows(without, {"#ib_"}, 1, 0);

        // A month's page names its month; a search names the period and the account.
        EXPECT_TRUE(TextCounts(withTitle).contains("#PY年#PM月分"));
        EXPECT_TRUE(TextCounts(without).contains("#PY年#PM月分"));
        EXPECT_TRUE(TextCounts(search).contains("#PY"));
        EXPECT_TRUE(TextCounts(search).contains("科目：#KF"));
        EXPECT_FALSE(TextCounts(search).contains("#PY年#PM月分"));

        // Without the title column the description gets its room.
        EXPECT_GT(std::stoi(ItemWithText(without, "#ic_01")[21]),
                  std::stoi(ItemWithText(withTitle, "#ic_01")[21]));
        EXPECT_GT(std::stoi(ItemWithText(withTitle, "#ib_01")[21]), 0);
    }
}

TEST(LedgerStyles, AmountsEndAtTheirColumnsRightEdgeOneCharacterPerPitch) {
    const StyleFile& file = Style("A4現金出納帳_月分1_ゴシック.sle");
    for (const char* prefix : {"#id_", "#ie_", "#if_"}) {
        const Fields first = ItemWithText(file, std::string(prefix) + "01");
        EXPECT_EQ(first[17], "-1.9") << prefix;
        for (int row = 2; row <= 30; ++row) {
            const Fields item = ItemWithText(file, prefix + Nn(row));
            EXPECT_EQ(item[5], first[5]) << prefix << row;
            EXPECT_EQ(item[17], first[17]) << prefix << row;
            EXPECT_NEAR(std::stod(item[6]) - std::stod(first[6]), 7.5 * (row - 1), 0.011)
                << prefix << row;
        }
    }
    // The balance column is the last: it ends a millimetre inside the table's frame.
    const std::vector<Fields> frames = ItemsOf(file, {"rect"});
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(std::stod(ItemWithText(file, "#if_01")[5]), std::stod(frames[0][7]) - 1);
}

// "…_ゴシックG.sle" → {"_ゴシック", "G"}; a white heading has no letter.
std::pair<std::string, std::string> LookParts(const std::string& name) {
    const std::string stem = name.substr(0, name.size() - 4);
    for (const char* typeface : {"_ゴシック", "_明朝"}) {
        const std::size_t at = stem.rfind(typeface);
        if (at != std::string::npos) return {typeface, stem.substr(at + std::strlen(typeface))};
    }
    return {};
}

TEST(PlainPaperStyles, TypefaceAndHeadingColourFollowTheName) {
    std::map<std::string, std::set<std::string>> fillsSeen;
    int looked = 0;
    for (const StyleFile& file : Generated()) {
        const auto [typeface, colour] = LookParts(file.name);
        if (typeface.empty()) continue;
        ++looked;
        const std::string font = typeface == "_明朝" ? "IPAexMincho" : "IPAexGothic";
        for (const Fields& item : TextItems(file)) EXPECT_EQ(item[13], font) << file.name;
        const std::vector<Fields> bands = ItemsOf(file, {"rrect"});
        if (colour.empty()) {
            EXPECT_TRUE(bands.empty()) << file.name;
            continue;
        }
        ASSERT_EQ(bands.size(), 1u) << file.name;
        EXPECT_EQ(bands[0][13], bands[0][15]) << file.name << ": outline and fill alike";
        EXPECT_EQ(bands[0][14], "塗潰") << file.name;
        fillsSeen[colour].insert(bands[0][15]);
    }
    EXPECT_EQ(looked, 72 + 32);
    // One colour per letter, the three different from each other; grey is 217, 217, 217.
    EXPECT_EQ(fillsSeen["G"], std::set<std::string>{"14277081"});
    ASSERT_EQ(fillsSeen["B"].size(), 1u);
    ASSERT_EQ(fillsSeen["P"].size(), 1u);
    EXPECT_NE(*fillsSeen["B"].begin(), *fillsSeen["P"].begin());
    EXPECT_NE(*fillsSeen["B"].begin(), "14277081");
}

TEST(KokuyoStyles, TextsOnTheFormsRowsItsLinesForThePreviewAndOffsetsForTheBack) {
    struct Form {
        std::string name;
        int rows;
        std::vector<std::string> rowPlaceholders;
    };
    const Form forms[] = {
        {"コクヨ金銭出納帳_リ-101.sle", 30, {"#ca_", "#ic_", "#cd_", "#ce_", "#cf_"}},
        {"コクヨ経費明細帳_リ-113.sle",
         32,
         {"#ca_", "#cg_", "#ib_", "#ic_", "#cd_", "#ce_", "#cf_"}},
        {"コクヨ銀行勘定帳_リ-108.sle", 28, {"#ca_", "#ic_", "#cd_", "#ce_", "#cf_"}}};
    for (const Form& form : forms) {
        const StyleFile& file = Style(form.name);
        // B5, odd pages as laid out, even pages 8 mm to the left.
        EXPECT_EQ(file.lines[0], "header;Ver1.1;0;0;13;0;0;100;0;-8;0;0;0;");
        // The form has its own lines: the style's lines stand for them in the preview only
        // (preview-only flag 2, "用紙の罫線を表示"), one for each row and the caption band.
        const std::vector<Fields> shapes = ItemsOf(file, {"line", "rect", "rrect", "fillrect"});
        EXPECT_GT(shapes.size(), static_cast<std::size_t>(form.rows) + 1) << form.name;
        for (const Fields& shape : shapes) EXPECT_EQ(shape.at(12), "2") << form.name;
        EXPECT_EQ(TextCounts(file).at("#maxline=" + std::to_string(form.rows)), 1);
        for (const char* heading : {"#NS", "#PY", "No.#pg"}) {
            EXPECT_EQ(TextCounts(file).count(heading), 1u) << form.name << heading;
        }
        for (const std::string& prefix : form.rowPlaceholders) {
            ExpectRows(file, {prefix}, 1, form.rows);
        }
        // Rows keep one pitch down the page.
        const double pitch =
            std::stod(ItemWithText(file, "#cf_02")[6]) - std::stod(ItemWithText(file, "#cf_01")[6]);
        EXPECT_GT(pitch, 5.5) << form.name;
        EXPECT_NEAR(std::stod(ItemWithText(file, "#cf_" + Nn(form.rows))[6]) -
                        std::stod(ItemWithText(file, "#cf_01")[6]),
                    pitch * (form.rows - 1), 0.011)
            << form.name;
        // Amounts without separators, one digit per box ending at the column's right.
        EXPECT_LT(std::stod(ItemWithText(file, "#cd_01")[17]), 0) << form.name;
        EXPECT_GT(std::stod(ItemWithText(file, "#ca_01")[17]), 0) << form.name;
    }
    EXPECT_EQ(ItemWithText(Style("コクヨ金銭出納帳_リ-101.sle"), "#ca_01")[21], "4");
    EXPECT_EQ(ItemWithText(Style("コクヨ経費明細帳_リ-113.sle"), "#ca_01")[21], "2");
    EXPECT_EQ(ItemWithText(Style("コクヨ経費明細帳_リ-113.sle"), "#cg_01")[21], "2");
}

TEST(SummaryStyles, FourteenColumnsForTheHeaderRowAndThirtyRowsInLandscape) {
    const std::string columns[] = {"#ka_", "#kb_", "#kc_", "#kd_", "#ke_", "#kf_", "#kg_",
                                   "#kh_", "#ki_", "#kj_", "#kk_", "#kl_", "#km_", "#kn_"};
    struct Paper {
        std::string prefix;
        std::string header;
        double monthWidth;
    };
    const Paper papers[] = {{"A4", "header;Ver1.1;0;0;9;1;0;100;0;0;0;0;0;", 18},
                            {"B4", "header;Ver1.1;0;0;12;1;0;100;0;0;0;0;0;", 23}};
    for (const Paper& paper : papers) {
        for (const char* label : {"_科目", "_摘要"}) {
            const StyleFile& file = Style(paper.prefix + "月別一覧表" + label + "_ゴシックG.slf");
            EXPECT_EQ(file.lines[0], paper.header);
            EXPECT_EQ(TextCounts(file).at("#maxline=30"), 1);
            for (const std::string& column : columns) ExpectRows(file, {column}, 0, 30);
            for (const char* heading : {"#TL", "#OF", "期間　#PY", "頁　#pg"}) {
                EXPECT_EQ(TextCounts(file).count(heading), 1u) << file.name << heading;
            }
            // Month amounts end at their columns' right edges, one column apart.
            const double step = std::stod(ItemWithText(file, "#kc_05")[5]) -
                                std::stod(ItemWithText(file, "#kb_05")[5]);
            EXPECT_DOUBLE_EQ(step, paper.monthWidth) << file.name;
            EXPECT_LT(std::stod(ItemWithText(file, "#km_05")[17]), 0) << file.name;
            EXPECT_LT(std::stod(ItemWithText(file, "#kn_05")[17]), 0) << file.name;
            EXPECT_EQ(ItemWithText(file, "#kb_00")[17], "0") << file.name << " month caption";
        }
    }
}

TEST(SingleReportStyles, IncomeExpenseTableHasTwelveMonthsAndTheYear) {
    const StyleFile& file = Style("入出金集計表.sle");
    EXPECT_EQ(file.lines[0], kA4PortraitHeader);
    // The year's row carries the totals; the running totals end with the twelfth month.
    ExpectRows(file, {"#income", "#expense", "#sagaku"}, 1, 13);
    ExpectRows(file, {"#rincome", "#rexpense", "#rsagaku"}, 1, 12);
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(TextCounts(file).count("#y" + Nn(month) + "年#m" + Nn(month) + "月"), 1u);
    }
    for (const char* text : {"帳簿　#notesname", "期間　#range", "作成日　#date", "入出金集計表"}) {
        EXPECT_EQ(TextCounts(file).count(text), 1u) << text;
    }
}

TEST(SingleReportStyles, BookBalanceListHasFiftySixBooksAndTheTotals) {
    const StyleFile& file = Style("月別帳簿別残高一覧表.sle");
    EXPECT_EQ(file.lines[0], kA4PortraitHeader);
    ExpectRows(file, {"#notename", "#notezan"}, 1, 56);
    for (const char* text : {"#income", "#expense", "#sagaku", "#notetitle_m", "#notetitle_s",
                             "期間　#range", "作成日　#date", "頁　#pg"}) {
        EXPECT_EQ(TextCounts(file).count(text), 1u) << text;
    }
    // Two blocks of 28: book 29 heads the right-hand block level with book 1.
    EXPECT_EQ(ItemWithText(file, "#notename29")[6], ItemWithText(file, "#notename01")[6]);
    EXPECT_GT(std::stod(ItemWithText(file, "#notename29")[5]),
              std::stod(ItemWithText(file, "#notezan01")[5]));
}

TEST(SingleReportStyles, GraphPageHasAxesWhereTheBarsStandAndTheMonthsFigures) {
    const StyleFile& file = Style("入出金集計グラフ.sle");
    EXPECT_EQ(file.lines[0], "header;Ver1.1;0;0;9;1;0;100;0;0;0;0;0;");
    ExpectRows(file, {"#inc", "#rinc", "#exp", "#rexp", "#sag", "#rsag"}, 1, 12);
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(TextCounts(file).count("#m" + Nn(month) + "月"), 1u) << month;
    }
    for (const char* text : {"帳簿　#notename", "期間　#PY", "作成日　#date"}) {
        EXPECT_EQ(TextCounts(file).count(text), 1u) << text;
    }
    // The base line under the bars (y 155 from x 20 across twelve 22 mm slots) and the
    // legend in the bars' two colours.
    bool baseLine = false;
    for (const Fields& line : ItemsOf(file, {"line"})) {
        baseLine |= line[5] == "20" && line[6] == "155" && line[7] == "284" && line[8] == "155";
    }
    EXPECT_TRUE(baseLine);
    std::set<std::string> legend;
    for (const Fields& box : ItemsOf(file, {"rrect"})) legend.insert(box[15]);
    EXPECT_EQ(legend, (std::set<std::string>{"12615808", "8421440"}));
}

// The placeholders each page filler knows; anything else would print as written.
const std::set<std::string> kLedgerNames = {"#maxline", "#Y",   "#M",   "#D",   "#W",   "#OF",
                                            "#NS",      "#tl",  "#PY",  "#PM",  "#pg",  "#KF",
                                            "#ia_",     "#ib_", "#ic_", "#id_", "#ie_", "#if_",
                                            "#ca_",     "#cd_", "#ce_", "#cf_", "#cg_"};
const std::set<std::string> kSummaryNames = {"#maxline", "#Y",   "#M",   "#D",   "#W",   "#OF",
                                             "#PY",      "#pg",  "#TL",  "#ka_", "#kb_", "#kc_",
                                             "#kd_",     "#ke_", "#kf_", "#kg_", "#kh_", "#ki_",
                                             "#kj_",     "#kk_", "#kl_", "#km_", "#kn_"};
const std::set<std::string> kIncomeTableNames = {
    "#date",     "#Y",      "#M",         "#D",      "#W",       "#pg",
    "#TL",       "#range",  "#notesname", "#income", "#rincome", "#expense",
    "#rexpense", "#sagaku", "#rsagaku",   "#y",      "#m"};
const std::set<std::string> kBalanceListNames = {
    "#date",   "#Y",       "#M",      "#D",           "#W",
    "#pg",     "#TL",      "#range",  "#notename",    "#notezan",
    "#income", "#expense", "#sagaku", "#notetitle_m", "#notetitle_s"};
const std::set<std::string> kGraphNames = {"#date", "#Y",    "#M",     "#D",        "#W",   "#PY",
                                           "#pg",   "#TL",   "#range", "#notename", "#inc", "#rinc",
                                           "#exp",  "#rexp", "#sag",   "#rsag",     "#y",   "#m"};
const std::set<std::string> kRowPlaceholders = {
    "#ia_", "#ib_", "#ic_", "#id_", "#ie_", "#if_", "#ca_", "#cd_", "#ce_",
    "#cf_", "#cg_", "#ka_", "#kb_", "#kc_", "#kd_", "#ke_", "#kf_", "#kg_",
    "#kh_", "#ki_", "#kj_", "#kk_", "#kl_", "#km_", "#kn_"};

const std::set<std::string>& NamesFor(const std::string& fileName) {
    if (fileName.ends_with(".slf")) return kSummaryNames;
    if (fileName == "入出金集計表.sle") return kIncomeTableNames;
    if (fileName == "月別帳簿別残高一覧表.sle") return kBalanceListNames;
    if (fileName == "入出金集計グラフ.sle") return kGraphNames;
    return kLedgerNames;
}

TEST(AllStyles, EveryPlaceholderIsOneItsFillerKnowsAndALineHoldsOneRow) {
    for (const StyleFile& file : Generated()) {
        const std::set<std::string>& known = NamesFor(file.name);
        for (const Fields& item : TextItems(file)) {
            int rowPlaceholders = 0;
            for (const PlaceholderUse& use : PlaceholdersIn(item[19])) {
                EXPECT_TRUE(known.contains(use.name)) << file.name << ": " << item[19];
                if (kRowPlaceholders.contains(use.name)) {
                    ++rowPlaceholders;
                    EXPECT_EQ(use.number.size(), 2u) << file.name << ": " << item[19];
                }
            }
            // The ledger and summary fillers fill only the first row placeholder of a line.
            EXPECT_LE(rowPlaceholders, 1) << file.name << ": " << item[19];
            // Texts with placeholders are "data" items, fixed captions "char" items.
            EXPECT_EQ(item[4], item[19].find('#') == std::string::npos ? "char" : "data")
                << file.name << ": " << item[19];
        }
    }
}

TEST(AllStyles, PlaceholderScannerSplitsNamesFromRowNumbers) {
    const std::vector<PlaceholderUse> uses = PlaceholdersIn("#Y/#M/#D #ia_07 #y12年#m12月");
    ASSERT_EQ(uses.size(), 6u);
    EXPECT_EQ(uses[0].name, "#Y");
    EXPECT_EQ(uses[2].name, "#D");
    EXPECT_EQ(uses[3].name, "#ia_");
    EXPECT_EQ(uses[3].number, "07");
    EXPECT_EQ(uses[4].name, "#y");
    EXPECT_EQ(uses[5].number, "12");
}

}  // namespace
}  // namespace velmora::testing
