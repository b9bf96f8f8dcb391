#include "cli/CliRun.h"

#include "checkers/Checkers.h"
#include "checkers/Suppression.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "vbsource/VbSource.h"

#include <optional>

// ---- TCliVetrins ----

TCliVetrins::TCliVetrins() {
    AddAllCheckers(*this);
    for (int i = 0; i < Count(); ++i)
        Items(i)->Enabled = true;
}

void TCliVetrins::ApplyRulesFile(const std::string& fileName) {
    LoadFromFile(fileName);
    // A file that is not a checker project at all (a VB project given by mistake, say) loads
    // without error and changes nothing; say so, since the run would not be what was asked for.
    std::string bytes;
    if (!platform::ReadFileBytes(fileName, bytes) || bytes.empty()) return;
    bool known = false;
    platform::ForEachLine(bytes, [&](std::string_view line) {
        std::size_t close = line.find(']');
        if (!known && close != std::string_view::npos && close >= 1 &&
            FindByClassName(line.substr(1, close - 1)))
            known = true;
    });
    if (!known) {
        std::string text = "vrt: " + platform::Cp932ToUtf8(fileName) +
                           ": no section of a known rule; the rules keep their defaults\n";
        platform::WriteStandardStream(stderr, text);
    }
}

void TCliVetrins::Capture(TFindingWriter* writer) {
    Writer_ = writer;
    Sinks_.clear();
    for (int i = 0; i < Count(); ++i) {
        TVetrin* rule = Items(i);
        if (writer) {
            Sinks_.push_back(std::make_unique<TRuleSink>(*this, rule));
            rule->Results = Sinks_.back().get();
        } else {
            rule->Results = nullptr;
        }
    }
}

TFindingRecord ToRecord(const TFinding& finding) {
    TFindingRecord record;
    record.Rule = std::string(finding.Rule->ClassName());
    record.File = finding.File;
    record.Line = finding.HasLine ? finding.Line : -1;
    record.Message = finding.Message;
    record.Origin =
        finding.HasLine ? TFindingRecord::TOrigin::At : TFindingRecord::TOrigin::AtNoLine;
    return record;
}

void TCliVetrins::CheckPart(TVtParts& part) {
    ++PartCount_;
    try {
        TVetrins::CheckPart(part);
    } catch (...) {
        // What was reported before the failure stays.
        Flush(&part);
        throw;
    }
    Flush(&part);
}

void TCliVetrins::Flush(const TVtParts* part) {
    if (Pending_.empty()) return;
    // Every result line came with exactly one jump record, in the same order.
    std::size_t n = Pending_.size();
    if (static_cast<std::size_t>(JumpRecords.Count()) != n)
        throw EAssertionFailed::Default("CliRun", __LINE__);
    for (std::size_t i = 0; i < n; ++i) {
        TFinding& f = Pending_[i];
        const TCheckerLog& record = JumpRecords.Items(static_cast<int>(i));
        f.File = record.FileName;
        f.Message = record.Message;
        // A finding without a line reads F, " : ", M (its jump record may still say line 1).
        std::string_view line = f.ResultLine;
        bool noLine = line.size() == f.File.size() + 3 + f.Message.size() &&
                      line.substr(0, f.File.size()) == f.File &&
                      line.substr(f.File.size(), 3) == " : " &&
                      line.substr(f.File.size() + 3) == f.Message;
        f.HasLine = !noLine && record.Line != -1;
        f.Line = f.HasLine ? record.Line : -1;
    }
    JumpRecords.Clear();
    // The records, without what a suppression comment or the caller's filter drops.
    const auto* source = dynamic_cast<const TVbSource*>(part);
    std::optional<TSuppression> suppression;
    if (source && !NoIgnore) suppression.emplace(*source);
    std::vector<TFinding> kept;
    std::vector<TFindingRecord> records;
    for (TFinding& f : Pending_) {
        TFindingRecord record = ToRecord(f);
        if (suppression && suppression->Suppresses(record)) continue;
        if (Keep && !Keep(record)) continue;
        kept.push_back(std::move(f));
        records.push_back(std::move(record));
    }
    Pending_.clear();
    if (kept.empty()) return;
    // Findings come part by part, and every finding of a part carries the part's file.
    std::string lastFile;
    for (const auto& r : records) {
        if (r.File != lastFile) ++FilesWithFindings_;
        lastFile = r.File;
    }
    FindingCount_ += static_cast<std::int64_t>(kept.size());
    if (Writer_) {
        Writer_->Write(kept);
        Writer_->WriteRecords(records);
    }
}

void TCliVetrins::TRuleSink::Add(const std::string& line) {
    TFinding f;
    f.Rule = Rule_;
    f.ResultLine = line;
    Owner_.Pending_.push_back(std::move(f));
}

int TCliVetrins::TRuleSink::Count() const { return static_cast<int>(Owner_.Pending_.size()); }

std::string TCliVetrins::TRuleSink::Get(int index) const {
    return Owner_.Pending_.at(static_cast<std::size_t>(index)).ResultLine;
}

void TCliVetrins::TRuleSink::ReplaceLast(const std::string& line) {
    if (!Owner_.Pending_.empty()) Owner_.Pending_.back().ResultLine = line;
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
    std::string text = platform::Cp932ToUtf8(Last_);
    text += '\n';
    platform::WriteStandardStream(Stream_, text);
    std::fflush(Stream_);
    Pending_ = false;
}
