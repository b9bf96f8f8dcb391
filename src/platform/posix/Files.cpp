// Files and paths on POSIX: a path is the file system's own bytes (as a rule UTF-8) and goes to
// the system calls unchanged; a case-insensitive fallback finds members of VB projects written on
// Windows.
#include "platform/Files.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A path with a NUL byte names no file: the system would read only the text before it.
bool HasNul(std::string_view path) { return path.find('\0') != std::string_view::npos; }

// open(), also for a path longer than the system's limit (a project deep in a folder tree): the
// folders in front are opened a stretch at a time, each shorter than the limit.
int OpenLong(const std::string& path, int flags) {
    flags |= O_CLOEXEC | O_NOCTTY;
    if (path.size() < PATH_MAX) return open(path.c_str(), flags, 0);
    int dir = AT_FDCWD;
    std::size_t start = 0;
    while (path.size() - start >= PATH_MAX) {
        std::size_t cut = path.rfind('/', start + PATH_MAX - 2);
        if (cut == std::string::npos || cut <= start) {
            if (dir != AT_FDCWD) close(dir);
            errno = ENAMETOOLONG;
            return -1;
        }
        std::string stretch = path.substr(start, cut - start);
        int next = openat(dir, stretch.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (dir != AT_FDCWD) close(dir);
        if (next < 0) return -1;
        dir = next;
        start = cut + 1;
    }
    int fd = openat(dir, path.c_str() + start, flags, 0);
    int saved = errno;
    if (dir != AT_FDCWD) close(dir);
    errno = saved;
    return fd;
}

// stat() (follow) or lstat() for a path of any length.
bool StatPath(const std::string& path, struct stat& st, bool follow = true) {
    if (path.empty() || HasNul(path)) return false;
    int fd = OpenLong(path, O_PATH | (follow ? 0 : O_NOFOLLOW));
    if (fd < 0) return false;
    bool ok = fstat(fd, &st) == 0;
    close(fd);
    return ok;
}

} // namespace

bool IsPathSeparator(char c) { return c == '/'; }

std::string NativePath(std::string_view path) { return std::string(path); }

std::string EnginePath(std::string_view nativePath) { return std::string(nativePath); }

bool FileExists(std::string_view path) { return FileKindOf(path) == TFileKind::File; }

TFileKind FileKindOf(std::string_view path) {
    struct stat st;
    if (!StatPath(NativePath(path), st)) return TFileKind::None;
    if (S_ISREG(st.st_mode)) return TFileKind::File;
    if (S_ISDIR(st.st_mode)) return TFileKind::Folder;
    return TFileKind::Other;
}

std::optional<std::int64_t> FileTimeStamp(std::string_view path) {
    struct stat st;
    if (!StatPath(NativePath(path), st) || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

bool ReadFileBytes(std::string_view path, std::string& bytes) {
    bytes.clear();
    if (HasNul(path)) return false;
    // Without blocking: a FIFO opens at once and is refused below, and a file that would make a
    // read wait (/proc/kmsg) fails instead of holding the run.
    int fd = OpenLong(NativePath(path), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return false;
    }
    // One byte more than the size, so that the end is seen without growing the buffer.
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) bytes.resize(bytes.size() + 65536); // the file has grown
        ssize_t r = read(fd, bytes.data() + got, bytes.size() - got);
        if (r < 0) {
            close(fd);
            bytes.clear();
            return false;
        }
        if (r == 0) break;
        got += static_cast<std::size_t>(r);
    }
    bytes.resize(got);
    close(fd);
    return true;
}

namespace {

// The temporary file of a write under way, removed by a termination signal that arrives
// meanwhile (only when the signal would end the process: a program that catches it finishes the
// write itself).
char PendingTemp[PATH_MAX];
constexpr int CleanedSignals[] = {SIGTERM, SIGINT, SIGHUP};

void RemovePendingTemp(int signal) {
    if (PendingTemp[0]) unlink(PendingTemp);
    ::signal(signal, SIG_DFL);
    raise(signal);
}

class TPendingTemp {
public:
    explicit TPendingTemp(const std::string& temp) {
        if (temp.size() >= sizeof PendingTemp) return;
        std::copy(temp.begin(), temp.end(), PendingTemp);
        PendingTemp[temp.size()] = '\0';
        struct sigaction action = {};
        action.sa_handler = RemovePendingTemp;
        sigemptyset(&action.sa_mask);
        for (int signal : CleanedSignals)
            sigaddset(&action.sa_mask, signal);
        for (std::size_t i = 0; i < std::size(CleanedSignals); ++i) {
            struct sigaction old = {};
            sigaction(CleanedSignals[i], nullptr, &old);
            Installed_[i] =
                old.sa_handler == SIG_DFL && sigaction(CleanedSignals[i], &action, nullptr) == 0;
        }
    }
    ~TPendingTemp() {
        for (std::size_t i = 0; i < std::size(CleanedSignals); ++i)
            if (Installed_[i]) ::signal(CleanedSignals[i], SIG_DFL);
        PendingTemp[0] = '\0';
    }
    TPendingTemp(const TPendingTemp&) = delete;
    TPendingTemp& operator=(const TPendingTemp&) = delete;

private:
    bool Installed_[std::size(CleanedSignals)] = {};
};

// The file a path names once the kernel has followed its symbolic links, as the kernel follows
// them for this process: a link it refuses to follow (one planted in a shared sticky folder by
// another user) or that leads nowhere gives no file.
std::optional<std::string> FollowedTarget(const std::string& path) {
    int fd = OpenLong(path, O_PATH);
    if (fd < 0) return std::nullopt;
    char link[PATH_MAX];
    std::string proc = "/proc/self/fd/" + std::to_string(fd);
    ssize_t n = readlink(proc.c_str(), link, sizeof link - 1);
    close(fd);
    if (n <= 0 || link[0] != '/') return std::nullopt;
    return std::string(link, static_cast<std::size_t>(n));
}

} // namespace

bool WriteFileBytes(std::string_view path, std::string_view bytes) {
    std::string target = NativePath(path);
    if (target.empty() || HasNul(target)) return false;
    // A symbolic link is written through to the file it names (a team's shared file stays
    // shared), as the kernel resolves it: never by reading the links here, which would pass the
    // kernel's protection against links planted in shared folders.
    struct stat st;
    if (StatPath(target, st, false) && S_ISLNK(st.st_mode)) {
        std::optional<std::string> followed = FollowedTarget(target);
        if (!followed) return false;
        target = *followed;
    }
    // The rename below replaces what stands at the target: only a regular file the user may
    // write is replaced, and it keeps its mode. A device, a FIFO or a folder is refused.
    const bool replaces = StatPath(target, st, false);
    if (replaces && (!S_ISREG(st.st_mode) || access(target.c_str(), W_OK) != 0)) return false;
    std::string temp = target + ".tmp" + std::to_string(getpid());
    unlink(temp.c_str()); // a leftover of an earlier process of the same id
    TPendingTemp pending(temp);
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                  replaces ? 0600 : 0644);
    if (fd < 0) return false;
    if (replaces && fchmod(fd, st.st_mode & 07777) != 0) {
        close(fd);
        unlink(temp.c_str());
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t w = write(fd, bytes.data() + done, bytes.size() - done);
        if (w <= 0) {
            close(fd);
            unlink(temp.c_str());
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    if (fsync(fd) != 0 || close(fd) != 0 || rename(temp.c_str(), target.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}

std::vector<TFolderEntry> ListFolder(std::string_view folder) {
    std::vector<TFolderEntry> entries;
    const std::string native = NativePath(folder);
    int fd = OpenLong(native, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return entries;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return entries;
    }
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        struct stat st;
        TFileKind kind = TFileKind::None;
        if (fstatat(dirfd(dir), e->d_name, &st, 0) == 0)
            kind = S_ISREG(st.st_mode)   ? TFileKind::File
                   : S_ISDIR(st.st_mode) ? TFileKind::Folder
                                         : TFileKind::Other;
        entries.push_back({EnginePath(name), kind});
    }
    closedir(dir);
    return entries;
}

std::optional<std::string> FolderIdentity(std::string_view folder) {
    struct stat st;
    if (!StatPath(NativePath(folder), st) || !S_ISDIR(st.st_mode)) return std::nullopt;
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

std::string ExecutableDir() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return CurrentDir();
    std::string exe(buffer, static_cast<std::size_t>(n));
    return EnginePath(exe.substr(0, exe.rfind('/')));
}

std::string CurrentDir() {
    // Any length: a folder deeper than the system's path limit is still where the process is.
    std::unique_ptr<char, decltype(&std::free)> buffer(getcwd(nullptr, 0), &std::free);
    if (!buffer)
        throw std::runtime_error(std::string("cannot tell the current folder: ") +
                                 std::strerror(errno));
    return EnginePath(buffer.get());
}

bool FolderWritable(std::string_view folder) {
    return access(NativePath(folder).c_str(), W_OK) == 0;
}

std::string FolderPart(std::string_view path) {
    // Only "/" separates: a "\\" is a letter of a POSIX file name.
    std::size_t p = path.rfind('/');
    if (p == std::string_view::npos) return "";
    if (p == 0) return "/";
    return std::string(path.substr(0, p));
}

namespace {

// Joins and normalises: "/" separators, no "." or "..", no empty components.
std::string Normalise(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    auto flush = [&] {
        if (current.empty() || current == ".") {
        } else if (current == "..") {
            if (!parts.empty()) parts.pop_back();
        } else {
            parts.push_back(current);
        }
        current.clear();
    };
    for (char c : path) {
        if (c == '/')
            flush();
        else
            current += c;
    }
    flush();
    std::string out;
    for (const auto& p : parts)
        out += "/" + p;
    return out.empty() ? "/" : out;
}

bool IsAbsolute(std::string_view path) { return !path.empty() && path[0] == '/'; }

// Finds the one entry of a folder whose name equals `name` ignoring ASCII letter case.
std::optional<std::string> MatchIgnoringCase(const std::string& nativeFolder,
                                             const std::string& nativeName) {
    int fd = OpenLong(nativeFolder.empty() ? "/" : nativeFolder, O_RDONLY | O_DIRECTORY);
    if (fd < 0) return std::nullopt;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return std::nullopt;
    }
    std::optional<std::string> found;
    int matches = 0;
    while (dirent* e = readdir(dir)) {
        if (SameTextAscii(e->d_name, nativeName)) {
            found = e->d_name;
            ++matches;
        }
    }
    closedir(dir);
    if (matches != 1) return std::nullopt;
    return found;
}

} // namespace

std::string AbsolutePath(std::string_view path) {
    if (IsAbsolute(path)) return Normalise(path);
    return Normalise(CurrentDir() + "/" + std::string(path));
}

std::string ResolveProjectPath(std::string_view projectFile, std::string_view memberText,
                               const TCodePage& source) {
    // Into the file system's form first: a "\" that is the trail byte of a double-byte
    // character is gone after the conversion, so every "\" left is a separator of the path
    // written in the project (a "\" in the project's own path is a letter of a name).
    std::string memberPath = PathFromSourceText(memberText, source);
    std::replace(memberPath.begin(), memberPath.end(), '\\', '/');
    std::string lexical = IsAbsolute(memberPath)
                              ? Normalise(memberPath)
                              : Normalise(FolderPart(AbsolutePath(projectFile)) + "/" + memberPath);
    struct stat st;
    if (StatPath(NativePath(lexical), st)) return lexical;
    // Walk the components, keeping exact matches and falling back to a unique match ignoring case.
    std::string native = NativePath(lexical);
    std::string resolved;
    std::size_t i = 1;
    while (i <= native.size()) {
        std::size_t slash = native.find('/', i);
        if (slash == std::string::npos) slash = native.size();
        std::string component = native.substr(i, slash - i);
        std::string candidate = resolved + "/" + component;
        if (!StatPath(candidate, st, false)) {
            auto match = MatchIgnoringCase(resolved, component);
            if (!match) return lexical;
            candidate = resolved + "/" + *match;
        }
        resolved = candidate;
        i = slash + 1;
    }
    return EnginePath(resolved);
}

} // namespace platform
