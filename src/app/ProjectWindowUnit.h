// The project window: the VB project path, one tab of rule tick boxes per rule category, and the
// commands that parse and check the project and save and open checker project files.
#pragma once

#include "app/ResultWindowUnit.h"
#include "app/StatisticsWindowUnit.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QPushButton;
class QTabWidget;
class QToolButton;
class TLogWindow;
class TVbProjectSource;
class TVetrin;
class TVetrins;
class TVtOption;

// The tag of a control: the row index of a rule row, -1 for controls that belong to no row.
int ControlTag(const QObject* control);
void SetControlTag(QObject* control, int tag);

// Ties each generated rule row to its rule: three parallel lists of references (none owned).
class TRelList {
public:
    // Appends a row and tags its tick box and button with the row index.
    void Add(TVetrin* checker, QCheckBox* checkBox, QAbstractButton* button);
    int Count() const { return static_cast<int>(Checkers.size()); }
    TVetrin* CheckerAt(int index) const { return Checkers.at(static_cast<std::size_t>(index)); }
    QCheckBox* CheckBoxAt(int index) const {
        return CheckBoxes.at(static_cast<std::size_t>(index));
    }
    QAbstractButton* ButtonAt(int index) const {
        return Buttons.at(static_cast<std::size_t>(index));
    }

    std::vector<TVetrin*> Checkers;
    std::vector<QCheckBox*> CheckBoxes;
    std::vector<QAbstractButton*> Buttons;
};

class TProjectWindow : public QWidget {
    Q_OBJECT
public:
    // mdiArea: the frame that the statistics window joins (none: it becomes a window of its own).
    TProjectWindow(TVtOption& option, TResultWindow& resultWindow, TLogWindow& logWindow,
                   QMdiArea* mdiArea = nullptr, QWidget* parent = nullptr);
    ~TProjectWindow() override;

    // Controls
    QLabel* Label1;
    QLineEdit* TargetProjectPath;
    QToolButton* OpenFile;
    QTabWidget* TabPages;
    QCheckBox* IsClear;
    QCheckBox* SaveWithResult;
    QPushButton* SaveAs;
    QPushButton* Open;
    QPushButton* Analyze;
    QPushButton* Check;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton1;

    // The run driver. Each handler is what its button does: an error ends it and is shown in
    // the error message box.
    void CheckClick();
    void AnalyzeClick();
    void SaveAsClick();
    void OpenClick();
    void OpenFileClick();
    void ShowConfigClick(QAbstractButton* button);
    void SpeedButton1Click();
    void SpeedButton2Click();
    // Rule tick boxes -> Enabled flags, and back.
    void ApplyCheckBoxes();
    void ShowEnabledFlags();
    // Reads a checker project file and shows its flags; raises EFOpenError when it cannot be
    // opened.
    void OpenCheckerProject(const std::string& fileName);

    TVetrins& Checkers() { return *Checkers_; }
    TVbProjectSource& Project() { return *Project_; }
    TRelList& Relations() { return *Relations_; }
    TStatisticsWindow* StatisticsWindow() const { return Statistics_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void FormCreate();
    void CreateRuleRows();
    void ClearWindows();
    std::string PathText() const;
    void ReadProject(const std::string& path);

    TVtOption& Option_;
    QPointer<TResultWindow> ResultWindow_;
    TLogWindow& LogWindow_;
    QMdiArea* MdiArea_;
    QPointer<TStatisticsWindow> Statistics_;
    std::unique_ptr<TRelList> Relations_;
    std::unique_ptr<TVetrins> Checkers_;
    std::unique_ptr<TVbProjectSource> Project_;
    // A read that failed midway leaves a project that is not what the files say: read it again.
    bool ReadIncomplete_ = false;
    int ReadCodePage_ = 932; // the code page the project was last read in
};
