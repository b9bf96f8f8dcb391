#include "app/OptionDialogUnit.h"

#include "app/WidgetText.h"

#include "app/AppTexts.h"
#include "app/ErrorPolicy.h"
#include "app/UserPrompts.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "presenters/VtOption.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

TOptionDialog::TOptionDialog(TVtOption& option, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(Ui(uitext::EditorLabel), this)),
      EditorName(new QLineEdit(this)), OpenFile(new QToolButton(this)),
      Label2(new QLabel(Ui(uitext::FileNamePlaceholder), this)),
      Label3(new QLabel(Ui(uitext::LinePlaceholder), this)),
      Label4(new QLabel(Ui(uitext::CodePageLabel), this)), CodePage(new QComboBox(this)),
      Label5(new QLabel(Ui(uitext::LanguageLabel), this)), Language(new QComboBox(this)),
      Label6(new QLabel(Ui(uitext::LanguageAtNextStart), this)),
      Ok(new QPushButton(Ui(uitext::Ok), this)), Cancel(new QPushButton(Ui(uitext::Cancel), this)),
      Option_(option) {
    setObjectName(QStringLiteral("OptionDialog"));
    setWindowTitle(Ui(uitext::OptionCaption));
    setFont(AppFont());
    setFixedSize(397, 259);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(20, 12, 55, 12);
    Label1->setBuddy(EditorName);
    EditorName->setObjectName(QStringLiteral("EditorName"));
    EditorName->setGeometry(20, 28, 333, 20);
    OpenFile->setObjectName(QStringLiteral("OpenFile"));
    OpenFile->setText(Ui(uitext::Ellipsis));
    OpenFile->setAutoRaise(true);
    OpenFile->setFocusPolicy(Qt::NoFocus);
    OpenFile->setGeometry(355, 28, 25, 21);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(28, 52, 70, 12);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(28, 68, 52, 12);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(20, 96, 150, 12);
    Label4->setBuddy(CodePage);
    CodePage->setObjectName(QStringLiteral("CodePage"));
    CodePage->setGeometry(20, 112, 120, 22);
    for (int n : TVtOption::SourceCodePages)
        CodePage->addItem(QString::number(n), n);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setGeometry(20, 140, 150, 12);
    Label5->setBuddy(Language);
    Language->setObjectName(QStringLiteral("Language"));
    Language->setGeometry(20, 156, 180, 22);
    for (std::optional<TLanguage> language : TVtOption::LanguageChoices)
        Language->addItem(Ui(TVtOption::LanguageChoiceCaption(language)));
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5})
        label->adjustSize();
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(20, 184, 360, 30);
    Label6->setWordWrap(true);
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setGeometry(228, 228, 77, 25);
    Ok->setDefault(true);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    Cancel->setGeometry(316, 228, 77, 25);
    // Tab order: OK, Cancel, the editor box.
    setTabOrder(Ok, Cancel);
    setTabOrder(Cancel, EditorName);
    setTabOrder(EditorName, CodePage);
    setTabOrder(CodePage, Language);

    // Enter runs OK (the default button); Esc closes without storing anything (QDialog's reject).
    connect(Ok, &QPushButton::clicked, this, [this] {
        if (RunGuarded(this, [this] { OkClick(); })) accept();
    });
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(OpenFile, &QToolButton::clicked, this,
            [this] { RunGuarded(this, [this] { OpenFileClick(); }); });

    FormCreate();
}

void TOptionDialog::FormCreate() {
    EditorName->setText(EngineToWidget(Option_.CommandLine));
    int index = CodePage->findData(Option_.CodePage);
    CodePage->setCurrentIndex(index < 0 ? 0 : index);
    const auto& choices = TVtOption::LanguageChoices;
    Language->setCurrentIndex(static_cast<int>(
        std::find(choices.begin(), choices.end(), Option_.Language) - choices.begin()));
}

void TOptionDialog::OkClick() {
    Option_.CommandLine = WidgetToEngine(EditorName->text());
    Option_.CodePage = CodePage->currentData().toInt();
    Option_.Language = TVtOption::LanguageChoices.at(
        static_cast<std::size_t>(std::max(0, Language->currentIndex())));
    Option_.SaveOptions();
}

void TOptionDialog::OpenFileClick() {
    const std::string commandLine = WidgetToEngine(EditorName->text());
    const std::string chosen = Prompts().AskFileName(TVtOption::EditorProgramRequest(commandLine));
    if (chosen.empty()) return;
    EditorName->setText(
        EngineToWidget(TVtOption::WithEditorProgram(commandLine, platform::EnginePath(chosen))));
}
