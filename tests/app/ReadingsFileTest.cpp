#include "app/ReadingsFile.h"

#include "app/ReadingsEntry.h"
#include "app/ReadingsTable.h"
#include "chart/series/ChartSeries.h"
#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"
#include "tests/common/EnvGuard.h"
#include "tests/common/FileFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace pexor {
namespace {

using test::EnvGuard;

// The thirty key lines of a save, each value taken from `value(section, n)`.
template <typename F> QByteArray Sections(F value) {
    QByteArray out;
    using Names = std::pair<const char *, const char *>;
    for (const auto &[section, prefix] :
         {Names{"Dates", "Date"}, Names{"TP", "TP"}, Names{"INR", "INR"}}) {
        out += QByteArray("[") + section + "]\r\n";
        for (int n = 1; n <= 10; ++n)
            out += prefix + QByteArray::number(n) + "=" + value(QByteArray(section), n) + "\r\n";
    }
    return out;
}

QByteArray EmptySections() {
    return Sections([](const QByteArray &, int) { return QByteArray(); });
}

// What a child process reported, and how it ended (-1: killed).
struct ChildResult {
    int Code = -1;
    std::string Report;
};

ChildResult RunInChild(const std::function<int(std::string &)> &body) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(channel[0]);
        std::string report;
        const int code = body(report);
        const ssize_t sent = write(channel[1], report.data(), report.size());
        _exit(sent == ssize_t(report.size()) ? code : 99);
    }
    close(channel[1]);
    ChildResult result;
    char buffer[4096];
    ssize_t got;
    while ((got = read(channel[0], buffer, sizeof buffer)) > 0)
        result.Report.append(buffer, std::size_t(got));
    close(channel[0]);
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        result.Code = WEXITSTATUS(status);
    return result;
}

constexpr int kCannotMount = 77;

bool WriteProcFile(const char *path, const std::string &text) {
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = write(fd, text.data(), text.size()) == ssize_t(text.size());
    close(fd);
    return ok;
}

// A 64 KiB tmpfs over `where`, seen by this process alone: as root in a
// mount namespace of its own, otherwise in a user namespace when the system
// allows them.
bool MountSmallTmpfs(const QString &where, std::string &why) {
    if (unshare(CLONE_NEWNS) != 0) {
        const std::string uid = std::to_string(getuid());
        const std::string gid = std::to_string(getgid());
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            why = std::string("unshare: ") + std::strerror(errno);
            return false;
        }
        if (!WriteProcFile("/proc/self/setgroups", "deny") ||
            !WriteProcFile("/proc/self/uid_map", "0 " + uid + " 1") ||
            !WriteProcFile("/proc/self/gid_map", "0 " + gid + " 1")) {
            why = "user namespace mapping refused";
            return false;
        }
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("pexor-test", QFile::encodeName(where).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
              "size=64k") != 0) {
        why = std::string("mount: ") + std::strerror(errno);
        return false;
    }
    return true;
}

bool WriteWhole(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

class ReadingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("Pexor.ini"));
        table_.SetHeader();
    }
    void TearDown() override {
        // Give back what a test locked, so the temporary directory goes.
        chmod(QFile::encodeName(dir_.path()).constData(), 0700);
        chmod(QFile::encodeName(path_).constData(), 0600);
        for (const QString &d : locked_)
            chmod(QFile::encodeName(d).constData(), 0700);
    }
    static void Put(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void Put(const QByteArray &bytes) const { Put(path_, bytes); }
    static QByteArray Bytes(const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QByteArray Bytes() const { return Bytes(path_); }
    void Lock(const QString &path, mode_t mode) {
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), mode), 0);
        locked_ << path;
    }
    static bool IsRoot() { return geteuid() == 0; }
    QString SaveError(const QString &path) const {
        try {
            SauveOptions(table_, path);
        } catch (const EFileError &e) {
            return e.Message();
        }
        return QStringLiteral("no error");
    }
    static QString WriteError(const QString &path) {
        return QStringLiteral("Impossible d'écrire dans ") + path;
    }
    // A readings file of some four hundred bytes, with a section of the user's.
    static QByteArray OldReadings() {
        return "[Notes]\r\nmedecin=Dr Martin\r\n" + Sections([](const QByteArray &section, int n) {
                   return section == "Dates" ? QByteArray::number(n) + "/01/2026"
                                             : QByteArray::number(60 + n);
               });
    }
    void FillTable() {
        for (int r = 1; r <= 10; ++r) {
            table_.SetCells(0, r, QStringLiteral("%1/02/2026").arg(r + 10));
            table_.SetCells(1, r, QString::number(70 + r));
            table_.SetCells(2, r, QStringLiteral("2,%1").arg(r % 10));
        }
    }

    QTemporaryDir dir_;
    QString path_;
    QStringList locked_;
    ReadingsTable table_;
};

TEST_F(ReadingsFileTest, NoFileLoadsEmptyAndFirstSaveWritesAllThirtyKeys) {
    table_.SetCells(1, 4, QStringLiteral("stale"));
    ChargeOptions(table_, path_);
    for (int c = 0; c < 3; ++c)
        for (int r = 1; r <= 10; ++r)
            EXPECT_EQ(table_.Cells(c, r), QString()) << c << ' ' << r;
    EXPECT_EQ(table_.Cells(0, 0), QStringLiteral("DATE"));
    EXPECT_EQ(Bytes(), QByteArray("<missing>"));

    SauveOptions(table_, path_);
    EXPECT_EQ(Bytes(), EmptySections());
}

TEST_F(ReadingsFileTest, SavesRowFourAloneAndReadsItBack) {
    table_.SetCells(0, 4, QStringLiteral("05/03/2002"));
    table_.SetCells(1, 4, QStringLiteral("85"));
    table_.SetCells(2, 4, QStringLiteral("1,2"));
    SauveOptions(table_, path_);
    EXPECT_EQ(Bytes(), Sections([](const QByteArray &section, int n) {
                  if (n != 4)
                      return QByteArray();
                  return section == "Dates" ? QByteArray("05/03/2002")
                         : section == "TP"  ? QByteArray("85")
                                            : QByteArray("1,2");
              }));

    ReadingsTable loaded;
    ChargeOptions(loaded, path_);
    for (int c = 0; c < 3; ++c)
        for (int r = 1; r <= 10; ++r)
            EXPECT_EQ(loaded.Cells(c, r), table_.Cells(c, r)) << c << ' ' << r;
}

TEST_F(ReadingsFileTest, LoadsThirtyValuesInFileOrderEachAtOnce) {
    Put(Sections(
        [](const QByteArray &section, int n) { return section.left(1) + QByteArray::number(n); }));
    std::vector<std::pair<int, int>> writes;
    table_.OnChange = [&](ReadingsTable &t, int col, int row) {
        // Each cell holds its value as soon as it is announced.
        EXPECT_EQ(t.Cells(col, row), QString(QChar(u"DTI"[col])) + QString::number(row));
        writes.emplace_back(col, row);
    };
    ChargeOptions(table_, path_);
    std::vector<std::pair<int, int>> expected;
    for (int c = 0; c < 3; ++c)
        for (int r = 1; r <= 10; ++r)
            expected.emplace_back(c, r);
    EXPECT_EQ(writes, expected);
}

TEST_F(ReadingsFileTest, LoadIgnoresCaseBlanksQuotesAndUnknownKeys) {
    Put("; notes\r\n[tp]\r\ntp3=77\r\n\r\n  [ DATES ] \r\n DATE3 =  \"05/03/2002\" \r\n"
        "[TP]\r\nTP11=12\r\nTP0=13\n[INR]\nINR3='1,2'\n");
    ChargeOptions(table_, path_);
    EXPECT_EQ(table_.Cells(1, 3), QStringLiteral("77"));
    EXPECT_EQ(table_.Cells(0, 3), QStringLiteral("05/03/2002"));
    EXPECT_EQ(table_.Cells(2, 3), QStringLiteral("1,2"));
    EXPECT_EQ(table_.Cells(1, 0), QStringLiteral("TP"));
    for (int r = 1; r <= 10; ++r) {
        if (r != 3) {
            EXPECT_EQ(table_.Cells(1, r), QString()) << r;
        }
    }
}

TEST_F(ReadingsFileTest, LoadCutsLongValuesAndReadsOldCodePage) {
    Put("[INR]\r\nINR1=" + QByteArray(3000, 'a') + "\r\n[Dates]\r\nDate1=f\xe9vrier\r\n");
    ChargeOptions(table_, path_);
    EXPECT_EQ(table_.Cells(2, 1), QString(2047, u'a'));
    EXPECT_EQ(table_.Cells(0, 1), QStringLiteral("février"));
}

TEST_F(ReadingsFileTest, SaveKeepsOtherSectionsAheadAndDropsUnknownKeys) {
    Put("[INR]\r\nINR1=9\r\n[Notes]\r\nmedecin=Dr Martin\r\n\r\n[tp]\r\nTP1=50\r\nTP11=3\r\n"
        "[Dates]\r\nDate10=x\r\nDate1=y\r\n");
    ChargeOptions(table_, path_);
    EXPECT_EQ(table_.Cells(1, 1), QStringLiteral("50"));
    table_.SetCells(1, 2, QStringLiteral("60"));
    SauveOptions(table_, path_);
    EXPECT_EQ(Bytes(), "[Notes]\r\nmedecin=Dr Martin\r\n\r\n" +
                           Sections([](const QByteArray &section, int n) {
                               if (section == "INR")
                                   return QByteArray(n == 1 ? "9" : "");
                               if (section == "TP")
                                   return QByteArray(n == 1 ? "50" : n == 2 ? "60" : "");
                               return QByteArray(n == 1 ? "y" : n == 10 ? "x" : "");
                           }));
}

TEST_F(ReadingsFileTest, FailedSaveReportsPathAndLeavesFileAlone) {
    const QByteArray old = "[Notes]\r\na=1\r\n[TP]\r\nTP1=70\r\n";
    table_.SetCells(1, 1, QStringLiteral("80"));

    // A read-only file stays read-only, whoever the user is.
    Put(old);
    Lock(path_, 0444);
    EXPECT_EQ(SaveError(path_), WriteError(path_));
    EXPECT_EQ(Bytes(), old);

    // A regular file standing where the directory should be.
    const QString blocker = dir_.filePath(QStringLiteral("bloc"));
    Put(blocker, old);
    const QString under = blocker + QStringLiteral("/Pexor.ini");
    EXPECT_EQ(SaveError(under), WriteError(under));
    EXPECT_EQ(Bytes(blocker), old);

    // A directory standing where the file should be.
    const QString asDir = dir_.filePath(QStringLiteral("sub/Pexor.ini"));
    ASSERT_TRUE(QDir().mkpath(asDir));
    EXPECT_EQ(SaveError(asDir), WriteError(asDir));
    EXPECT_TRUE(QFileInfo(asDir).isDir());

    // A cell the file cannot hold on one line.
    const QString good = dir_.filePath(QStringLiteral("good.ini"));
    Put(good, old);
    table_.SetCells(2, 5, QStringLiteral("1\r\n[Dates]"));
    EXPECT_EQ(SaveError(good), WriteError(good));
    EXPECT_EQ(Bytes(good), old);
}

TEST_F(ReadingsFileTest, CrOnlyAndCrCrLfFilesLoadAndKeepOtherSections) {
    table_.OnChange = [](ReadingsTable &t, int col, int row) {
        EXPECT_FALSE(t.Cells(col, row).contains(u'\r')) << col << ' ' << row;
    };
    const auto value = [](const QByteArray &section, int n) {
        if (n != 1)
            return QByteArray();
        return section == "Dates" ? QByteArray("01/02/2026")
               : section == "TP"  ? QByteArray("70")
                                  : QByteArray("2,5");
    };
    for (const QByteArray &end : {QByteArray("\r"), QByteArray("\r\r\n")}) {
        QByteArray notes = "[Notes]" + end + "medecin=Dr Martin" + end;
        Put(notes + "[Dates]" + end + "Date1=01/02/2026" + end + "[TP]" + end + "TP1=70" + end +
            "[INR]" + end + "INR1=2,5" + end);
        ChargeOptions(table_, path_);
        EXPECT_EQ(table_.Cells(0, 1), QStringLiteral("01/02/2026"));
        EXPECT_EQ(table_.Cells(1, 1), QStringLiteral("70"));
        EXPECT_EQ(table_.Cells(2, 1), QStringLiteral("2,5"));
        SauveOptions(table_, path_);
        EXPECT_EQ(Bytes(), notes + Sections(value));
        // And again, from what the save wrote.
        SauveOptions(table_, path_);
        EXPECT_EQ(Bytes(), notes + Sections(value));
    }
}

// Each call of the save fails in turn: the save reports it with the path,
// the old file stays byte for byte and no temporary is left.
TEST_F(ReadingsFileTest, AFailureAtAnyStepOfTheSaveKeepsTheOldFile) {
    const QByteArray old =
        "[Notes]\r\nmedecin=Dr Martin\r\n" +
        Sections([](const QByteArray &, int n) { return QByteArray::number(n); });
    table_.SetCells(1, 1, QStringLiteral("80"));
    Put(old);
    test::FileFaults faults;
    SauveOptions(table_, path_);
    const int calls = faults.Calls();
    EXPECT_GE(calls, 11);
    for (int n = 1; n <= calls; ++n) {
        Put(old);
        faults.FailAt(n, n % 2 ? EIO : ENOSPC);
        EXPECT_EQ(SaveError(path_), WriteError(path_)) << "call " << n;
        EXPECT_EQ(Bytes(), old) << "call " << n;
        EXPECT_EQ(test::DirectoryEntries(dir_.path()), QStringList{QStringLiteral("Pexor.ini")})
            << "call " << n;
    }
    faults.Reset();
    SauveOptions(table_, path_);
    ReadingsTable loaded;
    ChargeOptions(loaded, path_);
    EXPECT_EQ(loaded.Cells(1, 1), QStringLiteral("80"));
}

// Real faults, made in a child process so that limits and mounts stay there.
TEST_F(ReadingsFileTest, AFileSizeLimitFailsTheSaveAndKeepsTheOldFile) {
    const QByteArray old = OldReadings();
    FillTable();
    for (const rlim_t limit : {rlim_t(0), rlim_t(100)}) {
        Put(old);
        const ChildResult child = RunInChild([&](std::string &report) {
            // Without this the limit would kill the process rather than fail the write.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit cap{limit, limit};
            if (setrlimit(RLIMIT_FSIZE, &cap) != 0)
                return 1;
            report = SaveError(path_).toStdString();
            return 0;
        });
        EXPECT_EQ(child.Code, 0) << limit;
        EXPECT_EQ(child.Report, WriteError(path_).toStdString()) << limit;
        EXPECT_EQ(Bytes(), old) << limit;
        EXPECT_EQ(test::DirectoryEntries(dir_.path()), QStringList{QStringLiteral("Pexor.ini")});
    }
}

TEST_F(ReadingsFileTest, AFullFileSystemFailsTheSaveAndKeepsTheOldFile) {
    const QByteArray old = OldReadings();
    FillTable();
    const QString disk = dir_.filePath(QStringLiteral("disk"));
    ASSERT_TRUE(QDir().mkdir(disk));
    const QString path = disk + QStringLiteral("/Pexor.ini");
    const ChildResult child = RunInChild([&](std::string &report) {
        if (!MountSmallTmpfs(disk, report))
            return kCannotMount;
        if (!WriteWhole(path, old))
            return 1;
        // Fill what is left, then save.
        const QString filler = disk + QStringLiteral("/filler");
        QFile fill(filler);
        if (!fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return 2;
        while (fill.write(QByteArray(4096, 'f')) > 0) {
        }
        fill.close();
        report = SaveError(path).toStdString();
        if (report != WriteError(path).toStdString())
            return 3;
        if (Bytes(path) != old) {
            report = "the old file changed: " + Bytes(path).toStdString();
            return 4;
        }
        const QStringList entries = test::DirectoryEntries(disk);
        if (entries != QStringList{QStringLiteral("Pexor.ini"), QStringLiteral("filler")}) {
            report = "left behind: " + entries.join(u' ').toStdString();
            return 5;
        }
        // Room again: the same save goes through.
        QFile::remove(filler);
        report = SaveError(path).toStdString();
        return report == "no error" ? 0 : 6;
    });
    if (child.Code == kCannotMount)
        GTEST_SKIP() << "no small file system can be mounted here to fill: " << child.Report;
    EXPECT_EQ(child.Code, 0) << child.Report;
}

TEST_F(ReadingsFileTest, ReadOnlyDirectoryRefusesSaveWhenNotRoot) {
    if (IsRoot())
        GTEST_SKIP() << "permission bits do not stop root";
    const QByteArray old = "[TP]\r\nTP1=70\r\n";
    Put(old);
    Lock(dir_.path(), 0555);
    EXPECT_EQ(SaveError(path_), WriteError(path_));
    EXPECT_EQ(Bytes(), old);
}

TEST_F(ReadingsFileTest, UnreadableFileIsNotReplacedWhenNotRoot) {
    if (IsRoot())
        GTEST_SKIP() << "permission bits do not stop root";
    const QByteArray old = "[Notes]\r\na=1\r\n";
    Put(old);
    Lock(path_, 0200);
    ChargeOptions(table_, path_);
    EXPECT_EQ(table_.Cells(0, 1), QString());
    EXPECT_EQ(SaveError(path_), WriteError(path_));
    Lock(path_, 0600);
    EXPECT_EQ(Bytes(), old);
}

TEST_F(ReadingsFileTest, SaveMakesTheMissingDirectory) {
    const QString deep = dir_.filePath(QStringLiteral("config/Pexor/Pexor.ini"));
    SauveOptions(table_, deep);
    EXPECT_EQ(Bytes(deep), EmptySections());
}

TEST_F(ReadingsFileTest, FileLivesBesideAWritableProgram) {
    EXPECT_EQ(ReadingsFilePathFor(dir_.path()), path_);
    EXPECT_EQ(ReadingsFilePathFor(dir_.path() + u'/'), path_);
}

TEST_F(ReadingsFileTest, FileGoesToUserConfigWhenProgramDirectoryIsReadOnly) {
    const QString config = dir_.filePath(QStringLiteral("xdg"));
    const EnvGuard xdg("XDG_CONFIG_HOME", QFile::encodeName(config));
    const QString program = dir_.filePath(QStringLiteral("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(program));
    Lock(program, 0555);
    EXPECT_EQ(ReadingsFilePathFor(program), config + QStringLiteral("/Pexor/Pexor.ini"));

    // A file already there is used all the same.
    Lock(program, 0755);
    Put(program + QStringLiteral("/Pexor.ini"), "[TP]\r\n");
    Lock(program, 0555);
    EXPECT_EQ(ReadingsFilePathFor(program), program + QStringLiteral("/Pexor.ini"));
}

TEST_F(ReadingsFileTest, UserConfigPathFollowsXdgThenHome) {
    const EnvGuard home("HOME", QFile::encodeName(dir_.path()));
    {
        const EnvGuard xdg("XDG_CONFIG_HOME", "/srv/conf");
        EXPECT_EQ(UserReadingsFilePath(), QStringLiteral("/srv/conf/Pexor/Pexor.ini"));
    }
    {
        const EnvGuard xdg("XDG_CONFIG_HOME", "relative/conf");
        EXPECT_EQ(UserReadingsFilePath(), dir_.path() + QStringLiteral("/.config/Pexor/Pexor.ini"));
    }
    {
        const EnvGuard xdg("XDG_CONFIG_HOME", "");
        EXPECT_EQ(UserReadingsFilePath(), dir_.path() + QStringLiteral("/.config/Pexor/Pexor.ini"));
    }
}

TEST_F(ReadingsFileTest, StartSequenceAndConfirmedQuitOnTheRealFile) {
    SetLocaleSettings(LocaleSettings::French());
    Put("[Dates]\r\nDate1=01/02/2003\r\nDate2=08/02/2003\r\nDate4=22/02/2003\r\n"
        "[TP]\r\nTP1=30\r\nTP2=35\r\nTP4=33\r\n[INR]\r\nINR1=2,8\r\n");
    ReadingsTable table;
    TChartSeries series;
    ReadingsEntry entry(table, series);
    table.SetHeader();
    ChargeOptions(table, path_);
    entry.RebuildCurve();
    ASSERT_EQ(series.Count(), 3);
    EXPECT_EQ(series.PointLabel(2), QStringLiteral("22/02/2003"));
    EXPECT_EQ(series.YValue(2), 33.0);

    entry.CommitReading(QStringLiteral("3"), QStringLiteral("31"), QStringLiteral("3,1"),
                        MakeDate(2003, 2, 15));
    SauveOptions(table, path_);
    ReadingsTable again;
    ChargeOptions(again, path_);
    EXPECT_EQ(again.Cells(0, 3), QStringLiteral("15/02/2003"));
    EXPECT_EQ(again.Cells(1, 3), QStringLiteral("31"));
    EXPECT_EQ(again.Cells(2, 3), QStringLiteral("3,1"));
    EXPECT_EQ(again.Cells(2, 1), QStringLiteral("2,8"));

    entry.ClearReadings();
    SauveOptions(table, path_);
    EXPECT_EQ(Bytes(), EmptySections());
    ReloadLocaleSettings();
}

} // namespace
} // namespace pexor
