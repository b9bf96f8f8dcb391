// The option dialog (the options themselves: tests/presenters/VtOptionTest.cpp).
#include "GuiTestSupport.h"

#include "app/OptionDialogUnit.h"
#include "framework/Errors.h"
#include "presenters/VtOption.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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
