// Where the findings of a check run go: one record at a time, in the order the rules report them.
#pragma once

#include "framework/Finding.h"
#include "framework/TextLines.h"
#include "framework/VetrinList.h"

class TFindingSink {
public:
    virtual ~TFindingSink() = default;
    virtual void Add(const TFindingRecord& finding) = 0;
    // The same for a record the caller no longer needs: a sink that keeps records takes it over.
    virtual void Take(TFindingRecord&& finding) { Add(finding); }
};

// The windows' form of the findings: each record as a result line, and its jump record (the
// file, line and message the result window opens the editor at). Nothing is owned.
class TResultLinesSink : public TFindingSink {
public:
    TResultLinesSink(TTextLines& lines, TCheckerLogList& jumpRecords)
        : Lines_(lines), JumpRecords_(jumpRecords) {}
    void Add(const TFindingRecord& finding) override {
        Lines_.Add(finding.ResultLine());
        JumpRecords_.Add(finding.File, finding.JumpLine(), finding.Message);
    }

private:
    TTextLines& Lines_;
    TCheckerLogList& JumpRecords_;
};
