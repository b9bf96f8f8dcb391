#include "cli/Output.h"

#include "platform/Console.h"

TOutput::TOutput(std::FILE* stream, unsigned codePage) : Stream_(stream), CodePage_(codePage) {
    Buffer_.reserve(1 << 20);
}

void TOutput::Write(std::string_view bytes) {
    Buffer_.append(bytes);
    if (Buffer_.size() >= (1 << 20)) Drain();
}

void TOutput::Drain() {
    if (!Buffer_.empty() && !Failed_ && !platform::WriteStandardStream(Stream_, Buffer_, CodePage_))
        Failed_ = true;
    Buffer_.clear();
}

bool TOutput::Close() {
    Drain();
    if (std::fflush(Stream_) != 0 || std::ferror(Stream_)) Failed_ = true;
    return !Failed_;
}
