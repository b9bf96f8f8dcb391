#include "cli/CliRun.h"

#include "checkers/RuleTable.h"

#include "platform/CodePage.h"
#include "platform/Console.h"
#include "platform/Files.h"

// ---- the rule selection ----

void EnableAllRules(TCheckSession& session) {
    for (int i = 0; i < session.Rules().Count(); ++i)
        session.Rules().Items(i)->Enabled = true;
}

void EnableDefaultRules(TCheckSession& session) { EnableDefaultRules(session.Rules()); }

// A file that is not a checker project at all (a VB project given by mistake, say) is refused
// by the load, as a malformed one is.
void ApplyRulesFile(TCheckSession& session, const std::string& fileName) {
    session.LoadRules(fileName);
}

// ---- TFindingBatch ----

void TFindingBatch::Add(const TFindingRecord& finding) {
    if (Keep && !Keep(finding)) return;
    ++Count_;
    // Findings come part by part, and every finding of a part carries the part's file.
    if (Count_ == 1 || finding.File != LastFile_) {
        ++FilesWithFindings_;
        LastFile_ = finding.File;
    }
    if (Writer_) Writer_->Write(finding);
}

// ---- TStreamLog ----

void TStreamLog::Add(const std::string& line) {
    Finish();
    Last_ = line;
    Pending_ = true;
    ++Count_;
}

std::string TStreamLog::Get(int index) const {
    // Only the last line is kept; the framework reads nothing else.
    return index == Count_ - 1 ? Last_ : std::string();
}

void TStreamLog::Clear() {
    Finish();
    Count_ = 0;
    Last_.clear();
}

void TStreamLog::Finish() {
    if (!Pending_) return;
    std::string text = platform::TextToUtf8(Last_, Source_);
    text += '\n';
    platform::WriteStandardStream(Stream_, text);
    std::fflush(Stream_);
    Pending_ = false;
}
