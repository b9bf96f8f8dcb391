#include "presenters/VtOption.h"

#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "presenters/Prompts.h"
#include "presenters/UiTexts.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

const char* const SectionEditor = "Editor";
const char* const SectionFile = "File";
const char* const KeyCommandLine = "CommandLine";
const char* const KeyLastOpen = "LastOpen";
const char* const KeyTargetProject = "TargetProject";
const char* const SectionWindow = "Window";
const char* const SectionSource = "Source";
const char* const KeyCodePage = "CodePage";
const char* const SectionDisplay = "Display";
const char* const KeyLanguage = "Language";

using platform::TrimBlanks;

// A value is one line of the file: a line break inside it would end the value and start a
// line of its own, so it is written as a blank.
std::string OneLine(std::string_view value) {
    std::string line(value);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    return line;
}

// The user's configuration folder (native form): %APPDATA% on Windows, $XDG_CONFIG_HOME or
// ~/.config elsewhere.
std::string UserConfigFolder() {
#ifdef _WIN32
    if (const char* appData = std::getenv("APPDATA"); appData && *appData) return appData;
    return ".";
#else
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) return config;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config";
#endif
}

} // namespace

TVtOption::TVtOption(std::string iniFileName)
    : IniFileName(iniFileName.empty() ? DefaultIniFileName() : std::move(iniFileName)) {}

std::string TVtOption::DefaultIniFileName() {
    if (const char* env = std::getenv("VETRIN_INI"); env && *env) return platform::EnginePath(env);
    std::string folder = platform::ExecutableDir();
    if (platform::FolderWritable(folder)) return folder + "/vrt.ini";
    return platform::EnginePath(UserConfigFolder() + "/vetrin") + "/vrt.ini";
}

namespace {
// A code page number from the file; what is not one of the known code pages gives 932, so that a
// hand-edited value never stops the application.
int CodePageValue(std::string_view text) {
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || n > 100000) return 932;
        n = n * 10 + (c - '0');
    }
    return platform::FindCodePage(n) ? n : 932;
}
// A language from the file: its code, in any letter case. Anything else is no choice, and the
// windows follow the locale.
std::optional<TLanguage> LanguageValue(std::string_view text) {
    for (TLanguage language : {TLanguage::Japanese, TLanguage::English})
        if (platform::SameTextAscii(text, platform::LanguageCode(language))) return language;
    return std::nullopt;
}
} // namespace

TLanguage TVtOption::WindowLanguage() const {
    return Language ? *Language : platform::UserLanguage();
}

std::string_view TVtOption::LanguageChoiceCaption(std::optional<TLanguage> language) {
    if (!language) return uitext::Text(uitext::LanguageOfSystem);
    return *language == TLanguage::English ? uitext::EnglishName : uitext::JapaneseName;
}

void TVtOption::LoadOptions() {
    std::string bytes;
    if (!platform::FileExists(IniFileName)) return;
    if (!platform::ReadFileBytes(IniFileName, bytes)) throw EFOpenError(IniFileName);
    CommandLine.clear();
    LastOpen.clear();
    TargetProject.clear();
    WindowLayout.clear();
    CodePage = 932;
    Language.reset();
    // INI syntax: "[section]" lines, "key=value" lines; section and key names ignore letter case,
    // the value is everything after the first "=". Lines starting with ";" are comments.
    std::string section;
    platform::ForEachLine(bytes, [&](std::string_view line) {
        std::string_view trimmed = TrimBlanks(line);
        if (trimmed.empty() || trimmed.front() == ';') return;
        if (trimmed.front() == '[') {
            std::size_t close = trimmed.find(']');
            section = std::string(TrimBlanks(trimmed.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            return;
        }
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return;
        std::string_view key = TrimBlanks(line.substr(0, eq));
        std::string_view value = line.substr(eq + 1);
        if (platform::SameTextAscii(section, SectionEditor) &&
            platform::SameTextAscii(key, KeyCommandLine))
            CommandLine = value;
        else if (platform::SameTextAscii(section, SectionFile) &&
                 platform::SameTextAscii(key, KeyLastOpen))
            LastOpen = platform::PathFromSystemText(value);
        else if (platform::SameTextAscii(section, SectionFile) &&
                 platform::SameTextAscii(key, KeyTargetProject))
            TargetProject = platform::PathFromSystemText(value);
        else if (platform::SameTextAscii(section, SectionWindow) && !key.empty())
            WindowLayout[std::string(key)] = std::string(TrimBlanks(value));
        else if (platform::SameTextAscii(section, SectionSource) &&
                 platform::SameTextAscii(key, KeyCodePage))
            CodePage = CodePageValue(TrimBlanks(value));
        else if (platform::SameTextAscii(section, SectionDisplay) &&
                 platform::SameTextAscii(key, KeyLanguage))
            Language = LanguageValue(TrimBlanks(value));
    });
}

void TVtOption::SaveOptions() const {
    std::string text;
    text += std::string("[") + SectionEditor + "]\r\n";
    text += std::string(KeyCommandLine) + "=" + OneLine(CommandLine) + "\r\n";
    text += "\r\n";
    text += std::string("[") + SectionFile + "]\r\n";
    text += std::string(KeyLastOpen) + "=" + OneLine(platform::PathToSystemText(LastOpen)) + "\r\n";
    text += std::string(KeyTargetProject) + "=" +
            OneLine(platform::PathToSystemText(TargetProject)) + "\r\n";
    text += "\r\n";
    text += std::string("[") + SectionSource + "]\r\n";
    text += std::string(KeyCodePage) + "=" + std::to_string(CodePage) + "\r\n";
    if (Language) {
        text += std::string("\r\n[") + SectionDisplay + "]\r\n";
        text += std::string(KeyLanguage) + "=" + std::string(platform::LanguageCode(*Language)) +
                "\r\n";
    }
    if (!WindowLayout.empty()) {
        text += std::string("\r\n[") + SectionWindow + "]\r\n";
        for (const auto& [key, value] : WindowLayout)
            text += key + "=" + OneLine(value) + "\r\n";
    }
    std::string folder = platform::FolderPart(IniFileName);
    if (!folder.empty()) {
        // A folder that cannot be made shows as the file that cannot be created, below.
        std::error_code ignored;
        const std::string native = platform::NativePath(folder);
        std::filesystem::create_directories(
            std::filesystem::path(std::u8string(native.begin(), native.end())), ignored);
    }
    if (!platform::WriteFileBytes(IniFileName, text)) throw EFCreateError(IniFileName);
}

std::string TVtOption::EditorProgramPart(std::string_view s) {
    if (!s.empty() && s.front() == '"') {
        std::size_t close = platform::SystemCodePage().FindFirstOf(s, "\"", 1);
        if (close == std::string_view::npos) return {};
        return std::string(s.substr(1, close - 1));
    }
    std::size_t blank = platform::SystemCodePage().FindFirstOf(s, " ");
    return std::string(blank == std::string_view::npos ? s : s.substr(0, blank));
}

std::string TVtOption::EditorParametersPart(std::string_view s) {
    if (!s.empty() && s.front() == '"') {
        std::size_t close = platform::SystemCodePage().FindFirstOf(s, "\"", 1);
        return std::string(s.substr(close == std::string_view::npos ? 1 : close + 1));
    }
    std::size_t blank = platform::SystemCodePage().FindFirstOf(s, " ");
    return blank == std::string_view::npos ? std::string() : std::string(s.substr(blank + 1));
}

std::string TVtOption::WithEditorProgram(std::string_view commandLine,
                                         const std::string& programPath) {
    const std::string parameters = EditorParametersPart(commandLine);
    const std::string path = platform::PathToSystemText(programPath);
    const bool quoted = platform::SystemCodePage().FindFirstOf(path, " ") != std::string::npos;
    std::string newCommandLine = quoted ? "\"" + path + "\"" : path;
    // Parameters that follow a quoted program keep their own leading blank; parameters that
    // followed a first blank lost it in the split and get it back.
    if (!parameters.empty() && parameters.front() != ' ') newCommandLine += ' ';
    return newCommandLine + parameters;
}

TFileRequest TVtOption::EditorProgramRequest(std::string_view commandLine) {
    // The command line is code page 932 text; the dialog takes file-system names.
    const std::string programPath = platform::PathFromSystemText(EditorProgramPart(commandLine));
    TFileRequest request;
    request.Kind = TFileRequest::Open;
    request.Caption = uitext::Text(uitext::EditorProgramCaption);
    request.Folder = platform::NativePath(platform::FolderPart(programPath));
    request.FileName = platform::PathToUtf8(platform::FileNamePart(programPath));
    request.FilterName = uitext::Text(uitext::ProgramFilterName);
    return request;
}
