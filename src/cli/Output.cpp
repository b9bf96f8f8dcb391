#include "cli/Output.h"

#include "platform/Console.h"
#include "platform/Files.h"

TOutput::TOutput(std::FILE* stream, unsigned codePage) : Stream_(stream), CodePage_(codePage) {
    Buffer_.reserve(1 << 20);
}

TOutput TOutput::To(const std::string& file, unsigned codePage) {
    TOutput out(stdout, codePage);
    out.File_ = file;
    return out;
}

void TOutput::Write(std::string_view bytes) {
    Buffer_.append(bytes);
    // A file takes the whole text at once.
    if (File_.empty() && Buffer_.size() >= (1 << 20)) Drain();
}

void TOutput::Drain() {
    if (!Buffer_.empty() && !Failed_ && !platform::WriteStandardStream(Stream_, Buffer_, CodePage_))
        Failed_ = true;
    Buffer_.clear();
}

bool TOutput::Close() {
    if (!File_.empty()) {
        if (!Failed_ && !platform::WriteFileBytes(File_, Buffer_)) Failed_ = true;
        std::string().swap(Buffer_);
        File_.clear(); // written once
        return !Failed_;
    }
    Drain();
    if (std::fflush(Stream_) != 0 || std::ferror(Stream_)) Failed_ = true;
    return !Failed_;
}
