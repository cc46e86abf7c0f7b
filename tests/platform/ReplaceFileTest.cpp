#include "platform/ReplaceFile.h"

#include "tests/common/FileFaults.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace pexor {
namespace {

using test::DirectoryEntries;
using test::FileCall;
using test::FileFaults;

const QByteArray kOld = "[Notes]\r\nmedecin=Dr Martin\r\n[TP]\r\nTP1=70\r\n";
// Long enough to take more than one write once writes come up short.
const QByteArray kNew =
    "[Notes]\r\nmedecin=Dr Martin\r\n[TP]\r\nTP1=80\r\n" + QByteArray(5000, 'x') + "\r\n";

class ReplaceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("Pexor.ini"));
    }
    static void Put(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray Bytes(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString In(const char *name) const { return dir_.filePath(QString::fromUtf8(name)); }
    // The calls one save over the old file makes, counted by `faults`.
    int CallsOfOneSave(FileFaults &faults) const {
        Put(path_, kOld);
        faults.Reset();
        EXPECT_TRUE(ReplaceFile(path_, kNew));
        return faults.Calls();
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(ReplaceFileTest, TemporaryNamesFollowOnlyTheProgramsPattern) {
    const QString target = QStringLiteral("Pexor.ini");
    EXPECT_TRUE(IsReplaceTemporary(QStringLiteral(".Pexor.ini.pexor-tmp-aZ09xy"), target));
    for (const char *other :
         {".Pexor.ini.pexor-tmp-aZ09x", ".Pexor.ini.pexor-tmp-aZ09xyz",
          ".Pexor.ini.pexor-tmp-aZ0-xy", "Pexor.ini.pexor-tmp-aZ09xy",
          ".pexor.ini.pexor-tmp-aZ09xy", ".Other.ini.pexor-tmp-aZ09xy", "Pexor.ini.aZ09xy",
          ".Pexor.ini.pexor-tmp-\xC3\xA9Z09xy", "Pexor.ini"})
        EXPECT_FALSE(IsReplaceTemporary(QString::fromUtf8(other), target)) << other;
}

TEST_F(ReplaceFileTest, ReplacesTheContentKeepsPermissionsAndFollowsLinks) {
    Put(path_, kOld);
    ASSERT_EQ(chmod(QFile::encodeName(path_).constData(), 0640), 0);
    ASSERT_TRUE(ReplaceFile(path_, kNew));
    EXPECT_EQ(Bytes(path_), kNew);
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path_).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(DirectoryEntries(dir_.path()), QStringList{QStringLiteral("Pexor.ini")});

    const QString link = In("link.ini");
    ASSERT_TRUE(QFile::link(path_, link));
    ASSERT_TRUE(ReplaceFile(link, kOld));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Bytes(path_), kOld);

    // A new file, and an empty content.
    ASSERT_TRUE(ReplaceFile(In("new.ini"), QByteArray()));
    EXPECT_EQ(Bytes(In("new.ini")), QByteArray());
    EXPECT_FALSE(ReplaceFile(dir_.path(), kNew));
}

TEST_F(ReplaceFileTest, LeftoversOfAKilledSaveGoAndNothingElse) {
    Put(path_, kOld);
    const QStringList keep{QStringLiteral(".Other.ini.pexor-tmp-abcdef"),
                           QStringLiteral(".Pexor.ini.pexor-tmp-abcde"),
                           QStringLiteral("Pexor.ini.Ab12Cd"), QStringLiteral("notes.txt")};
    for (const QString &name : keep)
        Put(dir_.filePath(name), "keep");
    Put(In(".Pexor.ini.pexor-tmp-Ab12Cd"), kNew);
    Put(In(".Pexor.ini.pexor-tmp-000000"), kNew.left(10));
    // A directory of that name is not ours to remove.
    ASSERT_TRUE(QDir().mkdir(In(".Pexor.ini.pexor-tmp-dir000")));
    ASSERT_TRUE(ReplaceFile(path_, kNew));
    QStringList expected = keep;
    expected << QStringLiteral(".Pexor.ini.pexor-tmp-dir000") << QStringLiteral("Pexor.ini");
    expected.sort();
    EXPECT_EQ(DirectoryEntries(dir_.path()), expected);
    EXPECT_EQ(Bytes(path_), kNew);
}

// Each call of a save made to fail in turn: the old file stays byte for byte,
// no temporary is left, and the save says it failed.
TEST_F(ReplaceFileTest, AFailureAtAnyCallKeepsTheOldFile) {
    Put(path_, kOld);
    Put(In(".Pexor.ini.pexor-tmp-Ab12Cd"), "left by a killed save");
    FileFaults faults;
    ASSERT_TRUE(ReplaceFile(path_, kNew));
    const int calls = faults.Calls();
    const std::vector<FileCall> log = faults.Log();
    for (const FileCall kind :
         {FileCall::ListFiles, FileCall::Remove, FileCall::Open, FileCall::ChangeMode,
          FileCall::Write, FileCall::Sync, FileCall::Close, FileCall::Link, FileCall::Rename})
        EXPECT_NE(std::find(log.begin(), log.end(), kind), log.end()) << int(kind);
    EXPECT_EQ(std::count(log.begin(), log.end(), FileCall::Sync), 2) << "file and directory";

    for (const int error : {EIO, ENOSPC}) {
        for (int n = 1; n <= calls; ++n) {
            Put(path_, kOld);
            Put(In(".Pexor.ini.pexor-tmp-Ab12Cd"), "left by a killed save");
            const QStringList before = DirectoryEntries(dir_.path());
            faults.FailAt(n, error);
            EXPECT_FALSE(ReplaceFile(path_, kNew)) << "call " << n;
            EXPECT_EQ(errno, error) << "call " << n;
            EXPECT_EQ(Bytes(path_), kOld) << "call " << n;
            const QStringList after = DirectoryEntries(dir_.path());
            for (const QString &name : after)
                EXPECT_TRUE(before.contains(name)) << "call " << n << ' ' << name.toStdString();
        }
    }
}

TEST_F(ReplaceFileTest, AFailureAtAnyCallLeavesNoNewFile) {
    const QString deep = In("config/Pexor/Pexor.ini");
    FileFaults faults;
    ASSERT_TRUE(MakeDirectoryPath(QFileInfo(deep).absolutePath()));
    ASSERT_TRUE(ReplaceFile(deep, kNew));
    const int calls = faults.Calls();
    ASSERT_TRUE(QDir(In("config")).removeRecursively());
    for (int n = 1; n <= calls; ++n) {
        faults.FailAt(n, EIO);
        const bool saved =
            MakeDirectoryPath(QFileInfo(deep).absolutePath()) && ReplaceFile(deep, kNew);
        EXPECT_FALSE(saved) << "call " << n;
        EXPECT_FALSE(QFileInfo::exists(deep)) << "call " << n;
        if (QFileInfo::exists(In("config/Pexor"))) {
            EXPECT_EQ(DirectoryEntries(In("config/Pexor")), QStringList()) << "call " << n;
        }
        ASSERT_TRUE(QDir(In("config")).removeRecursively() || !QFileInfo::exists(In("config")));
    }
}

TEST_F(ReplaceFileTest, InterruptedCallsAndShortWritesStillSaveEverything) {
    FileFaults faults;
    const int calls = CallsOfOneSave(faults);
    for (int n = 1; n <= calls; ++n) {
        Put(path_, kOld);
        faults.FailAt(n, EINTR);
        EXPECT_TRUE(ReplaceFile(path_, kNew)) << "call " << n;
        EXPECT_EQ(Bytes(path_), kNew) << "call " << n;
        faults.ShortWriteAt(n);
        Put(path_, kOld);
        EXPECT_TRUE(ReplaceFile(path_, kNew)) << "call " << n;
        EXPECT_EQ(Bytes(path_), kNew) << "call " << n;
        EXPECT_EQ(DirectoryEntries(dir_.path()), QStringList{QStringLiteral("Pexor.ini")});
    }
}

TEST_F(ReplaceFileTest, FileSystemsWithoutHardLinksOrDirectorySyncStillSave) {
    FileFaults faults;
    CallsOfOneSave(faults);
    const std::vector<FileCall> log = faults.Log();
    const int link = int(std::find(log.begin(), log.end(), FileCall::Link) - log.begin()) + 1;
    const int directorySync =
        int(std::find(log.begin() + link, log.end(), FileCall::Sync) - log.begin()) + 1;
    for (const auto &[n, error] : {std::pair{link, EPERM}, std::pair{directorySync, EINVAL}}) {
        Put(path_, kOld);
        faults.FailAt(n, error);
        EXPECT_TRUE(ReplaceFile(path_, kNew)) << n;
        EXPECT_EQ(Bytes(path_), kNew);
        EXPECT_EQ(DirectoryEntries(dir_.path()), QStringList{QStringLiteral("Pexor.ini")});
    }
}

// A disk that stops answering for good: the save fails, and the next one,
// once the disk is back, clears what the first could not.
TEST_F(ReplaceFileTest, TheNextSaveClearsWhatAFailedOneCouldNot) {
    FileFaults faults;
    const int calls = CallsOfOneSave(faults);
    for (int n = 1; n <= calls; ++n) {
        Put(path_, kOld);
        faults.FailAt(n, EIO, true);
        EXPECT_FALSE(ReplaceFile(path_, kNew)) << "call " << n;
        const QByteArray left = Bytes(path_);
        EXPECT_TRUE(left == kOld || left == kNew) << "call " << n;
        faults.Reset();
        ASSERT_TRUE(ReplaceFile(path_, kNew)) << "call " << n;
        EXPECT_EQ(DirectoryEntries(dir_.path()), QStringList{QStringLiteral("Pexor.ini")})
            << "call " << n;
    }
}

} // namespace
} // namespace pexor
