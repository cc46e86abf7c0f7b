#include "platform/FileVersion.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pexor {
namespace {

TEST(FileVersion, FromTheNumbersAfterSo) {
    EXPECT_EQ(FileVersionFromName(QStringLiteral("libpexorhelp.so.4.74.9273.0")),
              (FileVersion{4, 74, 9273, 0}));
    EXPECT_EQ(FileVersionFromName(QStringLiteral("libx.so.65535.0.0.1")),
              (FileVersion{65535, 0, 0, 1}));
    for (const char *name : {"libpexorhelp.so", "libpexorhelp.so.4", "libx.so.1.2.3",
                             "libx.so.1.2.3.4.5", "libx.so.1.2.65536.0", "libx.so.1.2.x.0",
                             "libx.so.1..3.4", "notes.txt", "libx.so.-1.2.3.4", "libx.so.+1.2.3.4"})
        EXPECT_EQ(FileVersionFromName(QString::fromLatin1(name)), std::nullopt) << name;
    EXPECT_EQ((FileVersion{4, 74, 9273, 0}).ToString(), QStringLiteral("4.74.9273.0"));
    EXPECT_LT((FileVersion{4, 73, 65535, 0}), (FileVersion{4, 74, 0, 0}));
}

TEST(FileVersion, ReadsTheRealFileBehindLinks) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString real = dir.filePath(QStringLiteral("libpexorhelp.so.4.74.9273.0"));
    QFile file(real);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString link = dir.filePath(QStringLiteral("libpexorhelp.so"));
    ASSERT_TRUE(QFile::link(QStringLiteral("libpexorhelp.so.4.74.9273.0"), link));
    EXPECT_EQ(ReadFileVersion(real), (FileVersion{4, 74, 9273, 0}));
    EXPECT_EQ(ReadFileVersion(link), (FileVersion{4, 74, 9273, 0}));

    // A link named like a version says nothing about a file without one.
    const QString plain = dir.filePath(QStringLiteral("plain"));
    QFile plainFile(plain);
    ASSERT_TRUE(plainFile.open(QIODevice::WriteOnly));
    plainFile.close();
    ASSERT_TRUE(QFile::link(plain, dir.filePath(QStringLiteral("libfake.so.1.2.3.4"))));
    EXPECT_EQ(ReadFileVersion(dir.filePath(QStringLiteral("libfake.so.1.2.3.4"))), std::nullopt);

    EXPECT_EQ(ReadFileVersion(QString()), std::nullopt);
    EXPECT_EQ(ReadFileVersion(dir.filePath(QStringLiteral("libgone.so.1.2.3.4"))), std::nullopt);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("libdir.so.1.2.3.4")));
    EXPECT_EQ(ReadFileVersion(dir.filePath(QStringLiteral("libdir.so.1.2.3.4"))), std::nullopt);
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("nowhere")),
                            dir.filePath(QStringLiteral("libdead.so"))));
    EXPECT_EQ(ReadFileVersion(dir.filePath(QStringLiteral("libdead.so"))), std::nullopt);
}

} // namespace
} // namespace pexor
