// The account titles and description lists shipped in data/cldata, as the first start
// copies them into the working folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/entry/description_lists.h"
#include "core/settings/title_file.h"
#include "core/util/codepage.h"
#include "core/util/text_length.h"
#include "support/temp_folder.h"

namespace velmora {
namespace {

std::string Shipped(const std::string& name) {
    return std::string(VELMORA_DATA_DIR) + "/cldata/" + name;
}

// Strict CP932 with CR LF after every line: no UTF-8 stand-in, no bare LF.
void ExpectCp932CrLf(const std::string& path) {
    const std::string bytes = testing::ReadBytes(path);
    EXPECT_NO_THROW(Cp932ToUtf8(bytes)) << path;
    ASSERT_FALSE(bytes.empty()) << path;
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << path;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << path;
        }
}

TEST(ShippedTitles, SixtySlotsOfTitlesThatFitTheEditBox) {
    for (int useType : {1, 2}) {
        const std::string path = Shipped(TitleFileName(useType));
        ExpectCp932CrLf(path);
        std::vector<std::string> lines = ReadTitleFile(path);
        EXPECT_EQ(lines.size(), static_cast<std::size_t>(kTitleSlots)) << path;
        std::set<std::string> seen;
        for (const auto& title : lines) {
            EXPECT_LE(Cp932Length(title), kTitleMaxBytes) << title;
            EXPECT_EQ(title.find_first_of(",\"="), std::string::npos) << title;
            if (!title.empty()) {
                EXPECT_TRUE(seen.insert(title).second) << "twice: " << title;
            }
        }
        EXPECT_GE(seen.size(), 15u) << path;
    }
}

TEST(ShippedTitles, DescriptionListsBelongToFilledSlotsAndHaveTheWritersShape) {
    int lists = 0;
    for (int useType : {1, 2}) {
        std::vector<std::string> titles = ReadTitleFile(Shipped(TitleFileName(useType)));
        for (int slot = 1; slot <= 20; ++slot) {
            const std::string path = Shipped(DescriptionFileName(slot, useType));
            if (!std::filesystem::exists(path)) continue;
            ++lists;
            ExpectCp932CrLf(path);
            EXPECT_FALSE(titles[static_cast<std::size_t>(slot - 1)].empty()) << path;
            std::vector<std::string> lines = ReadTextLines(path);
            EXPECT_EQ(lines.size(), static_cast<std::size_t>(kDescriptionFileLines)) << path;
            EXPECT_FALSE(lines[0].empty()) << path;
            for (const auto& line : lines)
                EXPECT_EQ(line.find_first_of(",\""), std::string::npos) << line;
        }
    }
    EXPECT_GE(lists, 10);
}

}  // namespace
}  // namespace velmora
