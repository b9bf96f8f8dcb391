// Files and paths on POSIX: a path is the file system's own bytes (as a rule UTF-8) and goes to
// the system calls unchanged; a case-insensitive fallback finds members of VB projects written on
// Windows.
#include "platform/Files.h"

#include "platform/CodePage.h"

#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A path with a NUL byte names no file: the system would read only the text before it.
bool HasNul(std::string_view path) { return path.find('\0') != std::string_view::npos; }

} // namespace

std::string NativePath(std::string_view path) { return std::string(path); }

std::string EnginePath(std::string_view nativePath) { return std::string(nativePath); }

bool FileExists(std::string_view path) {
    struct stat st;
    return !path.empty() && !HasNul(path) && stat(NativePath(path).c_str(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

std::optional<std::int64_t> FileTimeStamp(std::string_view path) {
    struct stat st;
    if (path.empty() || HasNul(path) || stat(NativePath(path).c_str(), &st) != 0 ||
        !S_ISREG(st.st_mode))
        return std::nullopt;
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

bool ReadFileBytes(std::string_view path, std::string& bytes) {
    bytes.clear();
    if (HasNul(path)) return false;
    int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
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

bool WriteFileBytes(std::string_view path, std::string_view bytes) {
    std::string target = NativePath(path);
    if (target.empty() || HasNul(target)) return false;
    // A symbolic link is written through to the file it names (a team's shared file stays
    // shared): follow the chain, each relative link against its own folder.
    struct stat st;
    for (int hops = 0; lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode); ++hops) {
        char link[PATH_MAX];
        ssize_t n = readlink(target.c_str(), link, sizeof link - 1);
        if (n <= 0 || hops >= 40) return false;
        std::string next(link, static_cast<std::size_t>(n));
        if (next[0] != '/') {
            std::size_t slash = target.rfind('/');
            next =
                (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + next;
        }
        target = next;
    }
    // The rename below replaces what stands at the target: only a regular file the user may
    // write is replaced, and it keeps its mode. A device, a FIFO or a folder is refused.
    const bool replaces = lstat(target.c_str(), &st) == 0;
    if (replaces && (!S_ISREG(st.st_mode) || access(target.c_str(), W_OK) != 0)) return false;
    std::string temp = target + ".tmp" + std::to_string(getpid());
    unlink(temp.c_str()); // a leftover of an earlier process of the same id
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replaces ? 0600 : 0644);
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

std::string ExecutableDir() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return CurrentDir();
    std::string exe(buffer, static_cast<std::size_t>(n));
    return EnginePath(exe.substr(0, exe.rfind('/')));
}

std::string CurrentDir() {
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer)) return ".";
    return EnginePath(buffer);
}

bool FolderWritable(std::string_view folder) {
    return access(NativePath(folder).c_str(), W_OK) == 0;
}

std::string FolderPart(std::string_view path) {
    // File-system bytes: no trail byte can be taken for a separator.
    std::size_t p = path.find_last_of("/\\");
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
        if (c == '/' || c == '\\')
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

bool IsAbsolute(std::string_view path) {
    return !path.empty() && (path[0] == '/' || path[0] == '\\');
}

// Finds the one entry of a folder whose name equals `name` ignoring ASCII letter case.
std::optional<std::string> MatchIgnoringCase(const std::string& nativeFolder,
                                             const std::string& nativeName) {
    DIR* dir = opendir(nativeFolder.empty() ? "/" : nativeFolder.c_str());
    if (!dir) return std::nullopt;
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
    // character is gone after the conversion, so every "\" left is a separator.
    const std::string memberPath = PathFromSourceText(memberText, source);
    std::string lexical = IsAbsolute(memberPath)
                              ? Normalise(memberPath)
                              : Normalise(FolderPart(AbsolutePath(projectFile)) + "/" + memberPath);
    struct stat st;
    if (stat(NativePath(lexical).c_str(), &st) == 0) return lexical;
    // Walk the components, keeping exact matches and falling back to a unique match ignoring case.
    std::string native = NativePath(lexical);
    std::string resolved;
    std::size_t i = 1;
    while (i <= native.size()) {
        std::size_t slash = native.find('/', i);
        if (slash == std::string::npos) slash = native.size();
        std::string component = native.substr(i, slash - i);
        std::string candidate = resolved + "/" + component;
        if (lstat(candidate.c_str(), &st) != 0) {
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
