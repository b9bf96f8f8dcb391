// Small lists that carry text around: the settings reader and writer, jump records, text pairs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TStringList = std::vector<std::string>;

// A string list with a read cursor: the sequential writer and reader of settings values.
class TVetrinList {
public:
    std::int32_t Cursor = 0;

    void Add(std::string text) { Items_.push_back(std::move(text)); }
    int Count() const { return static_cast<int>(Items_.size()); }
    const std::string& Get(int index) const;
    // All entries, each followed by CR LF.
    std::string Text() const;
    // Replaces the entries by the lines of text (split at CR, LF or CR LF; a final line end adds
    // no entry).
    void SetText(std::string_view text);

    std::string ReadNext();
    void WriteBool(bool flag);
    void ReadBool(bool& flag);
    void WriteInteger(std::int32_t n);
    void ReadInteger(std::int32_t& n);
    void WriteStrings(const TStringList& list);
    void ReadStrings(TStringList& list);

private:
    std::vector<std::string> Items_;
};

// Converts decimal text (optional sign, digits) to a 32-bit integer; anything else raises the
// conversion error with the text.
std::int32_t StrToInt(std::string_view text);

// A jump record: one per result line.
class TCheckerLog {
public:
    TCheckerLog(std::string fileName, std::int32_t line, std::string message)
        : FileName(std::move(fileName)), Line(line), Message(std::move(message)) {}
    const std::string FileName;
    const std::int32_t Line;
    const std::string Message;
};

class TCheckerLogList {
public:
    void Add(std::string fileName, std::int32_t line, std::string message) {
        Items_.emplace_back(std::move(fileName), line, std::move(message));
    }
    void Clear() { Items_.clear(); }
    int Count() const { return static_cast<int>(Items_.size()); }
    const TCheckerLog& Items(int index) const;

private:
    std::vector<TCheckerLog> Items_;
};

// Ordered pairs of texts (names and values), two lists of equal length.
class TStringPairList {
public:
    TStringList Names;
    TStringList Values;

    void Add(std::string name, std::string value) {
        Names.push_back(std::move(name));
        Values.push_back(std::move(value));
    }
    void Assign(const TStringPairList& other) {
        Names = other.Names;
        Values = other.Values;
    }
    const std::string& ValueAt(int index) const;
    int Count() const { return static_cast<int>(Names.size()); }
};
