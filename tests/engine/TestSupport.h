// Helpers shared by the engine tests.
#pragma once

#include "platform/CodePage.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// Text of the tests is written in UTF-8; the engine works in code page 932.
inline std::string Sj(std::string_view utf8) { return platform::Utf8ToCp932(utf8); }

// A code page the tests know to exist.
inline const platform::TCodePage& Page(int number) { return *platform::FindCodePage(number); }

// A fresh temporary folder, removed when the object goes.
class TempDir {
public:
    TempDir() {
        std::string templ =
            (std::filesystem::temp_directory_path() / "vetrin-test-XXXXXX").string();
        Path = mkdtemp(templ.data());
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(Path, ec);
    }
    // Writes bytes to a file below the folder (creating folders) and answers its path.
    std::string Write(const std::string& relative, std::string_view bytes) const {
        std::filesystem::path p = std::filesystem::path(Path) / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return p.string();
    }
    std::string Path;
};
