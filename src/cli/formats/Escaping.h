// The escapes of vrt's outputs, one per need: each output that a reader splits into lines or
// fields gets exactly the escaping its reader undoes.
#pragma once

#include <string>
#include <string_view>

// Text read line by line (the text and msvc formats, stderr lines): control characters, which
// could end a line early or forge one, are written \xHH (C0 and DEL); in UTF-8 the C1 controls
// (U+0080 to U+009F, NEL among them) as \uHHHH. Nothing else changes, "\" included, so a plain
// Windows path reads as it is. `utf8`: the text is UTF-8 (else a code page's bytes, whose
// double-byte characters never hold a byte below 0x40).
void AppendLineSafe(std::string& out, std::string_view text, bool utf8 = true);
std::string LineSafe(std::string_view text, bool utf8 = true);

// GitHub Actions workflow command data: "%", CR and LF percent-encoded; a property value also
// ":" and ",", which would end it.
std::string EscapeWorkflowData(std::string_view text, bool property);

// The fields of vrt dump: backslash, CR, LF and TAB written \\, \r, \n and \t.
void AppendDumpEscaped(std::string& out, std::string_view utf8);
