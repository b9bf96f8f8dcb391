// The rule selection of vrt, the way its findings reach a writer, and its progress log.
#pragma once

#include "checkers/CheckSession.h"
#include "framework/FindingSink.h"
#include "framework/TextLines.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Receives the findings in report order, one at a time (texts in code page 932), and writes each
// to its output as it comes (the output buffers them).
class TFindingWriter {
public:
    virtual ~TFindingWriter() = default;
    virtual void Begin() {}
    virtual void Write(const TFindingRecord& finding) = 0;
    virtual void End() {}
    // The run failed after Begin: ends the output well formed, saying so where it can.
    virtual void Fail() { End(); }
};

// The findings of a run on their way to a writer: filtered, counted, and passed on as they come
// (no writer: they are only counted). Nothing is copied on the way.
class TFindingBatch : public TFindingSink {
public:
    explicit TFindingBatch(TFindingWriter* writer) : Writer_(writer) {}
    void Add(const TFindingRecord& finding) override;
    std::int64_t Count() const { return Count_; }
    // Distinct files with findings that were passed on.
    std::int64_t FilesWithFindings() const { return FilesWithFindings_; }
    // Findings for which Keep answers false are dropped and not counted; every finding is offered
    // once, in report order.
    std::function<bool(const TFindingRecord&)> Keep;

private:
    TFindingWriter* Writer_;
    std::int64_t Count_ = 0;
    std::int64_t FilesWithFindings_ = 0;
    std::string LastFile_;
};

// vrt's selection: the nine rules of the session all enabled at their defaults.
void EnableAllRules(TCheckSession& session);
// Applies a checker project file (engine path) as the desktop's Open does; raises what loading
// it raises.
void ApplyRulesFile(TCheckSession& session, const std::string& fileName);

// A log sink that writes each log line to a stream once it is complete: a line can be extended
// by AppendLog after it was added, so a line is written when the next one starts and at Finish.
// Only the last line is kept.
class TStreamLog : public TTextLines {
public:
    // Log lines show names in `source`, the run's code page.
    TStreamLog(std::FILE* stream, const platform::TCodePage& source)
        : Stream_(stream), Source_(source) {}
    ~TStreamLog() override { Finish(); }
    void Add(const std::string& line) override;
    int Count() const override { return Count_; }
    std::string Get(int index) const override;
    void ReplaceLast(const std::string& line) override { Last_ = line; }
    void Clear() override;
    void Finish();

private:
    std::FILE* Stream_;
    const platform::TCodePage& Source_;
    std::string Last_;
    int Count_ = 0;
    bool Pending_ = false;
};
