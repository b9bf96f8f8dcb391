// Files and paths. A path is kept as the file system gives it (bytes, as a rule UTF-8, on POSIX;
// UTF-8 on Windows) and is never passed through the source code page; only a path written inside a
// VB project or in a code page 932 file (checker project file, vrt.ini) is converted, once, when it
// is read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The form of an engine path the operating system calls take: on POSIX the same bytes, on
// Windows UTF-8 (the wide-character API takes it from there).
std::string NativePath(std::string_view path);
// The engine form of a path the operating system gave (argument, dialog, environment): on POSIX
// the same bytes, on Windows UTF-8, whatever the source code page.
std::string EnginePath(std::string_view nativePath);
class TCodePage;
// The file-system form of a path written in a source code page (a member of a project).
std::string PathFromSourceText(std::string_view sourceText, const TCodePage& source);
// The file-system form of a path written in code page 932 (checker project file, vrt.ini).
std::string PathFromSystemText(std::string_view systemText);
// The code page 932 form of a path, to be stored in such a file ("?" for what it lacks).
std::string PathToSystemText(std::string_view path);

// Whether a character separates the components of a path of this system: "/" on POSIX (where
// "\\" is a letter of a name), "/" and "\\" on Windows. Paths written inside a VB project use
// "\\" on every system (ResolveProjectPath).
bool IsPathSeparator(char c);

// A regular file (symbolic links followed).
bool FileExists(std::string_view path);
// What stands at a path, symbolic links followed: nothing, a regular file, a folder, or something
// else (a device, a FIFO, a socket), which is never read.
enum class TFileKind { None, File, Folder, Other };
TFileKind FileKindOf(std::string_view path);
// The modification time stamp (nanoseconds); none when the file does not exist.
std::optional<std::int64_t> FileTimeStamp(std::string_view path);

// Reads a regular file whole; false for anything else (a FIFO or device is never waited on).
bool ReadFileBytes(std::string_view path, std::string& bytes);
// Writes through a temporary file in the same folder and renames it into place, so a failure
// midway never leaves a truncated file, and a termination signal that ends the process meanwhile
// removes the temporary file. A symbolic link is written through to its target as the system
// follows it (never a link the system refuses to follow, nor one that leads nowhere); a file that
// is replaced keeps its mode. Answers false when the file cannot be created, and for a target
// that is no regular file (folder, device, FIFO) or that the user may not write.
// A path holding a NUL byte names no file: FileExists, ReadFileBytes and WriteFileBytes fail.
bool WriteFileBytes(std::string_view path, std::string_view bytes);

// The entries of a folder (not "." and ".."), in no particular order: names as the file system
// gives them, and what each is once symbolic links are followed (a link that leads nowhere is
// None). Empty when the folder cannot be read.
struct TFolderEntry {
    std::string Name;
    TFileKind Kind = TFileKind::None;
};
std::vector<TFolderEntry> ListFolder(std::string_view folder);
// What tells a folder from every other folder on the machine, however it is reached (device and
// node number; volume and file index on Windows): a walk that meets one twice has gone round a
// loop of links. None when it cannot be told.
std::optional<std::string> FolderIdentity(std::string_view folder);

// Splits text into lines: a line ends at CR, LF or CR LF; a final line end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);
// Visits the lines of text as views into it, with the same splitting rules.
template <typename F> void ForEachLine(std::string_view text, F&& visit) {
    std::size_t start = 0, i = 0, n = text.size();
    while (i < n) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            visit(text.substr(start, i - start));
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < n) visit(text.substr(start));
}
bool ReadFileLines(std::string_view path, std::vector<std::string>& lines);

// Folder of the running executable (engine form, no trailing separator).
std::string ExecutableDir();
// The process's current folder (engine form), however deep; raises std::runtime_error when the
// system cannot tell it (the folder was removed).
std::string CurrentDir();
// Whether the process may create files in folder (false when it does not exist).
bool FolderWritable(std::string_view folder);

// The folder part of a path (before its last "/" or "\"), without trailing separator; "" when none.
std::string FolderPart(std::string_view path);
// Makes a path absolute against the current folder, with "/" separators and "." and ".."
// removed lexically.
std::string AbsolutePath(std::string_view path);
// Resolves a path written in a VB project (in the source code page, separator "\", relative to
// the project file's folder) to an absolute path with "/". When that path does not exist, each
// component is matched without regard to letter case (a unique match); the path found is answered,
// or the lexical path when none is found.
// The member path is text in `source`, the code page the project file is read in.
std::string ResolveProjectPath(std::string_view projectFile, std::string_view memberPath,
                               const TCodePage& source);
// The path of `path` relative to `folder` (both made absolute first), with "/" separators and
// ".." for each folder to go up; "." when they are the same.
std::string RelativePath(std::string_view folder, std::string_view path);

} // namespace platform
