#pragma once
// A Japanese input method for a desktop scenario: a session bus and ibus with the mozc
// engine, as most Japanese users type. Mozc refuses to run as root: a suite run as root
// runs the bus, ibus and the program as an unprivileged user of its own.
#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "desktop/support/processes.h"

namespace velmora::testing {

// The user the input method runs as: none (this process's own) when not root; as root the
// system user "velmora-ime", made when missing.
std::optional<std::pair<uid_t, gid_t>> InputMethodUser();

struct InputMethodSession {
    std::optional<Process> bus;
    std::optional<Process> daemon;
    // What the program needs to reach them (QT_IM_MODULE, the bus and ibus addresses).
    std::vector<std::string> env;
};

// Starts a session bus and ibus-daemon with folder as home, waits until mozc is the
// engine. Throws when it cannot.
InputMethodSession StartIbusMozc(const std::string& folder, const std::string& display,
                                 const std::optional<std::pair<uid_t, gid_t>>& user);

// Ends every process of user whose environment names folder (mozc's server leaves its
// parent's process group), by process id.
void StopProcessesOf(uid_t user, const std::string& folder);

}  // namespace velmora::testing
