#include "framework/VetrinList.h"

#include "framework/Errors.h"
#include "platform/Files.h"

#include <algorithm>
#include <limits>

const std::string& TVetrinList::Get(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Items_[static_cast<std::size_t>(index)];
}

std::string TVetrinList::Text() const {
    std::string text;
    for (const auto& item : Items_) {
        text += item;
        text += "\r\n";
    }
    return text;
}

void TVetrinList::SetText(std::string_view text) { Items_ = platform::SplitLines(text); }

std::string TVetrinList::ReadNext() {
    std::string text =
        Cursor >= 0 && Cursor < Count() ? Items_[static_cast<std::size_t>(Cursor)] : std::string();
    ++Cursor;
    return text;
}

void TVetrinList::WriteBool(bool flag) { Add(flag ? "True" : "False"); }

void TVetrinList::ReadBool(bool& flag) {
    std::string text = ReadNext();
    if (text == "True")
        flag = true;
    else if (text == "False")
        flag = false;
}

void TVetrinList::WriteInteger(std::int32_t n) { Add(std::to_string(n)); }

void TVetrinList::ReadInteger(std::int32_t& n) { n = StrToInt(ReadNext()); }

void TVetrinList::WriteStrings(const TStringList& list) {
    WriteInteger(static_cast<std::int32_t>(list.size()));
    for (const auto& line : list)
        Add(line);
}

void TVetrinList::ReadStrings(TStringList& list) {
    list.clear();
    std::int32_t n = 0;
    ReadInteger(n);
    // The count comes from a file: it may not promise more lines than the file has left.
    const std::int32_t left = std::max(0, Count() - std::max(Cursor, 0));
    if (n > left) throw EConvertError::MissingLines(n, left);
    for (std::int32_t k = 0; k < n; ++k)
        list.push_back(ReadNext());
}

std::int32_t StrToInt(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) throw EConvertError::NotInteger(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') throw EConvertError::NotInteger(text);
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1)
            throw EConvertError::NotInteger(text);
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min())
        throw EConvertError::NotInteger(text);
    return static_cast<std::int32_t>(value);
}

const TCheckerLog& TCheckerLogList::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Items_[static_cast<std::size_t>(index)];
}

const std::string& TStringPairList::ValueAt(int index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return Values[static_cast<std::size_t>(index)];
}
