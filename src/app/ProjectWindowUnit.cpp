#include "app/ProjectWindowUnit.h"

#include "app/AppTexts.h"
#include "app/ChildWindow.h"
#include "app/ErrorPolicy.h"
#include "app/LogWindowUnit.h"
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
#include "presenters/VtOption.h"
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

static_assert(uitext::CategoryWords.size() == CategoryCount, "one tab per rule category");

namespace {

const char* const TagProperty = "tag";
const QString CheckBoxPrefix = QStringLiteral("CheckBox");
const QString ShowConfigPrefix = QStringLiteral("ShowConfig");
// The template row of every tab, and the distance between rows.
const QRect TemplateCheckBox(8, 4, 261, 17);
const QRect TemplateButton(276, 4, 25, 17);
const int RowHeight = 20;

QString Word(std::size_t category) { return Ui(uitext::CategoryWords[category]); }

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
    Presenter_.reset();
    Relations_.reset();
}

void TProjectWindow::BuildControls() {
    setObjectName(QStringLiteral("ProjectWindow"));
    setWindowTitle(Ui(uitext::ProjectCaption));
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

    Label1 = new QLabel(Ui(uitext::ProjectLabel), this);
    name(Label1, "Label1", QRect(8, 4, 0, 0));
    Label1->adjustSize();
    TargetProjectPath = new QLineEdit(this);
    name(TargetProjectPath, "TargetProjectPath", QRect(7, 20, 466, 20));
    Label1->setBuddy(TargetProjectPath);
    OpenFile = flatButton(Ui(uitext::Ellipsis));
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
    for (std::size_t category = 0; category < uitext::CategoryWords.size(); ++category) {
        const QString word = Word(category);
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("Tab") + word);
        // The template row made at design time: hidden, tag -1, ticked only on the first tab.
        auto* box = new QCheckBox(page);
        box->setObjectName(CheckBoxPrefix + word + QLatin1Char('1'));
        box->setGeometry(TemplateCheckBox);
        box->setChecked(category == 0);
        box->hide();
        SetControlTag(box, -1);
        auto* button = new QToolButton(page);
        button->setObjectName(ShowConfigPrefix + word + QLatin1Char('1'));
        button->setText(Ui(uitext::Ellipsis));
        button->setAutoRaise(true);
        button->setGeometry(TemplateButton);
        button->hide();
        SetControlTag(button, -1);
        connect(button, &QToolButton::clicked, this, [this, button] { ShowConfigClick(button); });
        TabPages->addTab(page,
                         QString::fromUtf8(CategoryCaption(static_cast<std::uint8_t>(category))));
    }
    TabPages->setCurrentIndex(0);

    IsClear = new QCheckBox(Ui(uitext::ClearAtStart), this);
    name(IsClear, "IsClear", QRect(360, 80, 133, 21));
    IsClear->setChecked(true);
    SaveWithResult = new QCheckBox(Ui(uitext::SaveWithResult), this);
    name(SaveWithResult, "SaveWithResult", QRect(360, 104, 133, 21));
    SaveWithResult->hide();
    // Where the font is wider than the one the layout was drawn for, the captions still fit.
    for (QCheckBox* box : {IsClear, SaveWithResult})
        box->resize(std::min(std::max(box->width(), box->sizeHint().width()), width() - box->x()),
                    box->height());
    SaveAs = new QPushButton(Ui(uitext::Save), this);
    name(SaveAs, "SaveAs", QRect(372, 140, 101, 29));
    Open = new QPushButton(Ui(uitext::Open), this);
    name(Open, "Open", QRect(372, 172, 101, 29));
    Analyze = new QPushButton(Ui(uitext::Analyze), this);
    name(Analyze, "Analyze", QRect(12, 224, 89, 29));
    Check = new QPushButton(Ui(uitext::Check), this);
    name(Check, "Check", QRect(108, 224, 89, 29));
    SpeedButton2 = flatButton(Ui(uitext::CheckAll));
    name(SpeedButton2, "SpeedButton2", QRect(228, 224, 97, 29));
    SpeedButton1 = flatButton(Ui(uitext::Statistics));
    name(SpeedButton1, "SpeedButton1", QRect(372, 224, 101, 29));
    // 中止 stands where the hidden 解析結果も保存 would, over 保存, while a run goes.
    StopRun = new QPushButton(Ui(uitext::Stop), this);
    name(StopRun, "StopRun", QRect(372, 106, 101, 29));
    StopRun->hide();

    connect(OpenFile, &QToolButton::clicked, this, [this] { OpenFileClick(); });
    connect(SaveAs, &QPushButton::clicked, this, [this] { SaveAsClick(); });
    connect(Open, &QPushButton::clicked, this, [this] { OpenClick(); });
    connect(Analyze, &QPushButton::clicked, this, [this] { AnalyzeClick(); });
    connect(Check, &QPushButton::clicked, this, [this] { CheckClick(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(StopRun, &QPushButton::clicked, this, [this] { StopClick(); });
    connect(IsClear, &QCheckBox::toggled, this,
            [this](bool ticked) { Presenter_->ClearAtStart = ticked; });
}

void TProjectWindow::FormCreate() {
    Relations_ = std::make_unique<TRelList>();
    TProjectView& view = *this;
    Presenter_ = std::make_unique<TProjectPresenter>(Option_, Prompts(), UiThread_, view,
                                                     LogWindow_.Lines(), ResultWindow_->Lines());
    Presenter_->ClearAtStart = IsClear->isChecked();
    CreateRuleRows();
    TargetProjectPath->setText(QString::fromStdString(Presenter_->InitialProjectPath()));
    Presenter_->Start();
}

TVetrins& TProjectWindow::Checkers() { return Presenter_->Session().Rules(); }

TVbProjectSource& TProjectWindow::Project() { return Presenter_->Session().Project(); }

void TProjectWindow::CreateRuleRows() {
    const std::vector<TRuleRowState>& rows = Presenter_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TRuleRowState& row = rows[i];
        const QString word = Word(row.Category);
        const QString number = QString::number(row.Number);
        if (row.Number > 1) {
            QWidget* page = TabPages->widget(row.Category);
            int top = TemplateCheckBox.top() + (row.Number - 1) * RowHeight;
            auto* box = new QCheckBox(page);
            box->setObjectName(CheckBoxPrefix + word + number);
            box->setGeometry(TemplateCheckBox.left(), top, TemplateCheckBox.width(),
                             TemplateCheckBox.height());
            box->show();
            auto* button = new QToolButton(page);
            button->setObjectName(ShowConfigPrefix + word + number);
            button->setText(Ui(uitext::Ellipsis));
            button->setAutoRaise(true);
            button->setGeometry(TemplateButton.left(), top, TemplateButton.width(),
                                TemplateButton.height());
            button->show();
            connect(button, &QToolButton::clicked, this,
                    [this, button] { ShowConfigClick(button); });
        }
        auto* box = findChild<QCheckBox*>(CheckBoxPrefix + word + number);
        auto* button = findChild<QToolButton*>(ShowConfigPrefix + word + number);
        box->setText(QString::fromStdString(row.Caption));
        box->setChecked(row.Ticked);
        box->setVisible(true);
        button->setVisible(row.HasSettings);
        Relations_->Add(row.Checker, box, button);
        const int index = static_cast<int>(i);
        connect(box, &QCheckBox::toggled, this,
                [this, index](bool ticked) { Presenter_->SetTicked(index, ticked); });
    }
}

void TProjectWindow::ApplyCheckBoxes() { Presenter_->ApplyTicks(); }

void TProjectWindow::ShowEnabledFlags() {
    const std::vector<TRuleRowState>& rows = Presenter_->Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        Relations_->CheckBoxes[i]->setChecked(rows[i].Ticked);
}

std::string TProjectWindow::PathText() const { return TargetProjectPath->text().toStdString(); }

void TProjectWindow::CheckClick() { Presenter_->Check(PathText()); }

void TProjectWindow::AnalyzeClick() { Presenter_->Analyze(PathText()); }

void TProjectWindow::StopClick() { Presenter_->Stop(); }

void TProjectWindow::WaitForRun() {
    while (Presenter_->Running())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void TProjectWindow::RunStateChanged() {
    const bool running = Presenter_->Running();
    auto enable = [this](QWidget* control, TProjectCommand command) {
        control->setEnabled(Presenter_->Enabled(command));
    };
    enable(Analyze, TProjectCommand::Analyze);
    enable(Check, TProjectCommand::Check);
    enable(SaveAs, TProjectCommand::Save);
    enable(Open, TProjectCommand::Open);
    enable(SpeedButton1, TProjectCommand::Statistics);
    enable(StopRun, TProjectCommand::Stop);
    for (QAbstractButton* button : Relations_->Buttons)
        enable(button, TProjectCommand::RuleSettings);
    StopRun->setVisible(running);
    if (running) {
        emit RunStarted();
        return;
    }
    if (ResultWindow_ && Presenter_->HasChecked()) ResultWindow_->CheckEnded();
    emit RunFinished();
}

void TProjectWindow::RunProgress(int done, int total) { emit ProgressChanged(done, total); }

void TProjectWindow::LinesChanged() {
    LogWindow_.LinesChanged();
    if (ResultWindow_) ResultWindow_->LinesChanged();
}

void TProjectWindow::StatisticsChanged() {
    if (Statistics_) Statistics_->ShowStatistics(Presenter_->Statistics());
}

void TProjectWindow::SaveAsClick() { Presenter_->SaveRules(); }

void TProjectWindow::OpenClick() { Presenter_->OpenRules(); }

bool TProjectWindow::OpenCheckerProject(const std::string& fileName) {
    return Presenter_->OpenCheckerProject(fileName);
}

void TProjectWindow::ApplyStartArguments(const TStartArguments& arguments) {
    if (!arguments.Project.empty())
        TargetProjectPath->setText(QString::fromStdString(arguments.Project));
    if (!arguments.Rules.empty()) OpenCheckerProject(platform::EnginePath(arguments.Rules));
}

void TProjectWindow::OpenFileClick() {
    const std::string chosen = Presenter_->ChooseProject(PathText());
    if (!chosen.empty()) TargetProjectPath->setText(QString::fromStdString(chosen));
}

void TProjectWindow::ShowConfigClick(QAbstractButton* button) {
    RunGuarded(this, [this, button] {
        if (TVetrin* checker = Presenter_->RuleForSettings(ControlTag(button)))
            checker->ShowDetail(static_cast<void*>(static_cast<QWidget*>(this)));
    });
}

void TProjectWindow::SpeedButton1Click() {
    if (!Presenter_->Enabled(TProjectCommand::Statistics)) return;
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
    Presenter_->ShowStatistics();
}

void TProjectWindow::SpeedButton2Click() { Presenter_->CheckAll(); }

void TProjectWindow::closeEvent(QCloseEvent* event) { MinimiseOnClose(this, event); }
