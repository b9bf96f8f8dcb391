// junit: JUnit XML as CI servers read test reports: a <testsuite> per project and a <testcase>
// per checked file (the project file and each member, named by its path from the current folder),
// failed when the file has findings; the failure lists them, one line each ("LINE: RULE: MESSAGE",
// "-" for no line).
#include "cli/Output.h"
#include "cli/formats/Escaping.h"
#include "cli/formats/Formats.h"

#include "platform/CodePage.h"
#include "platform/Files.h"

#include <map>

namespace {

class TJunitWriter : public TFindingWriter {
public:
    explicit TJunitWriter(const TFormatContext& context)
        : Source_(context.Source), Out_(context.Out), Folder_(platform::CurrentDir()) {}
    void BeginProject(const std::string& projectFile) override {
        Project_ = projectFile;
        Findings_.clear();
    }
    void Write(const TFindingRecord& r) override {
        TFileFindings& file = Findings_[r.File];
        ++file.Count;
        file.Text += (r.HasLine() ? std::to_string(r.Line) : std::string("-")) + ": " + r.Rule +
                     ": " + platform::TextToUtf8(r.Message, Source_) + "\n";
    }
    void EndProject(const std::vector<std::string>& checkedFiles) override {
        std::string cases;
        int failures = 0;
        const std::string suite = Relative(Project_);
        for (const std::string& file : checkedFiles) {
            cases += "    <testcase name=\"" + Xml(Relative(file), true) + "\" classname=\"" +
                     Xml(suite, true) + "\"";
            auto it = Findings_.find(file);
            if (it == Findings_.end()) {
                cases += "/>\n";
                continue;
            }
            ++failures;
            const std::int64_t n = it->second.Count;
            cases += ">\n      <failure message=\"" + std::to_string(n) +
                     (n == 1 ? " finding" : " findings") + "\" type=\"findings\">";
            AppendXml(cases, it->second.Text, false);
            cases += "</failure>\n    </testcase>\n";
            Findings_.erase(it);
        }
        Suites_ += "  <testsuite name=\"" + Xml(suite, true) + "\" tests=\"" +
                   std::to_string(checkedFiles.size()) + "\" failures=\"" +
                   std::to_string(failures) + "\" errors=\"0\">\n" + cases + "  </testsuite>\n";
        Tests_ += static_cast<std::int64_t>(checkedFiles.size());
        Failures_ += failures;
        Findings_.clear();
    }
    void End() override {
        Out_.Write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"vrt\" tests=\"" +
                   std::to_string(Tests_) + "\" failures=\"" + std::to_string(Failures_) +
                   "\" errors=\"0\">\n");
        Out_.Write(Suites_);
        Out_.Write("</testsuites>\n");
    }
    // The project under way when the run failed: its files with findings so far are reported.
    void Fail() override {
        if (!Findings_.empty()) {
            std::vector<std::string> files;
            for (const auto& [file, findings] : Findings_)
                files.push_back(file);
            EndProject(files);
        }
        End();
    }

private:
    const platform::TCodePage& Source_;
    struct TFileFindings {
        std::int64_t Count = 0;
        std::string Text; // UTF-8, a line per finding
    };
    std::string Relative(const std::string& path) const {
        return platform::PathToUtf8(platform::RelativePath(Folder_, path));
    }
    TOutput& Out_;
    std::string Folder_;
    std::string Project_;
    std::map<std::string, TFileFindings> Findings_; // of the project under way, by file
    std::string Suites_;
    std::int64_t Tests_ = 0, Failures_ = 0;
};

} // namespace

std::unique_ptr<TFindingWriter> MakeJunitWriter(const TFormatContext& context) {
    return std::make_unique<TJunitWriter>(context);
}
