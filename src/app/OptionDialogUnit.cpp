#include "app/OptionDialogUnit.h"

#include "app/WidgetText.h"

#include "app/AppTexts.h"
#include "app/ErrorPolicy.h"
#include "app/OptionUnit.h"
#include "app/UserPrompts.h"
#include "platform/CodePage.h"
#include "platform/Files.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

TOptionDialog::TOptionDialog(TVtOption& option, QWidget* parent)
    : QDialog(parent), Label1(new QLabel(apptext::EditorLabel, this)),
      EditorName(new QLineEdit(this)), OpenFile(new QToolButton(this)),
      Label2(new QLabel(apptext::FileNamePlaceholder, this)),
      Label3(new QLabel(apptext::LinePlaceholder, this)),
      Label4(new QLabel(apptext::CodePageLabel, this)), CodePage(new QComboBox(this)),
      Ok(new QPushButton(apptext::Ok, this)), Cancel(new QPushButton(apptext::Cancel, this)),
      Option_(option) {
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
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setGeometry(20, 96, 150, 12);
    Label4->setBuddy(CodePage);
    CodePage->setObjectName(QStringLiteral("CodePage"));
    CodePage->setGeometry(20, 112, 120, 22);
    for (int n : {932, 874, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258})
        CodePage->addItem(QString::number(n), n);
    for (QLabel* label : {Label1, Label2, Label3, Label4})
        label->adjustSize();
    Ok->setObjectName(QStringLiteral("Ok"));
    Ok->setGeometry(228, 188, 77, 25);
    Ok->setDefault(true);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    Cancel->setGeometry(316, 188, 77, 25);
    // Tab order: OK, Cancel, the editor box.
    setTabOrder(Ok, Cancel);
    setTabOrder(Cancel, EditorName);
    setTabOrder(EditorName, CodePage);

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
}

void TOptionDialog::OkClick() {
    Option_.CommandLine = WidgetToEngine(EditorName->text());
    Option_.CodePage = CodePage->currentData().toInt();
    Option_.SaveOptions();
}

void TOptionDialog::OpenFileClick() {
    std::string commandLine = WidgetToEngine(EditorName->text());
    std::string program = TVtOption::EditorProgramPart(commandLine);
    std::string parameters = TVtOption::EditorParametersPart(commandLine);
    TFileRequest request;
    request.Kind = TFileRequest::Open;
    request.Caption = apptext::EditorProgramCaption;
    // The command line is code page 932 text; the dialog takes file-system names.
    const std::string programPath = platform::PathFromSystemText(program);
    request.Folder = QString::fromStdString(platform::FolderPart(programPath));
    request.FileName = QString::fromStdString(platform::FileNamePart(programPath));
    request.Filter = apptext::ProgramFilter;
    QString chosen = Prompts().AskFileName(this, request);
    if (chosen.isEmpty()) return;
    std::string path = platform::PathToSystemText(platform::EnginePath(chosen.toStdString()));
    bool quoted = platform::SystemCodePage().FindFirstOf(path, " ") != std::string::npos;
    std::string newCommandLine = quoted ? "\"" + path + "\"" : path;
    // Parameters that follow a quoted program keep their own leading blank; parameters that
    // followed a first blank lost it in the split and get it back.
    if (!parameters.empty() && parameters.front() != ' ') newCommandLine += ' ';
    newCommandLine += parameters;
    EditorName->setText(EngineToWidget(newCommandLine));
}
