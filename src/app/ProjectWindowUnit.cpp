#include "app/ProjectWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "app/ErrorPolicy.h"
#include "app/LogWindowUnit.h"
#include "app/OptionUnit.h"
#include "app/ResultWindowUnit.h"
#include "app/StatisticsWindowUnit.h"
#include "app/UserPrompts.h"
#include "app/WidgetText.h"
#include "app/WindowLayoutUnit.h"
#include "checkers/CheckSession.h"
#include "checkers/RuleTable.h"
#include "framework/Errors.h"
#include "framework/Vetrin.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "vbsource/VbSource.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

static_assert(apptext::CategoryTabs.size() == CategoryCount, "one tab per rule category");

namespace {

const char* const TagProperty = "tag";
const QString CheckBoxPrefix = QStringLiteral("CheckBox");
const QString ShowConfigPrefix = QStringLiteral("ShowConfig");
// The template row of every tab, and the distance between rows.
const QRect TemplateCheckBox(8, 4, 261, 17);
const QRect TemplateButton(276, 4, 25, 17);
const int RowHeight = 20;

QString Native(const std::string& path) {
    return QString::fromStdString(platform::NativePath(path));
}
std::string Engine(const QString& text) { return platform::EnginePath(text.toStdString()); }

// The wait cursor for the life of a run, restored also when the run fails.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

} // namespace

int ControlTag(const QObject* control) {
    QVariant tag = control->property(TagProperty);
    return tag.isValid() ? tag.toInt() : -1;
}

void SetControlTag(QObject* control, int tag) { control->setProperty(TagProperty, tag); }

// ---- TRelList ----

void TRelList::Add(TVetrin* checker, QCheckBox* checkBox, QAbstractButton* button) {
    int index = Count();
    Checkers.push_back(checker);
    CheckBoxes.push_back(checkBox);
    Buttons.push_back(button);
    SetControlTag(checkBox, index);
    SetControlTag(button, index);
}

// ---- TProjectWindow ----

TProjectWindow::TProjectWindow(TVtOption& option, TResultWindow& resultWindow,
                               TLogWindow& logWindow, QMdiArea* mdiArea, QWidget* parent)
    : QWidget(parent), Option_(option), ResultWindow_(&resultWindow), LogWindow_(logWindow),
      MdiArea_(mdiArea) {
    BuildControls();
    FormCreate();
}

TProjectWindow::~TProjectWindow() {
    // The statistics window belongs to this window; it goes first, before the project it shows.
    if (Statistics_) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(Statistics_->parentWidget()))
            delete frame;
        else
            delete Statistics_.data();
    }
    if (ResultWindow_) ResultWindow_->AttachCheckers(nullptr);
    Session_.reset();
    Relations_.reset();
}

void TProjectWindow::BuildControls() {
    setObjectName(QStringLiteral("ProjectWindow"));
    setWindowTitle(apptext::ProjectCaption);
    setFont(AppFont());
    setFixedSize(501, 259);

    auto name = [](QWidget* w, const char* objectName, const QRect& geometry) {
        w->setObjectName(QString::fromLatin1(objectName));
        w->setGeometry(geometry);
    };
    auto flatButton = [this](const QString& text) {
        auto* button = new QToolButton(this);
        button->setText(text);
        button->setAutoRaise(true);
        return button;
    };

    Label1 = new QLabel(apptext::ProjectLabel, this);
    name(Label1, "Label1", QRect(8, 4, 0, 0));
    Label1->adjustSize();
    TargetProjectPath = new QLineEdit(this);
    name(TargetProjectPath, "TargetProjectPath", QRect(7, 20, 466, 20));
    Label1->setBuddy(TargetProjectPath);
    OpenFile = flatButton(apptext::Ellipsis);
    name(OpenFile, "OpenFile", QRect(476, 20, 25, 21));

    TabPages = new QTabWidget(this);
    name(TabPages, "TabPages", QRect(8, 48, 317, 169));
    // All six category tabs fit side by side in the control's width. The style sheet that narrows
    // them draws them itself, so it also marks the current tab: raised (taller, joined to its
    // page) and in the page's colour, the others lower and shaded.
    TabPages->setStyleSheet(QStringLiteral(
        "QTabBar::tab { padding: 3px 6px; margin-top: 3px; border: 1px solid palette(mid);"
        " border-bottom: none; background: palette(button); color: palette(button-text); }"
        "QTabBar::tab:selected { margin-top: 0px; padding-bottom: 4px; background: palette(base);"
        " color: palette(text); }"
        "QTabBar::tab:!selected { background: palette(midlight); }"));
    TabPages->setUsesScrollButtons(false);
    for (const auto& tab : apptext::CategoryTabs) {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("Tab") + tab.Word);
        // The template row made at design time: hidden, tag -1, ticked only on the first tab.
        auto* box = new QCheckBox(page);
        box->setObjectName(CheckBoxPrefix + tab.Word + QLatin1Char('1'));
        box->setGeometry(TemplateCheckBox);
        box->setChecked(&tab == &apptext::CategoryTabs[0]);
        box->hide();
        SetControlTag(box, -1);
        auto* button = new QToolButton(page);
        button->setObjectName(ShowConfigPrefix + tab.Word + QLatin1Char('1'));
        button->setText(apptext::Ellipsis);
        button->setAutoRaise(true);
        button->setGeometry(TemplateButton);
        button->hide();
        SetControlTag(button, -1);
        connect(button, &QToolButton::clicked, this, [this, button] { ShowConfigClick(button); });
        TabPages->addTab(page, QString::fromUtf8(CategoryCaption(static_cast<std::uint8_t>(
                                   &tab - apptext::CategoryTabs.data()))));
    }
    TabPages->setCurrentIndex(0);

    IsClear = new QCheckBox(apptext::ClearAtStart, this);
    name(IsClear, "IsClear", QRect(360, 80, 133, 21));
    IsClear->setChecked(true);
    SaveWithResult = new QCheckBox(apptext::SaveWithResult, this);
    name(SaveWithResult, "SaveWithResult", QRect(360, 104, 133, 21));
    SaveWithResult->hide();
    // Where the font is wider than the one the layout was drawn for, the captions still fit.
    for (QCheckBox* box : {IsClear, SaveWithResult})
        box->resize(std::min(std::max(box->width(), box->sizeHint().width()), width() - box->x()),
                    box->height());
    SaveAs = new QPushButton(apptext::Save, this);
    name(SaveAs, "SaveAs", QRect(372, 140, 101, 29));
    Open = new QPushButton(apptext::Open, this);
    name(Open, "Open", QRect(372, 172, 101, 29));
    Analyze = new QPushButton(apptext::Analyze, this);
    name(Analyze, "Analyze", QRect(12, 224, 89, 29));
    Check = new QPushButton(apptext::Check, this);
    name(Check, "Check", QRect(108, 224, 89, 29));
    SpeedButton2 = flatButton(apptext::CheckAll);
    name(SpeedButton2, "SpeedButton2", QRect(228, 224, 97, 29));
    SpeedButton1 = flatButton(apptext::Statistics);
    name(SpeedButton1, "SpeedButton1", QRect(372, 224, 101, 29));

    connect(OpenFile, &QToolButton::clicked, this, [this] { OpenFileClick(); });
    connect(SaveAs, &QPushButton::clicked, this, [this] { SaveAsClick(); });
    connect(Open, &QPushButton::clicked, this, [this] { OpenClick(); });
    connect(Analyze, &QPushButton::clicked, this, [this] { AnalyzeClick(); });
    connect(Check, &QPushButton::clicked, this, [this] { CheckClick(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
}

void TProjectWindow::FormCreate() {
    Relations_ = std::make_unique<TRelList>();
    Session_ = std::make_unique<TCheckSession>();
    ResultWindow_->AttachCheckers(&Session_->Rules());
    CreateRuleRows();
    Session_->SetLog(&LogWindow_.Lines());
    Session_->SetResults(&ResultWindow_->Lines());
    TargetProjectPath->setText(Native(Option_.TargetProject));
    if (!Option_.LastOpen.empty())
        RunGuarded(this, [this] { OpenCheckerProject(Option_.LastOpen); });
}

TVetrins& TProjectWindow::Checkers() { return Session_->Rules(); }

TVbProjectSource& TProjectWindow::Project() { return Session_->Project(); }

void TProjectWindow::CreateRuleRows() {
    int counters[apptext::CategoryTabs.size()] = {};
    for (int i = 0; i < Checkers().Count(); ++i) {
        TVetrin* checker = Checkers().Items(i);
        std::size_t category = checker->Category();
        // A rule of no known category gets no row; it still runs when enabled.
        if (category >= apptext::CategoryTabs.size()) continue;
        int n = ++counters[category];
        const QString& word = apptext::CategoryTabs[category].Word;
        QString number = QString::number(n);
        if (n > 1) {
            QWidget* page = TabPages->widget(static_cast<int>(category));
            int top = TemplateCheckBox.top() + (n - 1) * RowHeight;
            auto* box = new QCheckBox(page);
            box->setObjectName(CheckBoxPrefix + word + number);
            box->setGeometry(TemplateCheckBox.left(), top, TemplateCheckBox.width(),
                             TemplateCheckBox.height());
            box->show();
            auto* button = new QToolButton(page);
            button->setObjectName(ShowConfigPrefix + word + number);
            button->setText(apptext::Ellipsis);
            button->setAutoRaise(true);
            button->setGeometry(TemplateButton.left(), top, TemplateButton.width(),
                                TemplateButton.height());
            button->show();
            connect(button, &QToolButton::clicked, this,
                    [this, button] { ShowConfigClick(button); });
        }
        auto* box = findChild<QCheckBox*>(CheckBoxPrefix + word + number);
        auto* button = findChild<QToolButton*>(ShowConfigPrefix + word + number);
        box->setText(EngineToWidget(checker->GetCheckerName()));
        box->setVisible(true);
        button->setVisible(checker->HasDetail());
        Relations_->Add(checker, box, button);
    }
}

void TProjectWindow::ApplyCheckBoxes() {
    for (QCheckBox* box : findChildren<QCheckBox*>()) {
        if (!box->objectName().startsWith(CheckBoxPrefix) || ControlTag(box) == -1) continue;
        TVetrin* row = Relations_->CheckerAt(ControlTag(box));
        if (TVetrin* checker = Checkers().FindByClassName(row->ClassName()))
            checker->Enabled = box->isChecked();
    }
}

void TProjectWindow::ShowEnabledFlags() {
    for (QCheckBox* box : findChildren<QCheckBox*>()) {
        if (!box->objectName().startsWith(CheckBoxPrefix) || ControlTag(box) == -1) continue;
        TVetrin* row = Relations_->CheckerAt(ControlTag(box));
        if (TVetrin* checker = Checkers().FindByClassName(row->ClassName()))
            box->setChecked(checker->Enabled);
    }
}

std::string TProjectWindow::PathText() const { return Engine(TargetProjectPath->text()); }

void TProjectWindow::ClearWindows() {
    LogWindow_.Lines().Clear();
    ResultWindow_->Lines().Clear();
    Checkers().JumpRecords.Clear();
    // Let the emptied windows repaint; the user's input waits until the run has ended.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

class TProjectWindow::TRunInProgress {
public:
    explicit TRunInProgress(TProjectWindow& window) : Window_(window) {
        for (QAbstractButton* button : {static_cast<QAbstractButton*>(Window_.Analyze),
                                        static_cast<QAbstractButton*>(Window_.Check)})
            button->setEnabled(false);
        emit Window_.RunStarted();
        Window_.Session_->SetProgress([this](int done, int total) {
            emit Window_.RunProgress(done, total);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    ~TRunInProgress() {
        Window_.Session_->SetProgress(nullptr);
        Window_.Analyze->setEnabled(true);
        Window_.Check->setEnabled(true);
        emit Window_.RunFinished();
    }
    TRunInProgress(const TRunInProgress&) = delete;
    TRunInProgress& operator=(const TRunInProgress&) = delete;

private:
    TProjectWindow& Window_;
};

bool TProjectWindow::TargetProjectExists() {
    std::string path = PathText();
    if (platform::FileExists(path)) return true;
    // A run on a project file that is not there would check nothing and look clean.
    Prompts().ShowError(this, ErrorText(EFOpenError(path)));
    return false;
}

void TProjectWindow::UseCodePage(int codePage) {
    Session_->SetCodePage(codePage);
    LogWindow_.Lines().SetSourceCodePage(Session_->CodePage());
    ResultWindow_->Lines().SetSourceCodePage(Session_->CodePage());
}

void TProjectWindow::CheckClick() {
    if (!TargetProjectExists()) return;
    RunGuarded(this, [this] {
        if (IsClear->isChecked()) ClearWindows();
        TWaitCursor waitCursor;
        TRunInProgress run(*this);
        ApplyCheckBoxes();
        std::string path = PathText();
        // The sources are read in the code page the options name (a change rereads them).
        UseCodePage(Option_.CodePage);
        Session_->Check(path);
        if (Statistics_) Statistics_->ShowStatistics(&Session_->Project());
        Option_.TargetProject = path;
    });
}

void TProjectWindow::AnalyzeClick() {
    if (!TargetProjectExists()) return;
    RunGuarded(this, [this] {
        if (IsClear->isChecked()) ClearWindows();
        TWaitCursor waitCursor;
        TRunInProgress run(*this);
        std::string path = PathText();
        UseCodePage(Option_.CodePage);
        Session_->ReadProject(path);
        Option_.TargetProject = path;
    });
}

namespace {
// The checker project file dialogs start at the file saved or opened last.
QString AskCheckerProjectFile(QWidget* parent, const TVetrins& checkers, TFileRequest::TKind kind,
                              const QString& caption) {
    TFileRequest request;
    request.Kind = kind;
    request.Caption = caption;
    request.Folder = Native(platform::FolderPart(checkers.FileName));
    request.FileName = Native(platform::FileNamePart(checkers.FileName));
    request.Filter = apptext::CheckerProjectFilter;
    request.DefaultSuffix = QStringLiteral("vrp");
    return Prompts().AskFileName(parent, request);
}
} // namespace

void TProjectWindow::SaveAsClick() {
    RunGuarded(this, [this] {
        QString chosen = AskCheckerProjectFile(this, Checkers(), TFileRequest::Save, apptext::Save);
        if (chosen.isEmpty()) return;
        ApplyCheckBoxes();
        Session_->SaveRules(Engine(chosen));
    });
}

void TProjectWindow::OpenClick() {
    RunGuarded(this, [this] {
        QString chosen = AskCheckerProjectFile(this, Checkers(), TFileRequest::Open, apptext::Open);
        if (chosen.isEmpty()) return;
        OpenCheckerProject(Engine(chosen));
    });
}

void TProjectWindow::OpenCheckerProject(const std::string& fileName) {
    // A file that cannot be loaded whole changes nothing: the tick boxes stay as the user left
    // them and the file is not remembered.
    Session_->LoadRules(fileName);
    ShowEnabledFlags();
    Option_.LastOpen = fileName;
}

void TProjectWindow::OpenFileClick() {
    RunGuarded(this, [this] {
        TFileRequest request;
        request.Kind = TFileRequest::Open;
        request.Caption = apptext::ProjectDialogTitle;
        request.Folder = Native(platform::FolderPart(PathText()));
        request.Filter = apptext::VbProjectFilter;
        request.DefaultSuffix = QStringLiteral("vbp");
        QString chosen = Prompts().AskFileName(this, request);
        if (!chosen.isEmpty()) TargetProjectPath->setText(chosen);
    });
}

void TProjectWindow::ShowConfigClick(QAbstractButton* button) {
    RunGuarded(this, [this, button] {
        int tag = ControlTag(button);
        if (tag < 0 || tag >= Relations_->Count()) return;
        TVetrin* checker = Checkers().FindByClassName(Relations_->CheckerAt(tag)->ClassName());
        if (checker) checker->ShowDetail(static_cast<void*>(static_cast<QWidget*>(this)));
    });
}

void TProjectWindow::SpeedButton1Click() {
    RunGuarded(this, [this] {
        if (!Statistics_) {
            auto* window = new TStatisticsWindow;
            Statistics_ = window;
            if (MdiArea_) {
                QMdiSubWindow* frame = MdiArea_->addSubWindow(window);
                // Where the window was and how wide its columns were when the program last ended.
                RestoreChildGeometry(Option_, layoutkey::Statistics, window);
                RestoreColumnWidths(Option_, layoutkey::StatisticsColumns,
                                    window->CommentStatisticsGrid->horizontalHeader());
                frame->show();
            } else {
                window->setParent(this, Qt::Window);
                window->show();
            }
        }
        Statistics_->ShowStatistics(&Session_->Project());
    });
}

void TProjectWindow::SpeedButton2Click() {
    for (QCheckBox* box : Relations_->CheckBoxes)
        box->setChecked(true);
}

void TProjectWindow::closeEvent(QCloseEvent* event) { MinimiseOnClose(this, event); }
