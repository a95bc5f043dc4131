#pragma once
// The printer behind `pages --pdf`: the Qt canvas writing one PDF file, without a display.
#include <memory>
#include <string>

#include "core/print/print_device.h"

namespace velmora::cli {

// A print device whose one printer writes path at dpi dots per inch, the printable area
// the whole sheet; nullptr where velmora-cli was built without the Qt devices.
std::shared_ptr<PrintDevice> MakePdfDevice(const std::string& path, int dpi);

}  // namespace velmora::cli
