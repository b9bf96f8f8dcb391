// The rule selection and the check run of vrt: the nine rules, an optional checker project file,
// and a collection that hands every finding, tagged with the rule that made it, to a writer.
#pragma once

#include "framework/Finding.h"
#include "framework/TextLines.h"
#include "framework/Vetrin.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// One finding, texts in code page 932.
struct TFinding {
    const TVetrin* Rule = nullptr;
    std::string ResultLine; // exactly the result line the framework made
    std::string File;
    bool HasLine = false; // false for a result line without "(line)"
    std::int32_t Line = -1;
    std::string Message;
};

// The record of a finding.
TFindingRecord ToRecord(const TFinding& finding);

// Receives the findings of one part at a time, in result order, both as findings and as the
// records made of them (the same findings, in the same order).
class TFindingWriter {
public:
    virtual ~TFindingWriter() = default;
    virtual void Begin() {}
    virtual void Write(const std::vector<TFinding>& findings) { (void)findings; }
    virtual void WriteRecords(const std::vector<TFindingRecord>& records) { (void)records; }
    virtual void End() {}
    // The run failed after Begin: ends the output well formed, saying so where it can.
    virtual void Fail() { End(); }
};

// The nine rules at their defaults, all enabled, then the checker project file (if any) applied
// as the desktop's Open does. Findings go to the writer set with Capture, part by part: each rule
// gets a result sink of its own, so every result line is known to come from that rule, and the
// collection's jump record of the same line gives its file, line and message.
class TCliVetrins : public TVetrins {
public:
    TCliVetrins();
    // Applies a checker project file (engine path); raises what LoadFromFile raises.
    void ApplyRulesFile(const std::string& fileName);
    // Sends the findings to the writer (none: no result lines are made at all).
    void Capture(TFindingWriter* writer);
    void CheckPart(TVtParts& part) override;
    std::int64_t FindingCount() const { return FindingCount_; }
    // Findings for which Keep answers false are dropped before the writer sees them and are not
    // counted; every finding is offered once, in result order.
    std::function<bool(const TFindingRecord&)> Keep;
    // Also reports findings a suppression comment names.
    bool NoIgnore = false;
    // Parts checked, and distinct files with findings, in this run.
    std::int64_t PartCount() const { return PartCount_; }
    std::int64_t FilesWithFindings() const { return FilesWithFindings_; }

private:
    class TRuleSink : public TTextLines {
    public:
        TRuleSink(TCliVetrins& owner, const TVetrin* rule) : Owner_(owner), Rule_(rule) {}
        void Add(const std::string& line) override;
        int Count() const override;
        std::string Get(int index) const override;
        void ReplaceLast(const std::string& line) override;
        void Clear() override {}

    private:
        TCliVetrins& Owner_;
        const TVetrin* Rule_;
    };
    void Flush(const TVtParts* part);

    std::vector<std::unique_ptr<TRuleSink>> Sinks_;
    std::vector<TFinding> Pending_;
    TFindingWriter* Writer_ = nullptr;
    std::int64_t FindingCount_ = 0;
    std::int64_t PartCount_ = 0;
    std::int64_t FilesWithFindings_ = 0;
};

// A log sink that writes each log line to a stream once it is complete: a line can be extended
// by AppendLog after it was added, so a line is written when the next one starts and at Finish.
// Only the last line is kept.
class TStreamLog : public TTextLines {
public:
    explicit TStreamLog(std::FILE* stream) : Stream_(stream) {}
    ~TStreamLog() override { Finish(); }
    void Add(const std::string& line) override;
    int Count() const override { return Count_; }
    std::string Get(int index) const override;
    void ReplaceLast(const std::string& line) override { Last_ = line; }
    void Clear() override;
    void Finish();

private:
    std::FILE* Stream_;
    std::string Last_;
    int Count_ = 0;
    bool Pending_ = false;
};
