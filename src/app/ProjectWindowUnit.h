// The project window: the VB project path, one tab of rule tick boxes per rule category, and the
// commands that parse and check the project and save and open checker project files.
#pragma once

#include "app/QtUiThread.h"
#include "app/ResultWindowUnit.h"
#include "app/StatisticsWindowUnit.h"
#include "presenters/ProjectPresenter.h"

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

// The widgets of the project window over its presenter, which holds the rows, the ticks, the
// enabled commands and the runs.
class TProjectWindow : public QWidget, private TProjectView {
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
    QPushButton* StopRun; // 中止: shown and enabled only while a run goes

    // The run driver. Each handler is what its button does: an error ends it and is shown in
    // the error message box. A parse or check runs on a worker thread: the handler returns
    // when it has started, and the windows fill as it goes.
    void CheckClick();
    void StopClick();
    // Lets the run under way end (serving the windows meanwhile); tests and the program's end.
    void WaitForRun();
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
    // The program's arguments: the project into the path box, the rules file opened.
    void ApplyStartArguments(const TStartArguments& arguments);
    // Reads a checker project file and shows its flags; an error is shown and answers false.
    bool OpenCheckerProject(const std::string& fileName);

    TProjectPresenter& Presenter() { return *Presenter_; }
    TCheckSession& Session() { return Presenter_->Session(); }
    TVetrins& Checkers();
    TVbProjectSource& Project();
    TRelList& Relations() { return *Relations_; }
    TStatisticsWindow* StatisticsWindow() const { return Statistics_; }

signals:
    // A parse or check run: started, steps done (members parsed, parts checked, out of all the
    // run's steps), ended.
    void RunStarted();
    void ProgressChanged(int done, int total);
    void RunFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void FormCreate();
    void CreateRuleRows();
    std::string PathText() const;
    // TProjectView
    void TicksChanged() override { ShowEnabledFlags(); }
    void RunStateChanged() override;
    void RunProgress(int done, int total) override;
    void LinesChanged() override;
    void StatisticsChanged() override;

    TVtOption& Option_;
    QPointer<TResultWindow> ResultWindow_;
    TLogWindow& LogWindow_;
    QMdiArea* MdiArea_;
    QPointer<TStatisticsWindow> Statistics_;
    std::unique_ptr<TRelList> Relations_;
    TQtUiThread UiThread_{this};
    std::unique_ptr<TProjectPresenter> Presenter_;
};
