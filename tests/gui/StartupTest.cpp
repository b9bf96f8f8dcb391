// The desktop program as a whole: it starts from vrt.ini and writes it back when it ends.
#include "GuiTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class StartupTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    QString Ini() const { return Dir.filePath("vrt.ini"); }

    // Starts vetrin on the INI file, lets it come up, and ends it as a session end would.
    void RunProgram() {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VETRIN_INI", Ini());
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QCoreApplication::applicationDirPath() + "/vetrin", QStringList());
        QVERIFY(program.waitForStarted(10000));
        QTest::qWait(1500);
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

private slots:
    void firstEndWritesTheIniFile() {
        QFile::remove(Ini());
        RunProgram();
        QCOMPARE(
            ReadAll(Ini()),
            QByteArray("[Editor]\r\nCommandLine=\r\n\r\n[File]\r\nLastOpen=\r\nTargetProject=\r\n"
                       "\r\n[Source]\r\nCodePage=932\r\n"));
    }

    void optionsSurviveARun() {
        // Written by hand with LF line ends; the program writes its own form back.
        QByteArray examples = VETRIN_SOURCE_DIR "/examples/";
        QVERIFY(WriteAll(Ini(), "[Editor]\nCommandLine=gedit +%L %F\n[File]\nLastOpen=" + examples +
                                    "Example.vrp\nTargetProject=" + examples + "Example.vbp\n"));
        RunProgram();
        QCOMPARE(ReadAll(Ini()), "[Editor]\r\nCommandLine=gedit +%L %F\r\n\r\n[File]\r\nLastOpen=" +
                                     examples + "Example.vrp\r\nTargetProject=" + examples +
                                     "Example.vbp\r\n\r\n[Source]\r\nCodePage=932\r\n");
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
