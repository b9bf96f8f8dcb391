// The rule-checker base class and the ordered collection of all rule checkers.
#pragma once

#include "framework/FindingSink.h"
#include "framework/RuleSettings.h"
#include "framework/TextLines.h"
#include "framework/VetrinList.h"
#include "framework/VtParts.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TVetrins;

// Rule categories: one tab of the project window each.
enum : std::uint8_t {
    catGlobal = 0,     // 設定
    catUnused = 1,     // 未使用
    catProhibit = 2,   // 禁止
    catNaming = 3,     // 命名規則
    catStatistics = 4, // 統計
    catOther = 5,      // その他
};

struct TSpecification {
    std::string Text;
    TStringList Lines;
};

class TVetrin {
public:
    TVetrin() = default;
    virtual ~TVetrin() = default;
    TVetrin(const TVetrin&) = delete;
    TVetrin& operator=(const TVetrin&) = delete;

    TSpecification Specification;
    TTextLines* Log = nullptr;
    bool Enabled = false;

    // The class name, as the checker project file stores it.
    virtual std::string_view ClassName() const { return "TVetrin"; }

    virtual void Check(TVtParts& part);
    // The settings lines of the checker project file, written and read through Settings.
    virtual void SaveSettings(TVetrinList& writer) const;
    virtual void LoadSettings(TVetrinList& reader);
    virtual bool IgnoresExclusion() const { return false; }
    virtual std::uint8_t Category() const;
    virtual bool IsTarget(const TVtParts& part) const;
    virtual std::string GetCheckerName() const;
    virtual bool HasDetail() const { return false; }
    // Opens the settings dialog; the base raises the assertion.
    virtual void ShowDetail(void* owner);
    // Copies the settings of another checker of the same class (through Settings).
    virtual void AssignSettings(const TVetrin& other);
    // Visits the rule's settings fields in their fixed order; the base has none. Saving,
    // loading, copying and describing all run through this one function.
    virtual void Settings(TSettingsVisitor& visitor);

    // The fields with their current values, in their order.
    std::vector<TSettingDescription> DescribeSettings() const;
    bool HasSettings() const { return !DescribeSettings().empty(); }

    TVetrins* Collection() const { return Collection_; }
    int Index() const;

    // A finding on the part under check, handed to the collection's findings sink (none: it is
    // dropped). ReportAt with line -1 makes a finding without a line; Report one without a line
    // whose jump record opens the file at line 1.
    void ReportAt(std::string_view message, std::int32_t line);
    void Report(std::string_view message);
    void WriteLog(const std::string& text);
    void AppendLog(const std::string& text);
    void Run(TVtParts& part);

private:
    friend class TVetrins;
    void Hand(std::string_view message, std::int32_t line, TFindingRecord::TOrigin origin);
    TVetrins* Collection_ = nullptr;
};

class TVetrins {
public:
    TVetrins() = default;
    virtual ~TVetrins();
    TVetrins(const TVetrins&) = delete;
    TVetrins& operator=(const TVetrins&) = delete;

    TVtParts* CurrentPart = nullptr;
    // The checker project file saved or opened last (empty at first).
    std::string FileName;
    TCheckerLogList JumpRecords;

    TVetrin* Add(std::unique_ptr<TVetrin> checker);
    int Count() const { return static_cast<int>(Items_.size()); }
    TVetrin* Items(int index) const;
    TVetrin* FindByClassName(std::string_view className) const;
    // Runs the enabled rules on the part: first those that ignore exclusion, then WalkPart, then
    // the others, each in collection order.
    virtual void CheckPart(TVtParts& part);
    // Where the findings go (not owned; none: they are dropped).
    void SetFindings(TFindingSink* sink) { Findings_ = sink; }
    TFindingSink* Findings() const { return Findings_; }
    // The windows' form: findings become result lines in `lines` and jump records in
    // JumpRecords (none: nothing changes).
    void SetResults(TTextLines* lines);
    void SetLog(TTextLines* lines);

    void SaveToStream(std::ostream& stream) const;
    void LoadFromStream(std::istream& stream);
    // The checker project file: written in one piece (EFCreateError when it cannot be created),
    // read whole (EFOpenError when it cannot be opened). A file is applied whole or not at
    // all: on a fault nothing changes and ECheckerProjectError names the file and line (or
    // that no rule's section is in it). Both record FileName when they succeed.
    void SaveToFile(const std::string& fileName);
    void LoadFromFile(const std::string& fileName);

protected:
    // Called once the rules that ignore exclusion have checked the part and before the others
    // do: a collection that walks a part once for several of its rules does that here.
    virtual void WalkPart(TVtParts&) {}

private:
    friend class TVetrin;
    // Applies the sections of the list; on a fault puts every checker back as it was and
    // raises it again. Answers the number of sections applied.
    int LoadList(TVetrinList& list);
    std::vector<std::unique_ptr<TVetrin>> Items_;
    TFindingSink* Findings_ = nullptr;
    std::unique_ptr<TResultLinesSink> ResultLines_;
    // The record each finding is made in before it is handed on: its strings keep their room from
    // finding to finding, so making one allocates nothing once they are large enough.
    TFindingRecord Finding_;
};
