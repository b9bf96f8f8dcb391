// vrt's output: a buffered standard output and the three finding formats (text, JSON, SARIF).
#pragma once

#include "cli/CliRun.h"
#include "platform/CodePage.h"
#include "platform/Console.h"

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Standard output with a large buffer, for text in a code page (UTF-8 unless said otherwise);
// Close reports whether everything was written.
class TOutput {
public:
    explicit TOutput(std::FILE* stream, unsigned codePage = platform::Utf8CodePage);
    void Write(std::string_view bytes);
    bool Close();

private:
    std::FILE* Stream_;
    unsigned CodePage_;
    std::string Buffer_;
    bool Failed_ = false;
    void Drain();
};

enum class TFormat { Text, Json, Sarif, Github, Msvc };

// Text: the result lines as the framework made them, in UTF-8 (no target) or in the target code
// page (code page 932: the system's texts unchanged; the source code page: the names unchanged).
// JSON: one array of {file, line, message, rule, ruleName}. SARIF 2.1.0: one run of the tool
// "Vetrin" with its rules, one result per finding, file URIs relative to the current folder
// (SRCROOT). The rules are taken from the collection. github and msvc: see FindingFormats.h.
// The names in messages are text of `source`, the run's code page.
std::unique_ptr<TFindingWriter> MakeWriter(TFormat format, const platform::TCodePage* textTarget,
                                           const platform::TCodePage& source, const TVetrins& rules,
                                           TOutput& out);

// A file URI for a path (engine form): absolute, UTF-8, percent-encoded.
std::string FileUri(std::string_view enginePath);
// A relative URI reference for a relative path (engine form, "/" separators): UTF-8,
// percent-encoded.
std::string RelativeUri(std::string_view relativePath);

// Appends UTF-8 text of a source text (source code page) with backslash, CR, LF and TAB written as
// \\, \r, \n and \t.
void AppendEscapedUtf8(std::string& out, const platform::TCodePage& source,
                       std::string_view sourceText);
