// File URIs of paths, for the formats that name files by URI.
#pragma once

#include <string>
#include <string_view>

// A file URI for a path (engine form): absolute, UTF-8, percent-encoded.
std::string FileUri(std::string_view enginePath);
// A relative URI reference for a relative path (engine form, "/" separators): UTF-8,
// percent-encoded.
std::string RelativeUri(std::string_view relativePath);
