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

// Azure Pipelines logging command data, as the agent unescapes it: "%" as %AZP25, CR and LF as
// %0D and %0A; a property value also ";" and "]", which would end it, as %3B and %5D.
std::string EscapeAzureData(std::string_view text, bool property);

// XML character data (UTF-8): "&", "<" and ">" as entities, in an attribute also the quotes and
// TAB, CR and LF (which attribute reading would turn into blanks) as character references;
// characters XML 1.0 cannot hold (the other C0 controls) as U+FFFD.
void AppendXml(std::string& out, std::string_view utf8, bool attribute);
std::string Xml(std::string_view utf8, bool attribute);

// The fields of vrt dump: backslash, CR, LF and TAB written \\, \r, \n and \t.
void AppendDumpEscaped(std::string& out, std::string_view utf8);
