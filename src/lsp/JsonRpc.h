// The framing of the language server's messages: each a header block ("Content-Length: N",
// other fields ignored, ended by an empty line) and N bytes of JSON, on a byte stream.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

// Reads framed messages from a stream. A header block without a usable Content-Length is told
// (Next answers it as an error) and the reader looks for the next header block.
class TMessageReader {
public:
    explicit TMessageReader(std::FILE* stream) : Stream_(stream) {}
    struct TMessage {
        std::string Body;  // the JSON text
        std::string Error; // not empty: a header block that frames no message, and why
    };
    // The next message, or none at the end of the stream (a message cut short included).
    std::optional<TMessage> Next();

private:
    // One header line without its line end; none at the end of the stream.
    std::optional<std::string> ReadLine();
    std::FILE* Stream_;
    std::string Pending_; // a header line found inside the previous line
};

// Writes one message, framed, and flushes the stream; false when the stream fails.
bool WriteMessage(std::FILE* stream, const std::string& json);
