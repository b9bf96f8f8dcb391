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

bool FileExists(std::string_view path);
// The modification time stamp (nanoseconds); none when the file does not exist.
std::optional<std::int64_t> FileTimeStamp(std::string_view path);

bool ReadFileBytes(std::string_view path, std::string& bytes);
// Writes through a temporary file in the same folder and renames it into place, so a failure
// midway never leaves a truncated file. A symbolic link is written through to its target; a file
// that is replaced keeps its mode. Answers false when the file cannot be created, and for a target
// that is no regular file (folder, device, FIFO) or that the user may not write.
// A path holding a NUL byte names no file: FileExists, ReadFileBytes and WriteFileBytes fail.
bool WriteFileBytes(std::string_view path, std::string_view bytes);

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
// The process's current folder (engine form).
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
