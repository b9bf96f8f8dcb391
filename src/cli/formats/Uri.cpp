#include "cli/formats/Uri.h"

#include "platform/Files.h"

namespace {

// Percent-encodes a path after the given start of a URI. "\" separators are written as "/"; the
// colon of a drive letter at the path's start stays as it is.
std::string PercentEncoded(std::string path, std::string uri, bool driveLetter) {
    for (char& c : path)
        if (c == '\\') c = '/';
    static const char hex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto c = static_cast<unsigned char>(path[i]);
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '.' || c == '_' || c == '~' || c == '/' ||
                     (c == ':' && driveLetter && i == 1);
        if (plain) {
            uri += path[i];
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

} // namespace

std::string FileUri(std::string_view enginePath) {
    std::string path = platform::NativePath(platform::AbsolutePath(enginePath));
    // A Windows path ("C:\dir\file", "\\server\share\file"): its drive letter starts the URI's
    // path and a server name is the URI's host.
    bool unc = path.rfind("\\\\", 0) == 0 || path.rfind("//", 0) == 0;
    bool rooted = !unc && (path.rfind('/', 0) == 0 || path.rfind('\\', 0) == 0);
    std::string start = unc ? "file:" : rooted ? "file://" : "file:///";
    return PercentEncoded(std::move(path), start, !unc && !rooted);
}

std::string RelativeUri(std::string_view relativePath) {
    return PercentEncoded(platform::NativePath(relativePath), "", false);
}
