#include "framework/VtParts.h"

#include "framework/Errors.h"
#include "framework/TextCatalog.h"
#include "framework/Vetrin.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <algorithm>
#include <array>
#include <cstring>

// ---- TSourceList ----

void TSourceList::Clear() {
    Buffer_.reset();
    Numbers_.clear();
}

void TSourceList::IndexError(int index) { throw EListError(index); }

TSourceList::TBuffer& TSourceList::Own() {
    if (!Buffer_)
        Buffer_ = std::make_shared<TBuffer>();
    else if (Buffer_.use_count() > 1)
        Buffer_ = std::make_shared<TBuffer>(*Buffer_);
    return *Buffer_;
}

const std::string& TSourceList::AllText() const {
    static const std::string empty;
    return Buffer_ ? Buffer_->Data : empty;
}

TStartReader TSourceList::StartsFrom(int index) const {
    if (index != Count()) CheckIndex(index);
    static const TStartTable none;
    return Buffer_ ? TStartReader(Buffer_->Starts, static_cast<std::size_t>(index),
                                  static_cast<std::uint32_t>(Buffer_->Data.size()))
                   : TStartReader(none, 0, 0);
}

void TSourceList::AssignLines(const std::vector<std::string>& lines) {
    Clear();
    std::size_t total = 0;
    for (const auto& line : lines)
        total += line.size() + 2;
    TBuffer& b = Own();
    b.Data.reserve(total);
    b.Starts.Reserve(lines.size());
    std::int32_t number = 0;
    for (const auto& line : lines)
        AddLine(line, ++number);
}

void TSourceList::TakeText(std::string&& text) {
    Clear();
    TBuffer& b = Own();
    // See, in one pass, whether every line already ends in CR LF, as VB writes them: then the
    // text itself is the buffer. Each CR must be followed by LF, the text must end with one, and
    // no LF may stand alone (there are as many LF as CR LF pairs).
    // The LF are counted first, so that the starts are kept in a table made to measure.
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    std::size_t feeds = 0; // LF bytes
    for (const char* p = begin; p < end; ++feeds) {
        const auto* lf =
            static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lf) break;
        p = lf + 1;
    }
    b.Starts.Reserve(feeds);
    bool crlfOnly = true;
    TStartWriter starts(b.Starts);
    for (const char* p = begin; p < end;) {
        const auto* cr =
            static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(end - p)));
        if (!cr || cr + 1 == end || cr[1] != '\n') {
            crlfOnly = false;
            break;
        }
        starts.Add(static_cast<std::uint32_t>(p - begin));
        p = cr + 2;
    }
    starts.Flush();
    if (crlfOnly && feeds == b.Starts.Count()) {
        b.Data = std::move(text);
        return;
    }
    b.Starts.Clear();
    std::size_t estimate = 0;
    platform::ForEachLine(text, [&](std::string_view) { ++estimate; });
    b.Data.reserve(text.size() + estimate * 2);
    b.Starts.Reserve(estimate);
    std::int32_t number = 0;
    platform::ForEachLine(text, [&](std::string_view line) { AddLine(line, ++number); });
}

void TSourceList::AddLine(std::string_view text, std::int32_t number) {
    TBuffer& b = Own();
    if (Numbers_.empty() && number != Count() + 1) {
        // The numbers stop being 1..n: store them from now on.
        Numbers_.reserve(b.Starts.Capacity());
        for (int i = 1; i <= Count(); ++i)
            Numbers_.push_back(i);
        Numbers_.push_back(number);
    } else if (!Numbers_.empty()) {
        Numbers_.push_back(number);
    }
    b.Starts.Add(static_cast<std::uint32_t>(b.Data.size()));
    b.Data.append(text);
    b.Data.append("\r\n");
    if (!Numbers_.empty() && b.Starts.Count() != Numbers_.size())
        throw EAssertionFailed::Default("Vetrin", 899);
}

void TSourceList::AppendLines(const TSourceList& from, int first, int count) {
    if (count <= 0) return;
    from.CheckIndex(first);
    from.CheckIndex(first + count - 1);
    // Lines numbered on from 1..n in both lists keep that numbering: the text and the starts are
    // copied whole. Otherwise the lines go one by one, with their numbers.
    if (!Numbers_.empty() || !from.Numbers_.empty() || first != Count()) {
        for (int k = first; k < first + count; ++k)
            AddLine(from.Text(k), from.LineNumber(k));
        return;
    }
    const TBuffer& source = *from.Buffer_;
    TBuffer& b = Own();
    const auto begin = static_cast<std::size_t>(first);
    const auto end = begin + static_cast<std::size_t>(count);
    const std::uint32_t from0 = source.Starts[begin];
    const std::uint32_t to = end < source.Starts.Count()
                                 ? source.Starts[end]
                                 : static_cast<std::uint32_t>(source.Data.size());
    const auto at = static_cast<std::uint32_t>(b.Data.size());
    b.Data.append(source.Data, from0, to - from0);
    // The starts move by the same distance; a block at a time.
    const std::uint32_t shift = at - from0;
    std::array<std::uint32_t, TStartTable::BlockSize> chunk;
    for (std::size_t k = begin; k < end;) {
        const std::size_t n = std::min(chunk.size(), end - k);
        source.Starts.Read(k, n, chunk.data());
        for (std::size_t j = 0; j < n; ++j)
            chunk[j] += shift;
        b.Starts.Append(chunk.data(), n);
        k += n;
    }
}

void TSourceList::Assign(const TSourceList& other) {
    Buffer_ = other.Buffer_;
    Numbers_ = other.Numbers_;
}

void TSourceList::SetText(int index, std::string_view text) {
    CheckIndex(index);
    auto i = static_cast<std::size_t>(index);
    std::size_t length = Text(index).size();
    std::string copy(text); // text may be a view into this list
    TBuffer& b = Own();
    b.Data.replace(b.Starts[i], length, copy);
    b.Starts.Shift(i + 1,
                   static_cast<std::int64_t>(copy.size()) - static_cast<std::int64_t>(length));
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
        if (eq != std::string_view::npos && platform::SameTextAscii(text.substr(0, eq), name))
            return i;
    }
    return -1;
}

// ---- TVtParts ----

int TVtParts::TokenCount() const { throw EAbstractError(); }
int TVtParts::VariableCount() const { throw EAbstractError(); }
int TVtParts::MethodCount() const { throw EAbstractError(); }

void TVtParts::CheckSelf(TVetrins& checkers) { checkers.CheckPart(*this); }

void TVtParts::CheckChildren(TVetrins& checkers) {
    for (TVtParts* child : Children)
        child->CheckTree(checkers);
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
    for (TVtParts* child : Children) {
        ParseChild(*child, Log);
    }
    for (TVtParts* child : Children)
        if (child->HasChildren()) child->ParseChildren();
}

void TVtParts::ParseChild(TVtParts& child, TTextLines* log) const {
    child.SetLog(log);
    const std::string file = platform::MarkPath(child.FileName);
    if (log) log->Add(platform::TimeStamp() + Say(TText::LogParsing, {{"file", file}}));
    if (platform::FileExists(child.FileName)) {
        std::uint32_t t0 = platform::TickCount();
        child.Parse();
        std::uint32_t t1 = platform::TickCount();
        if (log)
            log->AppendToLast(
                Say(TText::LogParsed, {{"lines", std::to_string(child.LineCount())},
                                       {"tokens", std::to_string(child.TokenCount())},
                                       {"methods", std::to_string(child.MethodCount())},
                                       {"time", platform::FormatElapsed(t0, t1)}}));
    } else if (log && platform::FileKindOf(child.FileName) == platform::TFileKind::None) {
        // A folder or device in a member's place was told when the members were read.
        log->Add(platform::TimeStamp() + Say(TText::LogNotFound, {{"file", file}}));
    }
}

void TVtParts::Load(const std::string& fileName) {
    if (platform::FileExists(fileName)) {
        std::string bytes;
        // A file that exists but cannot be read is an error, not an empty file; the part still
        // takes the name.
        if (!platform::ReadFileBytes(fileName, bytes)) {
            FileName = fileName;
            throw EFOpenError(fileName);
        }
        RawLines.TakeText(std::move(bytes));
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
    for (const auto& text : ExcludedFiles) {
        // The entries are code page 932 text from the checker project file.
        const std::string entry = platform::PathFromSystemText(text);
        bool fullPath = entry.find_first_of("\\/") != std::string::npos;
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
