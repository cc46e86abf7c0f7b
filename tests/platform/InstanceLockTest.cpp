#include "platform/InstanceLock.h"

#include "tests/common/EnvGuard.h"
#include "tests/common/FileFaults.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace pexor {
namespace {

using Outcome = InstanceLock::Outcome;

class InstanceLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir().mkdir(Runtime()));
        QFile::setPermissions(Runtime(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        runtime_.emplace("XDG_RUNTIME_DIR", QFile::encodeName(Runtime()));
        ini_ = dir_.filePath(QStringLiteral("data/Pexor.ini"));
        ASSERT_TRUE(QDir().mkdir(dir_.filePath(QStringLiteral("data"))));
    }
    QString Runtime() const { return dir_.filePath(QStringLiteral("run")); }

    QTemporaryDir dir_;
    QString ini_;
    std::optional<test::EnvGuard> runtime_;
};

TEST_F(InstanceLockTest, OneHolderPerFileWhateverTheSpellingOfItsPath) {
    const QString linked = dir_.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(dir_.filePath(QStringLiteral("data")), linked));
    const QString key = InstanceLock::KeyFor(ini_);
    for (const QString &spelling : {dir_.path() + QStringLiteral("/data/./Pexor.ini"),
                                    dir_.path() + QStringLiteral("/run/../data/Pexor.ini"),
                                    linked + QStringLiteral("/Pexor.ini")})
        EXPECT_EQ(InstanceLock::KeyFor(spelling), key) << spelling.toStdString();
    EXPECT_NE(InstanceLock::KeyFor(dir_.filePath(QStringLiteral("data/Other.ini"))), key);
    // A folder not made yet still gives one key.
    EXPECT_EQ(InstanceLock::KeyFor(dir_.filePath(QStringLiteral("new/Pexor/Pexor.ini"))),
              InstanceLock::KeyFor(dir_.filePath(QStringLiteral("new/./Pexor/Pexor.ini"))));

    auto first = std::make_unique<InstanceLock>(ini_);
    ASSERT_EQ(first->Acquire(), Outcome::Owner);
    EXPECT_EQ(first->Acquire(), Outcome::Owner);
    InstanceLock second(linked + QStringLiteral("/Pexor.ini"));
    EXPECT_EQ(second.Acquire(), Outcome::HeldElsewhere);
    InstanceLock other(dir_.filePath(QStringLiteral("data/Other.ini")));
    EXPECT_EQ(other.Acquire(), Outcome::Owner);
    // The lock and its socket live in the runtime folder, never beside the file.
    EXPECT_TRUE(first->LockFilePath().startsWith(Runtime() + u'/'));
    EXPECT_TRUE(QFileInfo::exists(first->LockFilePath()));
    EXPECT_EQ(test::DirectoryEntries(dir_.filePath(QStringLiteral("data"))), QStringList());

    first.reset();
    EXPECT_EQ(second.Acquire(), Outcome::Owner);
}

TEST_F(InstanceLockTest, ALongHeldLockIsNotStaleButADeadHoldersIs) {
    InstanceLock holder(ini_);
    ASSERT_EQ(holder.Acquire(), Outcome::Owner);
    // Hours old: its holder lives, so it holds.
    QFile lockFile(holder.LockFilePath());
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-6 * 3600),
                                     QFileDevice::FileModificationTime));
    lockFile.close();
    EXPECT_EQ(InstanceLock(ini_).Acquire(), Outcome::HeldElsewhere);

    // A holder that died without a word.
    const QString dead = dir_.filePath(QStringLiteral("data/Dead.ini"));
    const pid_t pid = fork();
    if (pid == 0) {
        InstanceLock lock(dead);
        _exit(lock.Acquire() == Outcome::Owner ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    InstanceLock next(dead);
    ASSERT_TRUE(QFileInfo::exists(next.LockFilePath()));
    EXPECT_EQ(next.Acquire(), Outcome::Owner);
}

TEST_F(InstanceLockTest, ALaterStartAsksTheHolderToComeForward) {
    InstanceLock holder(ini_);
    ASSERT_EQ(holder.Acquire(), Outcome::Owner);
    int raised = 0;
    holder.OnRaiseRequest = [&raised] { ++raised; };
    InstanceLock later(ini_);
    ASSERT_EQ(later.Acquire(), Outcome::HeldElsewhere);
    EXPECT_TRUE(later.AskHolderToRaise());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised == 1; }, 5000));

    // Nobody to ask once the holder is gone.
    InstanceLock lone(dir_.filePath(QStringLiteral("data/Lone.ini")));
    EXPECT_FALSE(lone.AskHolderToRaise());
}

} // namespace
} // namespace pexor
