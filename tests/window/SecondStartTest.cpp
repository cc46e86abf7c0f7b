#include "WindowTestSupport.h"
#include "app/ProgramStart.h"
#include "platform/InstanceLock.h"
#include "tests/common/EnvGuard.h"
#include "tests/common/FileFaults.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <memory>

namespace pexor {
namespace {

// Pexor's start in a process of its own, on a readings file of the test's
// choosing, with its runtime folder in the test's directory.
class Start {
public:
    Start(const QString &ini, const QString &runtime, bool minimise = false) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        QStringList args{ini};
        if (minimise)
            args << QStringLiteral("--minimise");
        process_.start(QStringLiteral(PEXOR_START_HELPER), args);
    }
    ~Start() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // Waits for a line of the report; false on timeout or when it ended first.
    bool WaitForLine(const QString &line, int ms = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!Lines().contains(line)) {
            if (timer.elapsed() > ms)
                return false;
            if (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning) {
                Read();
                return Lines().contains(line);
            }
            Read();
        }
        return true;
    }
    // Closes its input, which ends it as the window would end.
    int End() {
        process_.closeWriteChannel();
        return Finish();
    }
    int Finish(int ms = 20000) {
        process_.waitForFinished(ms);
        Read();
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    void Kill() {
        process_.kill();
        process_.waitForFinished();
    }
    QStringList Lines() const { return QString::fromUtf8(output_).split(u'\n'); }

private:
    void Read() { output_ += process_.readAllStandardOutput(); }

    QProcess process_;
    QByteArray output_;
};

class SecondStartTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        runtime = dir.filePath(QStringLiteral("run"));
        ASSERT_TRUE(QDir().mkdir(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString runtime;
};

TEST_F(SecondStartTest, ASecondStartTellsTheUserBringsTheFirstBackAndLeavesTheFile) {
    const QByteArray readings = "[Dates]\r\nDate1=01/12/2026\r\n[TP]\r\nTP1=80\r\n";
    WriteIni(readings);
    const QDateTime written = QFileInfo(iniPath).lastModified();

    Start first(iniPath, runtime, true);
    ASSERT_TRUE(first.WaitForLine(QStringLiteral("shown")))
        << first.Lines().join(u'\n').toStdString();

    // The same file under another spelling of its path.
    Start second(dir.path() + QStringLiteral("/run/../Pexor.ini"), runtime);
    EXPECT_EQ(second.Finish(), 0);
    EXPECT_FALSE(second.Lines().contains(QStringLiteral("shown")));
    EXPECT_TRUE(second.Lines().contains(QStringLiteral("box|Pexorv1.0|") +
                                        AlreadyOpenText(dir.path() + QStringLiteral("/Pexor.ini"))))
        << second.Lines().join(u'\n').toStdString();
    EXPECT_TRUE(first.WaitForLine(QStringLiteral("raised")));

    // Another readings file is no concern of the first.
    Start other(dir.filePath(QStringLiteral("other.ini")), runtime);
    EXPECT_TRUE(other.WaitForLine(QStringLiteral("shown")));
    EXPECT_EQ(other.End(), 0);

    EXPECT_EQ(ReadIni(), readings);
    EXPECT_EQ(QFileInfo(iniPath).lastModified(), written);
    EXPECT_EQ(test::DirectoryEntries(dir.path()),
              (QStringList{QStringLiteral("Pexor.ini"), QStringLiteral("run")}));

    // Once the first has ended the file is free; a holder killed outright
    // leaves its lock behind, and the next start takes it over.
    EXPECT_EQ(first.End(), 0);
    Start third(iniPath, runtime);
    ASSERT_TRUE(third.WaitForLine(QStringLiteral("shown")));
    third.Kill();
    Start fourth(iniPath, runtime);
    EXPECT_TRUE(fourth.WaitForLine(QStringLiteral("shown")));
    EXPECT_EQ(fourth.End(), 0);
}

// The same start in this process: the box is the real one, and the start
// ends there, with no window made and no file written.
TEST_F(SecondStartTest, TheSecondStartEndsAtTheBox) {
    const test::EnvGuard runtimeFolder("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    {
        InstanceLock holder(iniPath);
        ASSERT_EQ(holder.Acquire(), InstanceLock::Outcome::Owner);
        bool raised = false;
        holder.OnRaiseRequest = [&raised] { raised = true; };
        boxes.Answer(QStringLiteral("OK"));
        EXPECT_EQ(RunPexor(iniPath, [](TfrmQuilma &) { ADD_FAILURE() << "a window was shown"; }),
                  0);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const test::SeenBox &box = boxes.Boxes()[0];
        EXPECT_EQ(box.Title, QStringLiteral("Pexorv1.0"));
        EXPECT_EQ(box.Text, QStringLiteral("Pexor est déjà ouvert avec le fichier de relevés ") +
                                iniPath + u'.');
        EXPECT_EQ(box.Icon, QMessageBox::Information);
        EXPECT_EQ(box.Buttons, QStringList{QStringLiteral("OK")});
        EXPECT_TRUE(WaitFor([&raised] { return raised; }));
        EXPECT_FALSE(QFileInfo::exists(iniPath));
    }
}

} // namespace
} // namespace pexor
