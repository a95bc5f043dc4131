// The committed styles under data/style are exactly what make_styles writes, and they are
// the complete set of names the print page can ask for.
#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "support/temp_folder.h"
#include "tools/make_styles/make_styles_command.h"
#include "tools/make_styles/style_catalogue.h"
#include "tools/shipped_styles.h"

namespace velmora::testing {
namespace {

// Every style name, built from the naming rule rather than from the generator's tables.
std::set<std::string> NamesThePrintPageUses() {
    const std::string fonts[] = {"_ゴシック", "_明朝"};
    const std::string colours[] = {"G", "B", "P", ""};
    std::set<std::string> names;
    for (const char* base : {"A4現金出納帳", "A4経費明細帳", "A4銀行勘定帳"}) {
        for (const char* column : {"_月分1", "_月分2", "_科目指定"}) {
            for (const std::string& font : fonts) {
                for (const std::string& colour : colours) {
                    names.insert(std::string(base) + column + font + colour + ".sle");
                }
            }
        }
    }
    for (const char* form :
         {"コクヨ金銭出納帳_リ-101", "コクヨ経費明細帳_リ-113", "コクヨ銀行勘定帳_リ-108"}) {
        names.insert(std::string(form) + ".sle");
    }
    for (const char* base :
         {"A4月別一覧表_科目", "A4月別一覧表_摘要", "B4月別一覧表_科目", "B4月別一覧表_摘要"}) {
        for (const std::string& font : fonts) {
            for (const std::string& colour : colours) {
                names.insert(std::string(base) + font + colour + ".slf");
            }
        }
    }
    for (const char* report : {"入出金集計表", "月別帳簿別残高一覧表", "入出金集計グラフ"}) {
        names.insert(std::string(report) + ".sle");
    }
    return names;
}

TEST(ShippedStyles, GeneratorWritesOneFileForEveryNameThePrintPageUses) {
    std::set<std::string> generated;
    for (const StyleFile& file : AllStyleFiles()) {
        EXPECT_TRUE(generated.insert(file.name).second) << "written twice: " << file.name;
    }
    const std::set<std::string> expected = NamesThePrintPageUses();
    EXPECT_EQ(expected.size(), 110u);
    EXPECT_EQ(generated, expected);
    EXPECT_TRUE(generated.contains("A4現金出納帳_科目指定_ゴシック.sle"));
    EXPECT_TRUE(generated.contains("B4月別一覧表_摘要_ゴシックP.slf"));
    EXPECT_TRUE(generated.contains("A4現金出納帳_月分1_明朝B.sle"));
}

TEST(ShippedStyles, CommittedFilesAreByteForByteWhatTheGeneratorWrites) {
    TempFolder temp;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunMakeStyles({temp.Path()}, out, err), 0) << err.str();

    const std::vector<std::string> regenerated = StyleFileNames(temp.Path());
    const std::vector<std::string> committed = StyleFileNames(ShippedStyleFolder());
    ASSERT_EQ(regenerated.size(), 110u);
    // A name only on one side is a style someone forgot to regenerate or to delete.
    ASSERT_EQ(committed, regenerated) << "run: cmake --build <build dir> --target styles";
    for (const std::string& name : committed) {
        EXPECT_EQ(ReadBytes(ShippedStyleFolder() + "/" + name), ReadBytes(temp.File(name)))
            << name << " differs from the generator's output; run the styles target";
    }
}

}  // namespace
}  // namespace velmora::testing
