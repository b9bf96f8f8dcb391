// json: one array of {file, line, message, messageId, fields, rule, ruleName}, a finding per line.
#include "cli/Output.h"
#include "cli/formats/Formats.h"
#include "cli/formats/JsonSupport.h"

#include "platform/CodePage.h"

#include <map>

namespace {

class TJsonWriter : public TFindingWriter {
public:
    explicit TJsonWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out) {
        const TVetrins& rules = context.Rules;
        // The display names in code page 932, made once per rule.
        for (int i = 0; i < rules.Count(); ++i)
            Names_.emplace(std::string(rules.Items(i)->ClassName()), rules.Items(i)->DisplayName());
    }
    void Write(const TFindingRecord& f) override {
        ordered_json j;
        j["file"] = platform::PathToUtf8(f.File);
        j["line"] = f.HasLine() ? ordered_json(f.Line) : ordered_json(nullptr);
        j["message"] = Utf8Text(f.Message, Source_);
        j["messageId"] = f.MessageKey ? ordered_json(TextId(*f.MessageKey)) : ordered_json(nullptr);
        j["fields"] = MessageFields(f, Source_);
        j["rule"] = f.Rule;
        j["ruleName"] = Utf8Text(RuleName(f.Rule), Source_);
        Out_.Write(First_ ? "[\n  " : ",\n  ");
        First_ = false;
        Out_.Write(Dump(j));
    }
    void End() override { Out_.Write(First_ ? "[]\n" : "\n]\n"); }

private:
    const platform::TCodePage& Source_;
    // A finding of a rule outside the collection has no display name.
    std::string_view RuleName(const std::string& className) const {
        auto it = Names_.find(className);
        return it == Names_.end() ? std::string_view() : std::string_view(it->second);
    }
    TOutput& Out_;
    bool First_ = true;
    std::map<std::string, std::string, std::less<>> Names_;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeJsonWriter(const TFormatContext& context) {
    return std::make_unique<TJsonWriter>(context);
}
