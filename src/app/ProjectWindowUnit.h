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
class TCheckSession;
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
    // The code page of the next read, told to the session and to the windows that show names.
    void UseCodePage(int codePage);
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

    TCheckSession& Session() { return *Session_; }
    TVetrins& Checkers();
    TVbProjectSource& Project();
    TRelList& Relations() { return *Relations_; }
    TStatisticsWindow* StatisticsWindow() const { return Statistics_; }

signals:
    // A parse or check run: started, a step done (members parsed, parts checked, out of all the
    // run's steps), ended. The windows are served between the steps.
    void RunStarted();
    void RunProgress(int done, int total);
    void RunFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    void FormCreate();
    void CreateRuleRows();
    void ClearWindows();
    // While a run lasts: the buttons that start a run are disabled, the progress is announced and
    // the windows repaint after every step (user input waits until the run has ended).
    class TRunInProgress;
    std::string PathText() const;
    // Whether the path box names a project file that is there; when not, says so in the error
    // message box. Check and Analyze run nothing then.
    bool TargetProjectExists();

    TVtOption& Option_;
    QPointer<TResultWindow> ResultWindow_;
    TLogWindow& LogWindow_;
    QMdiArea* MdiArea_;
    QPointer<TStatisticsWindow> Statistics_;
    std::unique_ptr<TRelList> Relations_;
    std::unique_ptr<TCheckSession> Session_;
};
