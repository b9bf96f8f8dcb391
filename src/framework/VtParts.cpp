#include "framework/VtParts.h"

#include "framework/Errors.h"
#include "framework/Texts.h"
#include "framework/Vetrin.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

// ---- TSourceList ----

void TSourceList::Clear() {
    Data_.clear();
    Starts_.clear();
    Lengths_.clear();
    Numbers_.clear();
    Packed_ = true;
}

void TSourceList::AssignLines(const std::vector<std::string>& lines) {
    Clear();
    std::size_t total = 0;
    for (const auto& line : lines) total += line.size() + 2;
    Data_.reserve(total);
    std::int32_t number = 0;
    for (const auto& line : lines) AddLine(line, ++number);
}

void TSourceList::AssignText(std::string_view text) {
    Clear();
    Data_.reserve(text.size() + text.size() / 16 + 2);
    std::int32_t number = 0;
    platform::ForEachLine(text, [&](std::string_view line) { AddLine(line, ++number); });
}

void TSourceList::AddLine(std::string_view text, std::int32_t number) {
    if (!Packed_) AllText(); // keep the buffer in order before appending
    Starts_.push_back(static_cast<std::uint32_t>(Data_.size()));
    Lengths_.push_back(static_cast<std::uint32_t>(text.size()));
    Data_.append(text);
    Data_.append("\r\n");
    Numbers_.push_back(number);
    if (Starts_.size() != Numbers_.size()) throw EAssertionFailed::Default("Vetrin", 899);
}

void TSourceList::Assign(const TSourceList& other) {
    other.AllText();
    Data_ = other.Data_;
    Starts_ = other.Starts_;
    Lengths_ = other.Lengths_;
    Numbers_ = other.Numbers_;
    Packed_ = true;
}

void TSourceList::CheckIndex(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
}

std::string_view TSourceList::Text(int index) const {
    CheckIndex(index);
    auto i = static_cast<std::size_t>(index);
    return std::string_view(Data_).substr(Starts_[i], Lengths_[i]);
}

std::int32_t TSourceList::LineNumber(int index) const {
    CheckIndex(index);
    return Numbers_[static_cast<std::size_t>(index)];
}

void TSourceList::SetText(int index, std::string_view text) {
    CheckIndex(index);
    auto i = static_cast<std::size_t>(index);
    if (text.size() == Lengths_[i]) {
        Data_.replace(Starts_[i], text.size(), text);
        return;
    }
    // The new text goes to the end of the buffer; AllText puts the entries back in order.
    std::string copy(text);
    Starts_[i] = static_cast<std::uint32_t>(Data_.size());
    Lengths_[i] = static_cast<std::uint32_t>(copy.size());
    Data_.append(copy);
    Packed_ = false;
}

std::string_view TSourceList::NameAt(int index) const {
    std::string_view text = Text(index);
    std::size_t eq = text.find('=');
    return eq == std::string_view::npos ? std::string_view() : text.substr(0, eq);
}

std::string_view TSourceList::ValueAt(int index) const {
    std::string_view text = Text(index);
    std::size_t eq = text.find('=');
    return eq == std::string_view::npos ? text : text.substr(eq + 1);
}

int TSourceList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        std::string_view text = Text(i);
        std::size_t eq = text.find('=');
        if (eq != std::string_view::npos && platform::SameTextAscii(text.substr(0, eq), name)) return i;
    }
    return -1;
}

const std::string& TSourceList::AllText() const {
    if (!Packed_) {
        std::string packed;
        std::size_t total = 0;
        for (auto n : Lengths_) total += n + 2;
        packed.reserve(total);
        for (std::size_t i = 0; i < Starts_.size(); ++i) {
            std::size_t start = packed.size();
            packed.append(Data_, Starts_[i], Lengths_[i]);
            packed.append("\r\n");
            Starts_[i] = static_cast<std::uint32_t>(start);
        }
        Data_.swap(packed);
        Packed_ = true;
    }
    return Data_;
}

// ---- TVtParts ----

int TVtParts::TokenCount() const { throw EAbstractError(); }
int TVtParts::VariableCount() const { throw EAbstractError(); }
int TVtParts::MethodCount() const { throw EAbstractError(); }

void TVtParts::CheckSelf(TVetrins& checkers) { checkers.CheckPart(*this); }

void TVtParts::CheckChildren(TVetrins& checkers) {
    for (TVtParts* child : Children) child->CheckTree(checkers);
}

void TVtParts::CheckTree(TVetrins& checkers) {
    CheckSelf(checkers);
    CheckChildren(checkers);
}

void TVtParts::Analyze() {
    Parse();
    ParseChildren();
}

void TVtParts::ParseChildren() {
    const TFrameworkTexts& t = FwTexts();
    for (TVtParts* child : Children) {
        child->SetLog(Log);
        WriteLog(child->FileName + t.Parsing);
        if (platform::FileExists(child->FileName)) {
            std::uint32_t t0 = platform::TickCount();
            child->Parse();
            std::uint32_t t1 = platform::TickCount();
            AppendLog(t.ParseDone + std::to_string(child->LineCount()) + " Token:" +
                      std::to_string(child->TokenCount()) + " Method:" + std::to_string(child->MethodCount()) +
                      " Time:" + platform::FormatElapsed(t0, t1) + " )");
        } else {
            WriteLog(t.NotFound + child->FileName);
        }
    }
    for (TVtParts* child : Children)
        if (child->HasChildren()) child->ParseChildren();
}

void TVtParts::Load(const std::string& fileName) {
    if (platform::FileExists(fileName)) {
        std::string bytes;
        // A file that exists but cannot be read is an error, not an empty file.
        if (!platform::ReadFileBytes(fileName, bytes)) throw EFOpenError(fileName);
        RawLines.AssignText(bytes);
        FileAge = platform::FileTimeStamp(fileName);
    }
    FileName = fileName;
}

bool TVtParts::IsModified() const {
    if (FileName.empty()) return true;
    auto stamp = platform::FileTimeStamp(FileName);
    if (!stamp || stamp != FileAge) return true;
    for (const TVtParts* child : Children)
        if (child->IsModified()) return true;
    return false;
}

bool TVtParts::IsCheckTarget() const {
    std::string name = platform::FileNamePart(FileName);
    for (const auto& entry : ExcludedFiles) {
        bool fullPath = platform::FindFirstOf(entry, "\\/") != std::string_view::npos;
        if (fullPath ? entry == FileName : entry == name) return false;
    }
    return true;
}

void TVtParts::WriteLog(const std::string& text) {
    if (Log) Log->Add(platform::TimeStamp() + text);
}

void TVtParts::AppendLog(const std::string& text) {
    if (Log) Log->AppendToLast(text);
}
