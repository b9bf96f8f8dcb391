#include "cli/formats/Formats.h"

const std::vector<TFindingFormat>& FindingFormats() {
    static const std::vector<TFindingFormat> formats = {
        {"text", "one line per finding: FILE(LINE) : MESSAGE, or FILE : MESSAGE without a line",
         MakeTextWriter},
        {"json", "one array of {file, line (null when none), message, rule (class name), ruleName}",
         MakeJsonWriter},
        {"sarif", "SARIF 2.1.0: tool \"Vetrin\" with its rules, one result per finding",
         MakeSarifWriter},
        {"github", "GitHub Actions commands: ::warning file=PATH,line=N,title=RULE::MESSAGE",
         MakeGithubWriter},
        {"msvc", "PATH(N): warning RULE: MESSAGE", MakeMsvcWriter},
        {"azure",
         "Azure Pipelines logging commands: ##vso[task.logissue type=warning;sourcepath=PATH;"
         "linenumber=N;code=RULE]MESSAGE",
         MakeAzureWriter},
        {"gitlab",
         "GitLab Code Quality JSON; fingerprints stay when lines are inserted above a finding",
         MakeGitlabWriter},
        {"checkstyle", "Checkstyle XML (Jenkins and many other tools read it)",
         MakeCheckstyleWriter},
        {"junit", "JUnit XML: a test case per checked file, failed when it has findings",
         MakeJunitWriter},
        {"sonar", "SonarQube generic issue import JSON, findings as code smells", MakeSonarWriter},
    };
    return formats;
}

const TFindingFormat* FindFindingFormat(std::string_view name) {
    for (const TFindingFormat& format : FindingFormats())
        if (name == format.Name) return &format;
    return nullptr;
}
