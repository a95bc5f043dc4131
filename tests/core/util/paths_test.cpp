#include "core/util/paths.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora {
namespace {

EnvironmentLookup Environment(std::map<std::string, std::string> values) {
    return [values = std::move(values)](const std::string& name) -> std::optional<std::string> {
        auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

TEST(Paths, WorkingFolderFollowsTheEnvironment) {
    EXPECT_EQ(WorkingFolder(Environment(
                  {{"VELMORA_HOME", "/v/home"}, {"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}})),
              "/v/home");
    EXPECT_EQ(WorkingFolder(Environment({{"XDG_DATA_HOME", "/x/data"}, {"HOME", "/h"}})),
              "/x/data/tessary/velmora_xe5");
    EXPECT_EQ(WorkingFolder(Environment({{"HOME", "/home/taro"}})),
              "/home/taro/.local/share/tessary/velmora_xe5");
    EXPECT_EQ(WorkingFolder(Environment({{"XDG_DATA_HOME", "data"}, {"HOME", "/home/taro"}})),
              "/home/taro/.local/share/tessary/velmora_xe5");
    EXPECT_EQ(CommonAppDataPath("\\tessary\\x", Environment({{"HOME", "/h/"}})),
              "/h/.local/share/tessary/x");
}

TEST(Paths, JoinPathTurnsBackslashesIntoSlashes) {
    EXPECT_EQ(JoinPath("/w", "\\cldata\\kamoku1.dat"), "/w/cldata/kamoku1.dat");
    EXPECT_EQ(JoinPath("/w/", "ini/backup.conf"), "/w/ini/backup.conf");
    EXPECT_EQ(JoinPath("/", "style"), "/style");
}

TEST(Paths, ProgramDataFolderIsTheSettingElseShareOfTheExecutablesPrefix) {
    EXPECT_EQ(ProgramDataFolder(Environment({{"VELMORA_DATA_DIR", "/d"}}), "/opt/v/bin/velmora"),
              "/d");
    EXPECT_EQ(ProgramDataFolder(Environment({}), "/usr/bin/velmora"), "/usr/share/velmora");
    EXPECT_EQ(ProgramDataFolder(Environment({}), "/home/taro/apps/velmora/bin/velmora-cli"),
              "/home/taro/apps/velmora/share/velmora");
    EXPECT_EQ(ProgramDataFolder(Environment({}), ""), "");
}

}  // namespace
}  // namespace velmora
