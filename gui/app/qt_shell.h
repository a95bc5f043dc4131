#pragma once
// The desktop shell through Qt: documents and folders in the desktop's chosen program,
// other programs started detached from the search path.
#include "core/platform/shell.h"

namespace velmora::gui {

class QtShell final : public Shell {
public:
    void OpenUrl(const std::string& url) override;
    void OpenPath(const std::string& path) override;
    bool StartProgram(const std::string& program) override;
};

}  // namespace velmora::gui
