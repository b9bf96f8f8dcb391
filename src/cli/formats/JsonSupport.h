// What the JSON formats share: engine texts in UTF-8 and one-line JSON that never fails on a bad
// byte.
#pragma once

#include "framework/Finding.h"
#include "platform/CodePage.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

using ordered_json = nlohmann::ordered_json;

// A system text (messages, rule names) in UTF-8, each marked piece in its own encoding (names
// from the sources in `source`, the run's code page).
inline std::string Utf8Text(std::string_view text, const platform::TCodePage& source) {
    return platform::IsAscii(text) ? std::string(text) : platform::TextToUtf8(text, source);
}

// One line of JSON; a byte that is no UTF-8 becomes U+FFFD.
inline std::string Dump(const ordered_json& j) {
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The fields of a finding's message by name, in UTF-8 (an empty object for a message given as
// text).
inline ordered_json MessageFields(const TFindingRecord& f, const platform::TCodePage& source) {
    ordered_json fields = ordered_json::object();
    if (!f.MessageKey) return fields;
    std::span<const std::string> names = TextFieldNames(*f.MessageKey);
    for (std::size_t i = 0; i < names.size() && i < f.Fields.size(); ++i)
        fields[names[i]] = Utf8Text(f.Fields[i], source);
    return fields;
}
