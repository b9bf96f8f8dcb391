#include "framework/Vetrin.h"

#include "framework/Errors.h"
#include "framework/Texts.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <utility>

// ---- TVetrin ----

void TVetrin::Check(TVtParts&) { throw EAbstractError(); }
void TVetrin::SaveSettings(TVetrinList&) const {}
void TVetrin::LoadSettings(TVetrinList&) {}
std::uint8_t TVetrin::Category() const { throw EAbstractError(); }
bool TVetrin::IsTarget(const TVtParts&) const { throw EAbstractError(); }
std::string TVetrin::GetCheckerName() const { throw EAbstractError(); }
void TVetrin::ShowDetail(void*) { throw EAssertionFailed(FwTexts().ShowDetail, "Vetrin", 603); }
void TVetrin::AssignSettings(const TVetrin&) {}

int TVetrin::Index() const {
    if (!Collection_) return -1;
    for (int i = 0; i < Collection_->Count(); ++i)
        if (Collection_->Items_[static_cast<std::size_t>(i)].get() == this) return i;
    return -1;
}

// A finding is made against the file of the part under check. Sinks that keep it copy it.
void TVetrin::Hand(std::string_view message, std::int32_t line, TFindingRecord::TOrigin origin) {
    if (!Collection_ || !Collection_->Findings_) return;
    TFindingRecord& finding = Collection_->Finding_;
    finding.Rule.assign(ClassName());
    if (Collection_->CurrentPart)
        finding.File.assign(Collection_->CurrentPart->FileName);
    else
        finding.File.clear();
    finding.Line = line;
    finding.Message.assign(message);
    finding.Origin = origin;
    Collection_->Findings_->Take(std::move(finding));
}

void TVetrin::ReportAt(std::string_view message, std::int32_t line) {
    Hand(message, line,
         line == -1 ? TFindingRecord::TOrigin::AtNoLine : TFindingRecord::TOrigin::At);
}

void TVetrin::Report(std::string_view message) {
    Hand(message, -1, TFindingRecord::TOrigin::Report);
}

void TVetrin::WriteLog(const std::string& text) {
    if (Log) Log->Add(platform::TimeStamp() + text);
}

void TVetrin::AppendLog(const std::string& text) {
    if (Log) Log->AppendToLast(text);
}

void TVetrin::Run(TVtParts& part) {
    const TFrameworkTexts& t = FwTexts();
    if (!IsTarget(part)) return;
    WriteLog(t.RunOpen + GetCheckerName() + t.RunChecking + platform::MarkPath(part.FileName) +
             "...");
    if (!part.HasContent()) {
        AppendLog(t.SkipNotParsed);
        return;
    }
    if (!IgnoresExclusion() && !part.IsCheckTarget()) {
        AppendLog(t.SkipNotTarget);
        return;
    }
    std::uint32_t t0 = platform::TickCount();
    Check(part);
    std::uint32_t t1 = platform::TickCount();
    AppendLog(t.Done);
    if (t1 == t0)
        AppendLog(" - )");
    else
        AppendLog(platform::FormatElapsed(t0, t1) + ")");
}

// ---- TVetrins ----

TVetrins::~TVetrins() {
    JumpRecords.Clear();
    while (!Items_.empty())
        Items_.erase(Items_.begin()); // the first remaining one, each time
}

TVetrin* TVetrins::Add(std::unique_ptr<TVetrin> checker) {
    if (!checker) throw EGeneralError("TVetrins.Add");
    checker->Collection_ = this;
    Items_.push_back(std::move(checker));
    return Items_.back().get();
}

TVetrin* TVetrins::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Items_[static_cast<std::size_t>(index)].get();
}

TVetrin* TVetrins::FindByClassName(std::string_view className) const {
    for (const auto& checker : Items_)
        if (checker->ClassName() == className) return checker.get();
    return nullptr;
}

void TVetrins::CheckPart(TVtParts& part) {
    CurrentPart = &part;
    // First the rules that ignore exclusion (they fill the part's exclusion list), then the rest.
    for (const auto& checker : Items_)
        if (checker->Enabled && checker->IgnoresExclusion()) checker->Run(part);
    for (const auto& checker : Items_)
        if (checker->Enabled && !checker->IgnoresExclusion()) checker->Run(part);
}

void TVetrins::SetResults(TTextLines* lines) {
    if (!lines) return;
    ResultLines_ = std::make_unique<TResultLinesSink>(*lines, JumpRecords);
    Findings_ = ResultLines_.get();
}

void TVetrins::SetLog(TTextLines* lines) {
    if (!lines) return;
    for (const auto& checker : Items_)
        checker->Log = lines;
}

void TVetrins::SaveToStream(std::ostream& stream) const {
    TVetrinList list;
    for (const auto& checker : Items_) {
        list.Add("[" + std::string(checker->ClassName()) + "] : " + checker->GetCheckerName());
        list.WriteBool(checker->Enabled);
        checker->SaveSettings(list);
    }
    std::string text = list.Text();
    stream.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void TVetrins::LoadFromStream(std::istream& stream) {
    std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    TVetrinList list;
    list.SetText(text);
    while (list.Count() >= list.Cursor) {
        std::string header = list.ReadNext();
        // The class name: from the second character up to the first "]". A double-byte first
        // character is skipped whole (its second byte may be "]").
        const std::size_t first = header.empty() ? 0 : platform::CharLength(header, 0);
        std::size_t close = platform::FindFirstOf(header, "]");
        std::string name = close == std::string::npos || close < first
                               ? std::string()
                               : header.substr(first, close - first);
        for (const auto& checker : Items_) {
            if (checker->ClassName() == name) {
                list.ReadBool(checker->Enabled);
                checker->LoadSettings(list);
            }
        }
    }
}

void TVetrins::SaveToFile(const std::string& fileName) {
    std::ostringstream out;
    SaveToStream(out);
    if (!platform::WriteFileBytes(fileName, out.str())) throw EFCreateError(fileName);
    FileName = fileName;
}

void TVetrins::LoadFromFile(const std::string& fileName) {
    std::string bytes;
    if (!platform::FileExists(fileName) || !platform::ReadFileBytes(fileName, bytes))
        throw EFOpenError(fileName);
    std::istringstream in(bytes);
    LoadFromStream(in);
    FileName = fileName;
}
