// The desktop's options kept in vrt.ini: the editor command line, the checker project file
// opened last, the VB project of the last check, the code page of the VB sources and the language
// of the windows. All values are code page 932 text in the file; the two paths are file-system
// paths in memory.
#pragma once

#include "framework/Language.h"
#include "presenters/Prompts.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class TVtOption {
public:
    // Uses the INI file at iniFileName, or DefaultIniFileName() when it is empty.
    explicit TVtOption(std::string iniFileName = {});

    std::string IniFileName;
    std::string CommandLine;   // [Editor] CommandLine
    std::string LastOpen;      // [File] LastOpen
    std::string TargetProject; // [File] TargetProject
    int CodePage = 932;        // [Source] CodePage: of the VB sources (absent or unknown: 932)
    // [Display] Language: "ja" or "en"; none (absent, empty or unknown) follows the user's locale.
    // The section is written only when a language is chosen.
    std::optional<TLanguage> Language;
    // [Window] key=value: where the windows were (written by the frame, see WindowLayout.h).
    // The section is written only when it holds a value.
    std::map<std::string, std::string> WindowLayout;

    // Reads the three options when the file exists (a missing key gives an empty value); a
    // missing file changes nothing.
    void LoadOptions();
    // Writes all three options in one piece; EFCreateError when the file cannot be written.
    void SaveOptions() const;

    // The language of the windows: the one chosen, else the user's (platform::UserLanguage()).
    TLanguage WindowLanguage() const;

    // The code pages a VB source may be written in, as the option dialog offers them.
    static constexpr std::array<int, 14> SourceCodePages = {
        932, 874, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

    // The option dialog's language box, in order: the user's locale, Japanese, English; and the
    // caption of each (a language in its own name).
    static constexpr std::array<std::optional<TLanguage>, 3> LanguageChoices = {
        std::nullopt, TLanguage::Japanese, TLanguage::English};
    static std::string_view LanguageChoiceCaption(std::optional<TLanguage> language);

    std::string GetEditorProgram() const { return EditorProgramPart(CommandLine); }
    std::string GetEditorParameters() const { return EditorParametersPart(CommandLine); }

    // The program and the parameter part of an editor command line.
    static std::string EditorProgramPart(std::string_view commandLine);
    static std::string EditorParametersPart(std::string_view commandLine);

    // The command line with its program part replaced by a chosen program (engine path),
    // quoted when it holds a blank; the parameters stay as they were. Code page 932 text.
    static std::string WithEditorProgram(std::string_view commandLine,
                                         const std::string& programPath);
    // The file dialog that chooses the editor program, starting at the program named now.
    static TFileRequest EditorProgramRequest(std::string_view commandLine);

    // The environment variable VETRIN_INI when set, else vrt.ini beside the executable, or in the
    // user's configuration folder when the executable's folder is not writable.
    static std::string DefaultIniFileName();
};
