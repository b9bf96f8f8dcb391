// The options in vrt.ini, the editor command line split and the option dialog.
#include "GuiTestSupport.h"

#include "app/OptionDialogUnit.h"
#include "framework/Errors.h"
#include "presenters/VtOption.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

class OptionTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    QString IniPath() const { return Dir.filePath(QStringLiteral("vrt.ini")); }
    TVtOption NewOption() const { return TVtOption(platform::EnginePath(IniPath().toStdString())); }

private slots:
    void init() { QFile::remove(IniPath()); }

    void splitsTheEditorCommandLine_data() {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("parameters");
        QTest::newRow("quoted program keeps its blank")
            << "\"C:\\Program Files\\Hidemaru\\hidemaru.exe\" /l%L %F"
            << "C:\\Program Files\\Hidemaru\\hidemaru.exe"
            << " /l%L %F";
        QTest::newRow("program and parameters") << "notepad.exe %F"
                                                << "notepad.exe"
                                                << "%F";
        QTest::newRow("program alone") << "notepad.exe"
                                       << "notepad.exe"
                                       << "";
        QTest::newRow("quote never closed") << "\"C:\\ed.exe /n%L"
                                            << ""
                                            << "C:\\ed.exe /n%L";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
        QTest::newRow("double-byte folder") << "\"C:\\ソフト\\表示.exe\" -n%L %F"
                                            << "C:\\ソフト\\表示.exe"
                                            << " -n%L %F";
        QTest::newRow("wide blank is no separator") << "C:\\my　editor.exe %F"
                                                    << "C:\\my　editor.exe"
                                                    << "%F";
    }
    void splitsTheEditorCommandLine() {
        QFETCH(QString, commandLine);
        QFETCH(QString, program);
        QFETCH(QString, parameters);
        TVtOption option = NewOption();
        option.CommandLine = Sj(commandLine.toStdString());
        QCOMPARE(Ui(option.GetEditorProgram()), program);
        QCOMPARE(Ui(option.GetEditorParameters()), parameters);
    }

    void missingFileLeavesOptionsAlone() {
        TVtOption option = NewOption();
        option.CommandLine = "kept";
        option.LoadOptions();
        QCOMPARE(option.CommandLine, std::string("kept"));
        QVERIFY(!QFile::exists(IniPath()));
    }

    void savesAndLoadsAllThreeValuesInCodePage932() {
        TVtOption option = NewOption();
        option.CommandLine = Sj("\"C:\\Program Files\\エディタ\\ed.exe\" /l%L %F");
        // The paths are the file system's (UTF-8); the file holds them in code page 932.
        option.LastOpen = "/home/u/規則.vrp";
        option.TargetProject = "/home/u/プロジェクト/Sample.vbp";
        option.SaveOptions();
        QByteArray expected =
            QByteArray::fromStdString("[Editor]\r\nCommandLine=" + option.CommandLine +
                                      "\r\n\r\n[File]\r\nLastOpen=" + Sj(option.LastOpen) +
                                      "\r\nTargetProject=" + Sj(option.TargetProject) +
                                      "\r\n\r\n[Source]\r\nCodePage=932\r\n");
        QCOMPARE(ReadAll(IniPath()), expected);

        TVtOption reread = NewOption();
        reread.LoadOptions();
        QCOMPARE(reread.CommandLine, option.CommandLine);
        QCOMPARE(reread.LastOpen, option.LastOpen);
        QCOMPARE(reread.TargetProject, option.TargetProject);
    }

    void firstEndWritesEmptySections() {
        TVtOption option = NewOption();
        option.LoadOptions();
        option.SaveOptions();
        QSettings ini(IniPath(), QSettings::IniFormat);
        QCOMPARE(ini.childGroups(), QStringList({"Editor", "File", "Source"}));
        QCOMPARE(ini.value("Source/CodePage").toString(), QString("932"));
        QCOMPARE(ini.value("Editor/CommandLine", "missing").toString(), QString());
        QCOMPARE(ini.value("File/LastOpen", "missing").toString(), QString());
        QCOMPARE(ini.value("File/TargetProject", "missing").toString(), QString());
    }

    void readsFilesOtherProgramsWrote() {
        // Other letter case in names, blanks around keys, comments, other keys and sections, LF
        // line ends, a value with "=" in it, a missing key.
        WriteAll(IniPath(), "; written by hand\n[editor]\n  commandline = ed.exe a=b %F \n"
                            "[Other]\nLastOpen=wrong\n[FILE]\nTargetProject=/p/x.vbp\n");
        TVtOption option = NewOption();
        option.LastOpen = "stale";
        option.LoadOptions();
        QCOMPARE(option.CommandLine, std::string(" ed.exe a=b %F "));
        QCOMPARE(option.TargetProject, std::string("/p/x.vbp"));
        QCOMPARE(option.LastOpen, std::string());
    }

    void aValueStaysOnOneLine() {
        TVtOption option = NewOption();
        option.LastOpen = "a\r\n[Editor]\r\nCommandLine=evil";
        option.SaveOptions();
        TVtOption reread = NewOption();
        reread.LoadOptions();
        QCOMPARE(reread.CommandLine, std::string());
        QCOMPARE(reread.LastOpen, std::string("a  [Editor]  CommandLine=evil"));
    }

    void unwritableLocationRaisesCreateError() {
        WriteAll(Dir.filePath("plain"), "not a folder");
        TVtOption option(platform::EnginePath(Dir.filePath("plain/vrt.ini").toStdString()));
        QVERIFY_THROWS_EXCEPTION(EFCreateError, option.SaveOptions());
    }

    void environmentNamesTheIniFile() {
        qputenv("VETRIN_INI", IniPath().toUtf8());
        QCOMPARE(QString::fromStdString(TVtOption().IniFileName), IniPath());
        qunsetenv("VETRIN_INI");
        QVERIFY(QString::fromStdString(TVtOption().IniFileName).endsWith("/vrt.ini"));
    }

    void codePageIsChosenInTheDialogAndKeptInTheIni() {
        // An ini of an earlier version has no code page: 932. So has an unknown value.
        WriteAll(IniPath(), "[Editor]\nCommandLine=ed %F\n");
        TVtOption option = NewOption();
        option.CodePage = 1252;
        option.LoadOptions();
        QCOMPARE(option.CodePage, 932);
        TOptionDialog dialog(option);
        QCOMPARE(dialog.CodePage->currentText(), QString("932"));
        dialog.CodePage->setCurrentIndex(dialog.CodePage->findText("1252"));
        QTest::mouseClick(dialog.Ok, Qt::LeftButton);
        QCOMPARE(option.CodePage, 1252);
        TVtOption reread = NewOption();
        reread.LoadOptions();
        QCOMPARE(reread.CodePage, 1252);
        QCOMPARE(reread.CommandLine, std::string("ed %F"));
        WriteAll(IniPath(), "[Source]\nCodePage=437\n");
        reread.LoadOptions();
        QCOMPARE(reread.CodePage, 932);
    }

    void dialogShowsAndOkWritesAtOnce() {
        TVtOption option = NewOption();
        option.LastOpen = "/p/rules.vrp";
        TOptionDialog dialog(option);
        QCOMPARE(dialog.windowTitle(), QString("オプション"));
        QCOMPARE(dialog.EditorName->text(), QString()); // empty command line: empty box
        QVERIFY(dialog.Ok->isDefault());
        dialog.EditorName->setText("gedit +%L %F");
        QTest::mouseClick(dialog.Ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(option.CommandLine, std::string("gedit +%L %F"));
        TVtOption reread = NewOption();
        reread.LoadOptions();
        QCOMPARE(reread.CommandLine, std::string("gedit +%L %F"));
        QCOMPARE(reread.LastOpen, std::string("/p/rules.vrp"));
    }

    void cancelStoresNothing() {
        TVtOption option = NewOption();
        option.CommandLine = Sj("秀丸.exe %F");
        TOptionDialog dialog(option);
        QCOMPARE(dialog.EditorName->text(), QString("秀丸.exe %F"));
        dialog.EditorName->setText("other %F");
        QTest::mouseClick(dialog.Cancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(option.CommandLine, Sj("秀丸.exe %F"));
        QVERIFY(!QFile::exists(IniPath()));
    }

    void okThatCannotWriteKeepsTheDialogOpen() {
        WriteAll(Dir.filePath("plain"), "not a folder");
        TVtOption option(platform::EnginePath(Dir.filePath("plain/vrt.ini").toStdString()));
        TRecordingPrompts prompts;
        TOptionDialog dialog(option);
        dialog.EditorName->setText("ed %F");
        QTest::mouseClick(dialog.Ok, Qt::LeftButton);
        QCOMPARE(prompts.Errors.size(), 1);
        QVERIFY(prompts.Errors[0].contains("を作成できません"));
        QCOMPARE(dialog.result(), int(QDialog::Rejected)); // not closed with OK
    }

    void pickingAnEditorReplacesOnlyTheProgram_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("after");
        QTest::newRow("quoted, blank in new path") << "\"C:\\Program Files\\old.exe\" /l%L %F"
                                                   << "/opt/my editor/ed"
                                                   << "\"/opt/my editor/ed\" /l%L %F";
        QTest::newRow("quoted to plain") << "\"C:\\x y\\old.exe\" /l%L %F"
                                         << "/usr/bin/gedit"
                                         << "/usr/bin/gedit /l%L %F";
        QTest::newRow("plain to quoted") << "notepad.exe %F"
                                         << "/a b/ed"
                                         << "\"/a b/ed\" %F";
        QTest::newRow("no parameters") << "notepad.exe"
                                       << "/usr/bin/kate"
                                       << "/usr/bin/kate";
        QTest::newRow("cancelled") << "notepad.exe %F"
                                   << ""
                                   << "notepad.exe %F";
    }
    void pickingAnEditorReplacesOnlyTheProgram() {
        QFETCH(QString, before);
        QFETCH(QString, chosen);
        QFETCH(QString, after);
        TVtOption option = NewOption();
        TRecordingPrompts prompts;
        prompts.Answers << chosen;
        TOptionDialog dialog(option);
        dialog.EditorName->setText(before);
        QTest::mouseClick(dialog.OpenFile, Qt::LeftButton);
        QCOMPARE(prompts.Requests.size(), 1);
        QCOMPARE(dialog.EditorName->text(), after);
        QCOMPARE(option.CommandLine, std::string()); // only OK stores it
    }
};

QTEST_MAIN(OptionTest)
#include "OptionTest.moc"
