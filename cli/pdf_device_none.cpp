#include "cli/pdf_device.h"

namespace velmora::cli {

std::shared_ptr<PrintDevice> MakePdfDevice(const std::string&, int) {
    return nullptr;
}

}  // namespace velmora::cli
