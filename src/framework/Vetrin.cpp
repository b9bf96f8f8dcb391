#include "framework/Vetrin.h"

#include "framework/Errors.h"
#include "framework/TextCatalog.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <typeinfo>
#include <utility>

// ---- TVetrin ----

namespace {
// Writes each field as the checker project file stores it.
class TSettingsWriter : public TSettingsVisitor {
public:
    explicit TSettingsWriter(TVetrinList& list) : List_(list) {}
    void Flag(const TSettingField&, bool& value) override { List_.WriteBool(value); }
    void Integer(const TSettingField&, std::int32_t& value) override { List_.WriteInteger(value); }
    void Texts(const TSettingField&, TStringList& value) override { List_.WriteStrings(value); }

private:
    TVetrinList& List_;
};

// Reads each field from the checker project file. A field's limits bind what a settings form
// accepts; a file keeps loading what it holds, as files written before the limits were.
class TSettingsReader : public TSettingsVisitor {
public:
    explicit TSettingsReader(TVetrinList& list) : List_(list) {}
    void Flag(const TSettingField&, bool& value) override { List_.ReadBool(value); }
    void Integer(const TSettingField&, std::int32_t& value) override { List_.ReadInteger(value); }
    void Texts(const TSettingField&, TStringList& value) override { List_.ReadStrings(value); }

private:
    TVetrinList& List_;
};

// Gathers the fields with their values.
class TSettingsCollector : public TSettingsVisitor {
public:
    std::vector<TSettingDescription> Fields;
    void Flag(const TSettingField& field, bool& value) override {
        Fields.push_back({field, value});
    }
    void Integer(const TSettingField& field, std::int32_t& value) override {
        Fields.push_back({field, value});
    }
    void Texts(const TSettingField& field, TStringList& value) override {
        Fields.push_back({field, value});
    }
};

// Sets the fields, in order, to values gathered from another checker of the same class.
class TSettingsApplier : public TSettingsVisitor {
public:
    explicit TSettingsApplier(std::vector<TSettingDescription>& from) : From_(from) {}
    void Flag(const TSettingField&, bool& value) override { value = Next<bool>(); }
    void Integer(const TSettingField&, std::int32_t& value) override {
        value = Next<std::int32_t>();
    }
    void Texts(const TSettingField&, TStringList& value) override {
        value = std::move(Next<TStringList>());
    }

private:
    template <typename T> T& Next() { return std::get<T>(From_.at(Index_++).Value); }
    std::vector<TSettingDescription>& From_;
    std::size_t Index_ = 0;
};
} // namespace

void TVetrin::Check(TVtParts&) { throw EAbstractError(); }
// Saving and describing only read the fields: the visitors that do so never write them.
void TVetrin::SaveSettings(TVetrinList& writer) const {
    TSettingsWriter visitor(writer);
    const_cast<TVetrin*>(this)->Settings(visitor);
}
void TVetrin::LoadSettings(TVetrinList& reader) {
    TSettingsReader visitor(reader);
    Settings(visitor);
}
void TVetrin::Settings(TSettingsVisitor&) {}
std::vector<TSettingDescription> TVetrin::DescribeSettings() const {
    TSettingsCollector visitor;
    const_cast<TVetrin*>(this)->Settings(visitor);
    return std::move(visitor.Fields);
}
std::uint8_t TVetrin::Category() const { throw EAbstractError(); }
bool TVetrin::IsTarget(const TVtParts&) const { throw EAbstractError(); }
std::string TVetrin::GetCheckerName() const { throw EAbstractError(); }
void TVetrin::ShowDetail(void*) { throw EAssertionFailed(Say(TText::ShowDetail), "Vetrin", 603); }
void TVetrin::AssignSettings(const TVetrin& other) {
    if (&other == this || typeid(other) != typeid(*this)) return;
    std::vector<TSettingDescription> values = other.DescribeSettings();
    TSettingsApplier visitor(values);
    Settings(visitor);
}

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
    finding.Message.assign(message);
    finding.MessageKey.reset();
    finding.Fields.clear();
    Place(finding, line, origin);
}

void TVetrin::Hand(TText message, std::span<const TTextField> fields, std::int32_t line,
                   TFindingRecord::TOrigin origin) {
    if (!Collection_ || !Collection_->Findings_) return;
    TFindingRecord& finding = Collection_->Finding_;
    finding.Message.clear();
    AppendFilled(finding.Message, TextCp932(message, CurrentLanguage()), fields, false);
    finding.MessageKey = message;
    // The values in the order the catalogue names the fields, whatever order they came in.
    std::span<const std::string> names = TextFieldNames(message);
    finding.Fields.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        finding.Fields[i].clear();
        for (const TTextField& f : fields)
            if (f.Name == names[i]) finding.Fields[i].assign(f.Value);
    }
    Place(finding, line, origin);
}

void TVetrin::Place(TFindingRecord& finding, std::int32_t line, TFindingRecord::TOrigin origin) {
    finding.Rule.assign(ClassName());
    if (Collection_->CurrentPart) {
        finding.File.assign(Collection_->CurrentPart->FileName);
        finding.FileLines = std::max(Collection_->CurrentPart->RawLines.Count(), 1);
    } else {
        finding.File.clear();
        finding.FileLines = 1;
    }
    finding.Line = line;
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

void TVetrin::ReportAt(TText message, std::span<const TTextField> fields, std::int32_t line) {
    Hand(message, fields, line,
         line == -1 ? TFindingRecord::TOrigin::AtNoLine : TFindingRecord::TOrigin::At);
}

void TVetrin::Report(TText message, std::initializer_list<TTextField> fields) {
    Hand(message, std::span<const TTextField>(fields.begin(), fields.size()), -1,
         TFindingRecord::TOrigin::Report);
}

void TVetrin::WriteLog(const std::string& text) {
    if (Log) Log->Add(platform::TimeStamp() + text);
}

void TVetrin::AppendLog(const std::string& text) {
    if (Log) Log->AppendToLast(text);
}

void TVetrin::Run(TVtParts& part) {
    if (!IsTarget(part)) return;
    // The log's lines are made only when there is a log to take them (vrt without --log has none).
    if (Log) {
        const std::string file = platform::MarkPath(part.FileName);
        const std::string rule = DisplayName();
        WriteLog(Say(TText::LogChecking, {{"rule", rule}, {"file", file}}));
    }
    if (!part.HasContent()) {
        if (Log) AppendLog(Say(TText::LogSkipNotParsed));
        return;
    }
    if (!IgnoresExclusion() && !part.IsCheckTarget()) {
        if (Log) AppendLog(Say(TText::LogSkipNotTarget));
        return;
    }
    std::uint32_t t0 = platform::TickCount();
    Check(part);
    std::uint32_t t1 = platform::TickCount();
    if (Log)
        AppendLog(t1 == t0 ? Say(TText::LogDoneUntimed)
                           : Say(TText::LogDone, {{"time", platform::FormatElapsed(t0, t1)}}));
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
    WalkPart(part);
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
    TVetrinList list;
    list.SetText(
        std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>()));
    LoadList(list);
}

int TVetrins::LoadList(TVetrinList& list) {
    // What the checkers hold now, to put back when the file cannot be read whole: a file is
    // applied completely or not at all.
    TVetrinList before;
    for (const auto& checker : Items_) {
        before.WriteBool(checker->Enabled);
        checker->SaveSettings(before);
    }
    int sections = 0;
    try {
        while (list.Count() >= list.Cursor) {
            std::string header = list.ReadNext();
            // The class name: from the second character up to the first "]". A double-byte
            // first character is skipped whole (its second byte may be "]").
            const platform::TCodePage& page = platform::SystemCodePage();
            const std::size_t first = header.empty() ? 0 : page.CharLength(header, 0);
            std::size_t close = page.FindFirstOf(header, "]");
            std::string name = close == std::string::npos || close < first
                                   ? std::string()
                                   : header.substr(first, close - first);
            for (const auto& checker : Items_) {
                if (checker->ClassName() == name) {
                    list.ReadBool(checker->Enabled);
                    checker->LoadSettings(list);
                    ++sections;
                }
            }
        }
    } catch (const EVetrinError&) {
        for (const auto& checker : Items_) {
            before.ReadBool(checker->Enabled);
            checker->LoadSettings(before);
        }
        throw;
    }
    return sections;
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
    TVetrinList list;
    list.SetText(bytes);
    int sections = 0;
    try {
        sections = LoadList(list);
    } catch (const EVetrinError& e) {
        // The line just read is the one at fault (lines count from 1).
        throw ECheckerProjectError(fileName, list.Cursor, e.Message());
    }
    // A file with text in it but no rule's section is not a checker project file at all.
    if (sections == 0 && bytes.find_first_not_of(" \t\r\n") != std::string::npos)
        throw ECheckerProjectError::NoRuleSection(fileName);
    FileName = fileName;
}
