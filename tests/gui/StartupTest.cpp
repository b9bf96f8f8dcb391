// The desktop program as a whole: it starts from vrt.ini and writes it back when it ends.
#include "GuiTestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class StartupTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    QString Ini() const { return Dir.filePath("vrt.ini"); }

    // Starts vetrin on the INI file, lets it come up, and ends it as a session end would: it is
    // to end at once and in order.
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
        QElapsedTimer ending;
        ending.start();
        program.terminate();
        QVERIFY(program.waitForFinished(30000));
        QVERIFY2(ending.elapsed() < 10000, qPrintable(QString::number(ending.elapsed())));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

private slots:
    void firstEndWritesTheIniFile() {
        QFile::remove(Ini());
        RunProgram();
        const QByteArray written = ReadAll(Ini());
        QVERIFY(written.startsWith(
            "[Editor]\r\nCommandLine=\r\n\r\n[File]\r\nLastOpen=\r\nTargetProject=\r\n"
            "\r\n[Source]\r\nCodePage=932\r\n"));
        // Where the windows were, in a section of its own.
        QVERIFY(written.contains("\r\n[Window]\r\n"));
        QVERIFY(written.contains("\r\nFrame="));
    }

    // SIGTERM while the start-up error box is open (the remembered checker project is gone).
    void terminateWhileTheStartUpErrorBoxIsOpen() {
        QVERIFY(WriteAll(Ini(), "[File]\nLastOpen=/nowhere/Gone.vrp\nTargetProject=/p/A.vbp\n"));
        RunProgram();
        const QByteArray written = ReadAll(Ini());
        QVERIFY(written.contains("\r\nLastOpen=/nowhere/Gone.vrp\r\nTargetProject=/p/A.vbp\r\n"));
    }

    void optionsSurviveARun() {
        // Written by hand with LF line ends; the program writes its own form back.
        QByteArray examples = VETRIN_SOURCE_DIR "/examples/";
        QVERIFY(WriteAll(Ini(), "[Editor]\nCommandLine=gedit +%L %F\n[File]\nLastOpen=" + examples +
                                    "Example.vrp\nTargetProject=" + examples + "Example.vbp\n"));
        RunProgram();
        QVERIFY(ReadAll(Ini()).startsWith(
            "[Editor]\r\nCommandLine=gedit +%L %F\r\n\r\n[File]\r\nLastOpen=" + examples +
            "Example.vrp\r\nTargetProject=" + examples +
            "Example.vbp\r\n\r\n[Source]\r\nCodePage=932\r\n"));
    }
};

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
