#include "cli/CliRun.h"

#include "checkers/Checkers.h"
#include "framework/Errors.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

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
        std::string text = "vrt: " + platform::PathToUtf8(fileName) +
                           ": no section of a known rule; the rules keep their defaults\n";
        std::fputs(text.c_str(), stderr);
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

void TCliVetrins::CheckPart(TVtParts& part) {
    try {
        TVetrins::CheckPart(part);
    } catch (...) {
        // What was reported before the failure stays.
        Flush();
        throw;
    }
    Flush();
}

void TCliVetrins::Flush() {
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
        const std::string file = platform::MarkPath(f.File);
        bool noLine = line.size() == file.size() + 3 + f.Message.size() &&
                      line.substr(0, file.size()) == file && line.substr(file.size(), 3) == " : " &&
                      line.substr(file.size() + 3) == f.Message;
        f.HasLine = !noLine && record.Line != -1;
        f.Line = f.HasLine ? record.Line : -1;
    }
    FindingCount_ += static_cast<std::int64_t>(n);
    if (Writer_) Writer_->Write(Pending_);
    Pending_.clear();
    JumpRecords.Clear();
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
    std::string text = platform::TextToUtf8(Last_);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), Stream_);
    std::fflush(Stream_);
    Pending_ = false;
}
