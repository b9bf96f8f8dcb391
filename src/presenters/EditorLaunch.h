// Result jumps: from a finding to the editor the options name, as a program and an argument list.
// The parameter part of the command line is split into arguments before "%L" and "%F" are put
// in, so that a path with blanks, quotes or Japanese is always one argument; each face starts the
// program its own way (a detached process, CreateProcessW with the arguments quoted by the
// rules of the Windows command line).
#pragma once

#include "framework/Finding.h"

#include <optional>

#include <string>
#include <string_view>
#include <vector>

class TResultStore;
class TVtOption;

// Splits a parameter template like a shell command line: blanks and tabs separate arguments,
// double quotes group (and are dropped), two double quotes inside a quoted part give one.
// Code page 932 in, code page 932 out (no trail byte is a blank or a double quote).
std::vector<std::string> SplitArguments(std::string_view parameters);

// What the face starts: the program (engine path) and its arguments (UTF-8).
struct TEditorLaunch {
    std::string Program;
    std::vector<std::string> Arguments;
};

// The editor's arguments for a file and a line: the parameter template (code page 932) split,
// then the first "%L" (in the first argument that holds one) replaced by the line in decimal, then
// the first "%F" by the file (engine path, given in the native form), each inside its argument.
std::vector<std::string> EditorArguments(std::string_view parameters, const std::string& file,
                                         int line);

// The launch of the editor at a finding (its file, and its jump line). When none can be made,
// Error says why, in UTF-8, naming the command line: none set, or one without parameters (the
// program would open no file), or a quote that is never closed (no program).
struct TEditorJump {
    TEditorLaunch Launch;
    std::string Error;
};
TEditorJump EditorJumpFor(const TVtOption& option, const TFindingRecord& finding);

// The jump of a result row (F10, Enter, a double click, 編集 on the current row); none when the
// row holds no finding (an empty list, no current row), where nothing is to be done.
std::optional<TEditorJump> EditorJumpForRow(const TVtOption& option, const TResultStore& results,
                                            int row);

// The message when the face could not start the launch (UTF-8).
std::string EditorNotStartedText(const TEditorLaunch& launch);

// The port through which a face starts a program detached; false when it could not be started.
class TProgramStarter {
public:
    virtual ~TProgramStarter() = default;
    virtual bool StartDetached(const TEditorLaunch& launch) = 0;
};
