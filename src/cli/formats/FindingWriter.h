// What every output format of vrt check is: a writer that turns finding records into one output.
#pragma once

#include "framework/Finding.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"

#include <memory>
#include <string>
#include <vector>

class TOutput;

// Receives the findings in report order, one at a time (texts in code page 932), and writes each
// to its output as it comes (the output buffers them), or keeps what it must write at the end.
class TFindingWriter {
public:
    virtual ~TFindingWriter() = default;
    virtual void Begin() {}
    // A project (engine path) is about to be checked; its findings follow.
    virtual void BeginProject(const std::string& projectFile) { (void)projectFile; }
    virtual void Write(const TFindingRecord& finding) = 0;
    // The files the project's check covered, after its findings: the project file, then each
    // member in project order (engine paths).
    virtual void EndProject(const std::vector<std::string>& checkedFiles) { (void)checkedFiles; }
    virtual void End() {}
    // The run failed after Begin: ends the output well formed, saying so where it can.
    virtual void Fail() { End(); }
};

// What a writer is made with.
struct TFormatContext {
    const TVetrins& Rules; // the rules of the run, for their names and descriptions
    TOutput& Out;
    // The run's code page: the names in the findings' messages are its text.
    const platform::TCodePage& Source;
    // The text format's code page (none: UTF-8): code page 932, or the sources' with --encoding
    // native. Every other format writes UTF-8.
    const platform::TCodePage* TextTarget = nullptr;
};
