#include "app/OptionDialogUnit.h"

#include "app/WidgetText.h"

#include "app/AppTexts.h"
#include "app/ErrorPolicy.h"
#include "app/OptionUnit.h"
#include "app/UserPrompts.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TOptionDialog::TOptionDialog(TVtOption& option, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(apptext::EditorLabel, this)),
      EditorName(new QLineEdit(this)), OpenFile(new QToolButton(this)),
      Label2(new QLabel(apptext::FileNamePlaceholder, this)),
      Label3(new QLabel(apptext::LinePlaceholder, this)), Ok(new QPushButton(apptext::Ok, this)),
      Cancel(new QPushButton(apptext::Cancel, this)), Option_(option) {
    setObjectName(QStringLiteral("OptionDialog"));
    setWindowTitle(apptext::OptionCaption);
    setFont(AppFont());
    setFixedSize(397, 219);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(20, 12, 55, 12);
    Label1->setBuddy(EditorName);
    EditorName->setObjectName(QStringLiteral("EditorName"));
    EditorName->setGeometry(20, 28, 333, 20);
    OpenFile->setObjectName(QStringLiteral("OpenFile"));
    OpenFile->setText(apptext::Ellipsis);
    OpenFile->setAutoRaise(true);
    OpenFile->setFocusPolicy(Qt::NoFocus);
    OpenFile->setGeometry(355, 28, 25, 21);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(28, 52, 70, 12);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(28, 68, 52, 12);
    for (QLabel* label : {Label1, Label2, Label3})
        label->adjustSize();
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setGeometry(228, 188, 77, 25);
    Ok->setDefault(true);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    Cancel->setGeometry(316, 188, 77, 25);
    // Tab order: OK, Cancel, the editor box.
    setTabOrder(Ok, Cancel);
    setTabOrder(Cancel, EditorName);

    // Enter runs OK (the default button); Esc closes without storing anything (QDialog's reject).
    connect(Ok, &QPushButton::clicked, this, [this] {
        if (RunGuarded(this, [this] { OkClick(); })) accept();
    });
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(OpenFile, &QToolButton::clicked, this,
            [this] { RunGuarded(this, [this] { OpenFileClick(); }); });

    FormCreate();
}

void TOptionDialog::FormCreate() { EditorName->setText(EngineToWidget(Option_.CommandLine)); }

void TOptionDialog::OkClick() {
    Option_.CommandLine = WidgetToEngine(EditorName->text());
    Option_.SaveOptions();
}

void TOptionDialog::OpenFileClick() {
    std::string commandLine = WidgetToEngine(EditorName->text());
    std::string program = TVtOption::EditorProgramPart(commandLine);
    std::string parameters = TVtOption::EditorParametersPart(commandLine);
    TFileRequest request;
    request.Kind = TFileRequest::Open;
    request.Caption = apptext::EditorProgramCaption;
    request.Folder = QString::fromStdString(platform::NativePath(platform::FolderPart(program)));
    request.FileName =
        QString::fromStdString(platform::NativePath(platform::FileNamePart(program)));
    request.Filter = apptext::ProgramFilter;
    QString chosen = Prompts().AskFileName(this, request);
    if (chosen.isEmpty()) return;
    std::string path = platform::EnginePath(chosen.toStdString());
    bool quoted = platform::FindFirstOf(path, " ") != std::string::npos;
    std::string newCommandLine = quoted ? "\"" + path + "\"" : path;
    // Parameters that follow a quoted program keep their own leading blank; parameters that
    // followed a first blank lost it in the split and get it back.
    if (!parameters.empty() && parameters.front() != ' ') newCommandLine += ' ';
    newCommandLine += parameters;
    EditorName->setText(EngineToWidget(newCommandLine));
}
