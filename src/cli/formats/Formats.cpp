#include "cli/formats/Formats.h"

const std::vector<TFindingFormat>& FindingFormats() {
    static const std::vector<TFindingFormat> formats = {
        {"text", TCliText::FormatText, MakeTextWriter},
        {"json", TCliText::FormatJson, MakeJsonWriter},
        {"sarif", TCliText::FormatSarif, MakeSarifWriter},
        {"github", TCliText::FormatGithub, MakeGithubWriter},
        {"msvc", TCliText::FormatMsvc, MakeMsvcWriter},
        {"azure", TCliText::FormatAzure, MakeAzureWriter},
        {"gitlab", TCliText::FormatGitlab, MakeGitlabWriter},
        {"checkstyle", TCliText::FormatCheckstyle, MakeCheckstyleWriter},
        {"junit", TCliText::FormatJunit, MakeJunitWriter},
        {"sonar", TCliText::FormatSonar, MakeSonarWriter},
    };
    return formats;
}

const TFindingFormat* FindFindingFormat(std::string_view name) {
    for (const TFindingFormat& format : FindingFormats())
        if (name == format.Name) return &format;
    return nullptr;
}
