// The project group reader: the input is a .vbg beside the example project. A file that is no
// group fails with the system's error, nothing else; every project of a group has its path.
#include "cli/ProjectGroup.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string group = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("vetrin-fuzz-group-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return (d / "Fuzz.vbg").string();
    }();
    if (!platform::WriteFileBytes(group, std::string(reinterpret_cast<const char*>(data), size)))
        std::abort();
    try {
        for (const TGroupProject& p : ReadProjectGroup(group, platform::SystemCodePage()))
            if (p.Path.empty() || p.Written.empty()) std::abort();
    } catch (const EVetrinError&) {
        // Not a project group: told, not crashed.
    }
    return 0;
}
