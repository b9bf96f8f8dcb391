#include "framework/StartTable.h"

#include <algorithm>
#include <limits>
#include <new>

void TStartTable::Regrow(std::size_t capacity) {
    // Entries are counted in 32 bits.
    if (capacity > std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
    if (Wide()) {
        std::vector<std::uint16_t> data(2 * capacity);
        std::copy_n(Data_.begin(), 2 * static_cast<std::size_t>(Count_), data.begin());
        Data_ = std::move(data);
        return;
    }
    const std::size_t blocks = (Count_ + BlockMask) >> BlockBits;
    const std::size_t stepsAt = 2 * ((capacity + BlockMask) >> BlockBits);
    std::vector<std::uint16_t> data(stepsAt + capacity);
    std::copy_n(Data_.begin(), 2 * blocks, data.begin());
    std::copy_n(Data_.begin() + StepsAt_, Count_,
                data.begin() + static_cast<std::ptrdiff_t>(stepsAt));
    Data_ = std::move(data);
    StepsAt_ = static_cast<std::uint32_t>(stepsAt);
}

void TStartTable::Append(const std::uint32_t* values, std::size_t count) {
    if (count > Capacity() - Count_)
        Regrow(std::max<std::size_t>({Count_ + count, 2 * Capacity(), 16}));
    for (std::size_t i = 0; i < count;) {
        if (Wide()) {
            for (; i < count; ++i)
                Store(Data_.data() + 2 * Count_++, values[i]);
            return;
        }
        // The values that the last block has room for.
        const std::size_t n = std::min(BlockSize - (Count_ & BlockMask), count - i);
        const std::uint32_t* const from = values + i;
        std::uint16_t* const base = Data_.data() + 2 * (Count_ >> BlockBits);
        if ((Count_ & BlockMask) == 0) Store(base, from[0]);
        // A value below the block's first wraps around to a distance beyond 16 bits.
        const std::uint32_t first = Load(base);
        std::uint32_t high = 0;
        for (std::size_t j = 0; j < n; ++j)
            high |= (from[j] - first) >> 16;
        if (high != 0) {
            Widen();
            continue;
        }
        std::uint16_t* const steps = Data_.data() + StepsAt_ + Count_;
        for (std::size_t j = 0; j < n; ++j)
            steps[j] = static_cast<std::uint16_t>(from[j] - first);
        Count_ += static_cast<std::uint32_t>(n);
        i += n;
    }
}

void TStartTable::Read(std::size_t first, std::size_t count, std::uint32_t* out) const {
    if (Wide()) {
        for (std::size_t i = first; i < first + count; ++i)
            *out++ = Load(Data_.data() + 2 * i);
        return;
    }
    for (std::size_t i = first; i < first + count;) {
        const std::uint32_t base = Load(Data_.data() + 2 * (i >> BlockBits));
        const std::size_t n = std::min(first + count, (i | BlockMask) + 1) - i;
        const std::uint16_t* const steps = Data_.data() + StepsAt_ + i;
        for (std::size_t j = 0; j < n; ++j)
            out[j] = base + steps[j];
        out += n;
        i += n;
    }
}

void TStartTable::Widen() {
    std::vector<std::uint16_t> data(2 * std::max<std::size_t>(Count_, Capacity()));
    for (std::size_t i = 0; i < Count_; ++i)
        Store(data.data() + 2 * i, (*this)[i]);
    Data_ = std::move(data);
    StepsAt_ = WideMark;
}

void TStartTable::Resize(std::size_t count, std::uint32_t value) {
    if (count > Count_) {
        Reserve(count);
        while (Count_ < count)
            Add(value);
        return;
    }
    Count_ = static_cast<std::uint32_t>(count);
}

void TStartTable::Shift(std::size_t first, std::int64_t delta) {
    if (first >= Count_ || delta == 0) return;
    if (!Wide()) {
        std::size_t block = first >> BlockBits;
        if ((first & BlockMask) != 0) {
            // The entries of a block from `first` on move away from the block's first value.
            std::uint16_t* const steps = Data_.data() + StepsAt_;
            const std::size_t end = std::min<std::size_t>(Count_, (block + 1) << BlockBits);
            const bool fits = std::all_of(steps + first, steps + end, [delta](std::uint16_t step) {
                const std::int64_t moved = step + delta;
                return moved >= 0 && moved <= 0xFFFF;
            });
            if (fits) {
                for (std::size_t j = first; j < end; ++j)
                    steps[j] = static_cast<std::uint16_t>(steps[j] + delta);
                ++block;
            } else {
                Widen();
            }
        }
        if (!Wide()) {
            // Whole blocks move with their first value (modulo 2^32, as 32-bit entries would).
            for (; block << BlockBits < Count_; ++block) {
                std::uint16_t* const at = Data_.data() + 2 * block;
                Store(at, static_cast<std::uint32_t>(Load(at) + delta));
            }
            return;
        }
    }
    for (std::size_t j = first; j < Count_; ++j) {
        std::uint16_t* const at = Data_.data() + 2 * j;
        Store(at, static_cast<std::uint32_t>(Load(at) + delta));
    }
}

std::size_t TStartTable::CountUpTo(std::uint32_t value) const {
    // The first entry above the value: among the blocks' first values, then in the block before.
    const bool wide = Wide();
    std::size_t low = 0;
    std::size_t high = wide ? Count_ : (static_cast<std::size_t>(Count_) + BlockMask) >> BlockBits;
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (Load(Data_.data() + 2 * mid) <= value)
            low = mid + 1;
        else
            high = mid;
    }
    if (wide || low == 0) return low;
    const std::size_t from = (low - 1) << BlockBits;
    const std::size_t count = std::min<std::size_t>(Count_ - from, BlockSize);
    const std::uint32_t rest = value - Load(Data_.data() + 2 * (low - 1));
    if (rest > 0xFFFF) return from + count;
    const std::uint16_t* const steps = Data_.data() + StepsAt_ + from;
    return from +
           static_cast<std::size_t>(
               std::upper_bound(steps, steps + count, static_cast<std::uint16_t>(rest)) - steps);
}

void TStartTable::Clear() {
    std::vector<std::uint16_t>().swap(Data_);
    Count_ = 0;
    StepsAt_ = 0;
}

void TStartWriter::Flush() {
    Table_.Append(Pending_.data(), Count_);
    Count_ = 0;
    // The next ones fill up the table's last block, so that they go in as a whole.
    Limit_ = TStartTable::BlockSize - (Table_.Count() & (TStartTable::BlockSize - 1));
}

void TStartReader::Refill() {
    At_ = 0;
    if (Next_ >= Table_->Count()) {
        Buffer_[0] = Beyond_;
        Filled_ = 1;
        return;
    }
    // Up to the end of the entry's block: a block decodes in one run.
    Filled_ = std::min(TStartTable::BlockSize - (Next_ & (TStartTable::BlockSize - 1)),
                       Table_->Count() - Next_);
    Table_->Read(Next_, Filled_, Buffer_.data());
    Next_ += Filled_;
}
