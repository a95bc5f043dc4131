#include "core/platform/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using State = InstanceLock::State;

TEST(InstanceLock, ASecondCopyIsRefusedAndADeadHolderBlocksNothing) {
    TempFolder temp;
    const std::string working = temp.File("tessary/velmora_xe5");
    EXPECT_EQ(InstanceLockPath(working), temp.File("tessary/velmora_xe5.lock"));
    EXPECT_EQ(InstanceLockPath(working + "/"), temp.File("tessary/velmora_xe5.lock"));
    {
        InstanceLock first(working);
        ASSERT_EQ(first.state(), State::Held) << first.problem();
        // Start-up knows the first start by the missing folder: the lock leaves it so.
        EXPECT_FALSE(fs::exists(working));
        struct stat info {};
        ASSERT_EQ(::stat(InstanceLockPath(working).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u);
        EXPECT_EQ(InstanceLock(working).state(), State::Busy);
    }
    EXPECT_EQ(InstanceLock(working).state(), State::Held);

    // A copy killed while it held the lock leaves the file, and no lock.
    const pid_t child = ::fork();
    if (child == 0) {
        const InstanceLock dying(working);
        ::_exit(dying.state() == State::Held ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(fs::exists(InstanceLockPath(working)));
    EXPECT_EQ(InstanceLock(working).state(), State::Held);
}

TEST(InstanceLock, ALockThatCannotBeMadeSaysWhatFailedWithThePath) {
    TempFolder temp;
    // A link where the lock belongs is refused, never followed.
    const std::string victim = temp.File("victim");
    WriteBytes(victim, "theirs");
    fs::create_symlink(victim, temp.File("velmora_xe5.lock"));
    const InstanceLock linked(temp.File("velmora_xe5"));
    EXPECT_EQ(linked.state(), State::Failed);
    EXPECT_EQ(linked.problem(), "ロックファイルを作成できません: " + temp.File("velmora_xe5.lock") +
                                    " (Too many levels of symbolic links)");
    EXPECT_EQ(ReadBytes(victim), "theirs");

    // A folder for the lock that cannot be made: not "already running".
    WriteBytes(temp.File("plain"), "a file where a folder belongs");
    const InstanceLock noFolder(temp.File("plain/velmora_xe5"));
    EXPECT_EQ(noFolder.state(), State::Failed);
    EXPECT_EQ(noFolder.problem(), "ロックファイルのフォルダーを作成できません: " +
                                      temp.File("plain") + " (Not a directory)");
}

}  // namespace
}  // namespace velmora::testing
