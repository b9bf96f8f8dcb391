// Where each line of a text starts: in its bytes, or in its list of tokens.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// A table of 32-bit values, most often rising by small steps (the start of each line), in about
// two bytes an entry with constant-time random access: the entries stand in blocks of 256, each
// block keeps its first value in full and every entry its distance from it in 16 bits. Once a
// distance does not fit (a line of 64 KB or more in a block, or a value below its block's first)
// the whole table turns into plain 32-bit entries, as it would have been without blocks. All of
// it is one array, so that an empty table (a procedure's token list has one) costs little: the
// blocks' first values (two 16-bit halves each) for as many entries as there is room for, then
// the distances.
class TStartTable {
public:
    std::size_t Count() const { return Count_; }
    bool Empty() const { return Count_ == 0; }
    std::uint32_t operator[](std::size_t i) const {
        if (Wide()) [[unlikely]]
            return Load(Data_.data() + 2 * i);
        return Load(Data_.data() + 2 * (i >> BlockBits)) + Data_[StepsAt_ + i];
    }
    void Add(std::uint32_t value) {
        // Within the last block and the room there is, a value that lies near its first.
        const std::size_t i = Count_;
        if (!Wide() && (i & BlockMask) != 0 && i < Capacity()) {
            const std::uint32_t step = value - Load(Data_.data() + 2 * (i >> BlockBits));
            if (step <= 0xFFFF) {
                Data_[StepsAt_ + i] = static_cast<std::uint16_t>(step);
                ++Count_;
                return;
            }
        }
        Append(&value, 1);
    }
    // Adds the values in order; blocks of whole values at once cost far less than one by one.
    void Append(const std::uint32_t* values, std::size_t count);
    // Copies `count` entries from `first` on to `out`.
    void Read(std::size_t first, std::size_t count, std::uint32_t* out) const;
    // The entries there is room for without growing.
    std::size_t Capacity() const { return Wide() ? Data_.size() / 2 : Data_.size() - StepsAt_; }
    // Makes room for this many entries in all.
    void Reserve(std::size_t count) {
        if (count > Capacity()) Regrow(count);
    }
    // Keeps the first `count` entries; a longer table is filled up with `value`.
    void Resize(std::size_t count, std::uint32_t value);
    // Adds `delta` to every entry from `first` on.
    void Shift(std::size_t first, std::int64_t delta);
    // Entry i + 1 less entry i (modulo 2^32); there must be an entry after i.
    std::uint32_t Distance(std::size_t i) const {
        // Within a block the first value drops out.
        if (!Wide() && ((i + 1) & BlockMask) != 0) [[likely]]
            return static_cast<std::uint32_t>(Data_[StepsAt_ + i + 1] - Data_[StepsAt_ + i]);
        return (*this)[i + 1] - (*this)[i];
    }
    // The number of entries not above `value`, for a table whose entries rise (a binary search).
    std::size_t CountUpTo(std::uint32_t value) const;
    // Gives back all memory.
    void Clear();
    // The bytes the entries take (for the tests of its size).
    std::size_t Bytes() const { return Data_.capacity() * sizeof(std::uint16_t); }

    static constexpr unsigned BlockBits = 8;
    static constexpr std::size_t BlockSize = std::size_t{1} << BlockBits;

private:
    static constexpr std::size_t BlockMask = BlockSize - 1;
    static std::uint32_t Load(const std::uint16_t* at) {
        std::uint32_t value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    static void Store(std::uint16_t* at, std::uint32_t value) {
        std::memcpy(at, &value, sizeof value);
    }
    // Moves the entries to an array with room for `capacity` of them.
    void Regrow(std::size_t capacity);
    // From now on every entry in full.
    void Widen();
    std::vector<std::uint16_t> Data_;
    std::uint32_t Count_ = 0;
    // Where the distances start in Data_; WideMark once every entry is in full.
    std::uint32_t StepsAt_ = 0;
    static constexpr std::uint32_t WideMark = 0xFFFFFFFF;
    bool Wide() const { return StepsAt_ == WideMark; }
};

// Adds entries to a table a block at a time: what a loop over a text's lines writes one by one.
// The table has them all once Flush is called.
class TStartWriter {
public:
    explicit TStartWriter(TStartTable& table) : Table_(table) { Flush(); }
    TStartWriter(const TStartWriter&) = delete;
    TStartWriter& operator=(const TStartWriter&) = delete;
    void Add(std::uint32_t value) {
        Pending_[Count_++] = value;
        if (Count_ == Limit_) [[unlikely]]
            Flush();
    }
    void Flush();

private:
    TStartTable& Table_;
    std::size_t Count_ = 0;
    std::size_t Limit_ = 0;
    std::array<std::uint32_t, TStartTable::BlockSize> Pending_;
};

// Reads a table's entries in order, from one of them on, a block at a time: a walk over lines
// pays less for each than random access does. Past the table's end it answers `beyond`.
class TStartReader {
public:
    TStartReader(const TStartTable& table, std::size_t first, std::uint32_t beyond)
        : Table_(&table), Next_(first), Beyond_(beyond) {}
    std::uint32_t Next() {
        if (At_ == Filled_) [[unlikely]]
            Refill();
        return Buffer_[At_++];
    }

private:
    void Refill();
    const TStartTable* Table_;
    std::size_t Next_; // the entry after those in the buffer
    std::uint32_t Beyond_;
    std::size_t At_ = 0;
    std::size_t Filled_ = 0;
    std::array<std::uint32_t, TStartTable::BlockSize> Buffer_;
};
