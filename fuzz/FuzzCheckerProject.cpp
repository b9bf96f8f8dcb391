// The checker project file: load the input, save, load that again and save: the two saves must
// be equal, and a file the system wrote must load without a failure.
#include "checkers/Checkers.h"
#include "framework/Errors.h"
#include "framework/Vetrin.h"

#include <cstdlib>
#include <sstream>
#include <string>

namespace {
std::string Saved(const TVetrins& checkers) {
    std::ostringstream out;
    checkers.SaveToStream(out);
    return out.str();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TVetrins first;
    AddAllCheckers(first);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        first.LoadFromStream(in);
    } catch (const EVetrinError&) {
        // A damaged file stops the load; what was read before stays and is saved below.
    }
    const std::string once = Saved(first);
    TVetrins second;
    AddAllCheckers(second);
    std::istringstream again(once);
    try {
        second.LoadFromStream(again);
    } catch (const EVetrinError&) {
        std::abort(); // the system's own file
    }
    if (Saved(second) != once) std::abort();
    return 0;
}
