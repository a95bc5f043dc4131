#include "desktop/support/input_method.h"

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace velmora::testing {
namespace {

constexpr const char* kUser = "velmora-ime";

std::optional<std::pair<uid_t, gid_t>> LookUp(const char* name) {
    if (const passwd* p = getpwnam(name)) return std::make_pair(p->pw_uid, p->pw_gid);
    return std::nullopt;
}

}  // namespace

std::optional<std::pair<uid_t, gid_t>> InputMethodUser() {
    if (geteuid() != 0) return std::nullopt;
    if (auto user = LookUp(kUser)) return user;
    // A system user with no home and no login: it only ever runs the scenario's programs.
    const RunResult made =
        RunCommand(Command({"useradd", "--system", "--user-group", "--home-dir", "/nonexistent",
                            "--no-create-home", "--shell", "/usr/sbin/nologin", kUser}));
    if (auto user = LookUp(kUser)) return user;
    throw std::runtime_error("cannot make the user " + std::string(kUser) + ": " + made.out);
}

InputMethodSession StartIbusMozc(const std::string& folder, const std::string& display,
                                 const std::optional<std::pair<uid_t, gid_t>>& user) {
    const std::string bus = "unix:path=" + folder + "/bus";
    const std::string ibus = "unix:path=" + folder + "/ibus";
    std::vector<std::string> env = {"HOME=" + folder + "/user",
                                    "XDG_CONFIG_HOME=" + folder + "/user/.config",
                                    "XDG_CACHE_HOME=" + folder + "/user/.cache",
                                    "XDG_RUNTIME_DIR=" + folder + "/user",
                                    "DISPLAY=" + display,
                                    "DBUS_SESSION_BUS_ADDRESS=" + bus,
                                    "IBUS_ADDRESS=" + ibus,
                                    "GSETTINGS_BACKEND=memory",
                                    "LANG=C.UTF-8"};
    auto as = [&](std::vector<std::string> argv, const char* log = nullptr) {
        Launch launch = Command(std::move(argv), env);
        if (log) launch.log = folder + "/" + log;
        launch.workingDirectory = folder;
        launch.user = user;
        return launch;
    };
    InputMethodSession session;
    session.bus.emplace(as(
        {"dbus-daemon", "--session", "--nofork", "--nopidfile", "--address=" + bus}, "dbus.log"));
    if (!WaitUntil([&] { return std::filesystem::exists(folder + "/bus"); },
                   std::chrono::seconds(10)))
        throw std::runtime_error("the session bus did not start");
    session.daemon.emplace(as({"ibus-daemon", "--panel=disable", "--emoji-extension=disable",
                               "--config=disable", "--address=" + ibus},
                              "ibus.log"));
    // ibus takes the engine once it answers; mozc then starts its server on first use.
    const bool engine = WaitUntil(
        [&] {
            RunCommand(as({"ibus", "engine", "mozc-jp"}));
            const RunResult now = RunCommand(as({"ibus", "engine"}));
            return now.status == 0 && now.out.rfind("mozc-jp", 0) == 0;
        },
        std::chrono::seconds(20));
    if (!engine) throw std::runtime_error("ibus did not take the mozc engine");
    session.env = env;
    session.env.push_back("QT_IM_MODULE=ibus");
    return session;
}

void StopProcessesOf(uid_t user, const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator("/proc", ec)) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        struct stat st {};
        if (stat(entry.path().c_str(), &st) != 0 || st.st_uid != user) continue;
        std::ifstream in(entry.path() / "environ", std::ios::binary);
        const std::string environ{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
        if (environ.find("HOME=" + folder + "/user") != std::string::npos)
            kill(static_cast<pid_t>(std::stoi(name)), SIGKILL);
    }
}

}  // namespace velmora::testing
