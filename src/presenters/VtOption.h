// The desktop's options kept in vrt.ini: the editor command line, the checker project file
// opened last, the VB project of the last check and the code page of the VB sources. All values
// are code page 932 text in the file; the two paths are file-system paths in memory.
#pragma once

#include "presenters/Prompts.h"

#include <map>
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
    // [Window] key=value: where the windows were (written by the frame, see WindowLayout.h).
    // The section is written only when it holds a value.
    std::map<std::string, std::string> WindowLayout;

    // Reads the three options when the file exists (a missing key gives an empty value); a
    // missing file changes nothing.
    void LoadOptions();
    // Writes all three options in one piece; EFCreateError when the file cannot be written.
    void SaveOptions() const;

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
