// The baseline reader: the input is a baseline file. A malformed one fails with the system's
// error, nothing else; one that loads is written, and what was written loads back to the same
// text and the same count.
#include "cli/Baseline.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
std::string TempFile(const char* name) {
    static const std::string dir = [] {
        auto d = std::filesystem::temp_directory_path() /
                 ("vetrin-fuzz-baseline-" + std::to_string(getpid()));
        std::filesystem::create_directories(d);
        return d.string();
    }();
    return dir + "/" + name;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = TempFile("input.json"), again = TempFile("again.json");
    if (!platform::WriteFileBytes(input, std::string(reinterpret_cast<const char*>(data), size)))
        std::abort();
    TBaseline first(input, platform::SystemCodePage());
    try {
        first.Load();
    } catch (const EVetrinError&) {
        return 0; // not a baseline: told, not crashed
    }
    const std::string written = first.ToJson();
    if (!platform::WriteFileBytes(again, written)) std::abort();
    TBaseline second(again, platform::SystemCodePage());
    try {
        second.Load();
    } catch (const EVetrinError&) {
        std::abort(); // what the system wrote must load
    }
    if (second.ToJson() != written || second.Count() != first.Count()) std::abort();
    return 0;
}
