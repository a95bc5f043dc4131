#include "tools/make_styles/make_styles_command.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "tools/make_styles/style_catalogue.h"

namespace velmora {

int RunMakeStyles(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty() || args[0].starts_with("-")) {
        err << "usage: make_styles FOLDER\n"
               "writes the shipped print styles (.sle, .slf) into FOLDER\n";
        return 2;
    }
    const std::string& folder = args[0];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        err << "make_styles: cannot make " << folder << ": " << error.message() << '\n';
        return 1;
    }
    const std::vector<StyleFile> files = AllStyleFiles();
    try {
        WriteStyleFiles(files, folder);
    } catch (const std::runtime_error& failure) {
        err << "make_styles: " << failure.what() << '\n';
        return 1;
    }
    for (const StyleFile& file : files) out << file.name << '\t' << file.lines.size() << '\n';
    out << files.size() << " style files written to " << folder << '\n';
    return 0;
}

}  // namespace velmora
