// Files and paths on Windows: every name goes to the wide-character API, paths are native (drive
// letters, "\" separators) and the file system's own case-insensitivity finds members, so there
// is no case fallback. Engine paths are UTF-8; path work (separators, ".", "..") is done on the
// UTF-16 form.
#include "platform/Files.h"

#include "platform/CodePage.h"
#include "platform/win/WideText.h"

#include <algorithm>
#include <windows.h>

namespace platform {

namespace {

// The code page of engine paths: the file system's own form, UTF-8.
constexpr unsigned PathCodePage = win::Utf8CodePage;

std::wstring Wide(std::string_view path) { return win::ToWide(path, PathCodePage); }
std::string Engine(std::wstring_view path) { return win::FromWide(path, PathCodePage); }

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A full path longer than the classic limit gets the "\\?\" prefix, which lifts it.
std::wstring ForApi(std::wstring path) {
    if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') return L"\\\\?\\" + path;
    return path;
}

// GetFullPathNameW: absolute against the current folder (and drive), "/" turned into "\", "."
// and ".." removed lexically. Empty when the path is not one.
std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return {};
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        DWORD n =
            GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return {};
        if (n < full.size()) {
            full.resize(n);
            return full;
        }
        full.resize(n); // n counts the terminating null when the buffer was too small
    }
}

std::wstring ApiPath(std::string_view path) {
    std::wstring wide = Wide(path);
    std::wstring full = FullPath(wide);
    return full.empty() ? wide : ForApi(full);
}

bool Attributes(std::string_view path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return !path.empty() &&
           GetFileAttributesExW(ApiPath(path).c_str(), GetFileExInfoStandard, &data) != 0;
}

// A handle that closes itself.
class THandle {
public:
    explicit THandle(HANDLE h) : Handle_(h) {}
    ~THandle() {
        if (Valid()) CloseHandle(Handle_);
    }
    THandle(const THandle&) = delete;
    THandle& operator=(const THandle&) = delete;
    bool Valid() const { return Handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return Handle_; }
    bool Close() {
        bool ok = CloseHandle(Handle_) != 0;
        Handle_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE Handle_;
};

} // namespace

std::string NativePath(std::string_view path) {
    return win::FromWide(Wide(path), win::Utf8CodePage);
}

std::string EnginePath(std::string_view nativePath) {
    return Engine(win::ToWide(nativePath, win::Utf8CodePage));
}

bool FileExists(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return Attributes(path, data) && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::int64_t> FileTimeStamp(std::string_view path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!Attributes(path, data) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    // 100-nanosecond intervals since 1601; only compared with each other.
    std::int64_t ticks = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime;
    return ticks * 100;
}

bool ReadFileBytes(std::string_view path, std::string& bytes) {
    bytes.clear();
    if (path.empty()) return false;
    // A folder cannot be opened this way (no FILE_FLAG_BACKUP_SEMANTICS), so it reads as missing.
    THandle file(CreateFileW(
        ApiPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || GetFileType(file.Get()) != FILE_TYPE_DISK)
        return false;
    // One byte more than the size, so that the end is seen without growing the buffer.
    bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) bytes.resize(bytes.size() + 65536); // the file has grown
        DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 30));
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + got, want, &read, nullptr)) {
            bytes.clear();
            return false;
        }
        if (read == 0) break;
        got += read;
    }
    bytes.resize(got);
    return true;
}

bool WriteFileBytes(std::string_view path, std::string_view bytes) {
    if (path.empty()) return false;
    std::wstring target = ApiPath(path);
    std::wstring temp = target + L".tmp" + std::to_wstring(GetCurrentProcessId());
    bool written = false;
    {
        THandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        std::size_t done = 0;
        written = true;
        while (done < bytes.size()) {
            DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD wrote = 0;
            if (!WriteFile(file.Get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
                written = false;
                break;
            }
            done += wrote;
        }
        written = written && FlushFileBuffers(file.Get()) && file.Close();
    }
    if (written && MoveFileExW(temp.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

std::string ExecutableDir() {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0) return CurrentDir();
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2); // truncated: try a larger buffer
    }
    std::size_t p = exe.find_last_of(L"\\/");
    return Engine(p == std::wstring::npos ? exe : exe.substr(0, p));
}

std::string CurrentDir() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    if (n == 0) return ".";
    std::wstring dir(n, L'\0');
    n = GetCurrentDirectoryW(n, dir.data());
    dir.resize(n);
    return Engine(dir);
}

bool FolderWritable(std::string_view folder) {
    // Folder permissions are access lists: creating a file there is the one reliable test.
    std::wstring probe = Wide(folder) + L"\\.vetrin-write-test";
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

std::string FolderPart(std::string_view path) {
    std::wstring wide = Wide(path);
    std::size_t p = wide.find_last_of(L"\\/");
    if (p == std::wstring::npos) return "";
    // The root of a drive or of the current drive keeps its separator.
    if (p == 0 || (p == 2 && wide[1] == L':')) return Engine(wide.substr(0, p + 1));
    return Engine(wide.substr(0, p));
}

std::string AbsolutePath(std::string_view path) {
    std::wstring full = FullPath(Wide(path));
    return full.empty() ? CurrentDir() : Engine(full);
}

std::string ResolveProjectPath(std::string_view projectFile, std::string_view memberPath,
                               const TCodePage& source) {
    std::wstring member = win::ToWide(memberPath, static_cast<unsigned>(source.Number()));
    bool absolute =
        (!member.empty() && IsSeparator(member[0])) || (member.size() >= 2 && member[1] == L':');
    if (absolute) return Engine(FullPath(member));
    std::wstring folder = Wide(FolderPart(AbsolutePath(projectFile)));
    if (!folder.empty() && !IsSeparator(folder.back())) folder += L'\\';
    return Engine(FullPath(folder + member));
}

} // namespace platform
