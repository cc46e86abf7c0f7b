#include "platform/Registry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace pexor {
namespace {

void Touch(const QString &name) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(Registry, HelpViewerBesideTheProgramThenUnderThePrefix) {
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QString lib = prefix.filePath(QStringLiteral("lib/pexor"));
    ASSERT_TRUE(QDir().mkpath(bin));
    ASSERT_TRUE(QDir().mkpath(lib));
    const Registry registry(bin);
    EXPECT_EQ(registry.HelpViewerDirectories(), QStringList({bin, lib}));
    EXPECT_EQ(registry.HelpViewerLibrary(), std::nullopt);

    // Names that only look alike are not the viewer.
    Touch(lib + QStringLiteral("/libpexorhelper.so"));
    Touch(bin + QStringLiteral("/libpexorhelp.txt"));
    EXPECT_EQ(registry.HelpViewerLibrary(), std::nullopt);

    const QString multiarch = prefix.filePath(QStringLiteral("lib/x86_64-linux-gnu/pexor"));
    ASSERT_TRUE(QDir().mkpath(multiarch));
    ASSERT_TRUE(QDir().mkpath(prefix.filePath(QStringLiteral("lib/other"))));
    EXPECT_EQ(registry.HelpViewerDirectories(), QStringList({bin, lib, multiarch}));
    Touch(multiarch + QStringLiteral("/libpexorhelp.so.4.74.9273.0"));
    EXPECT_EQ(registry.HelpViewerLibrary(),
              multiarch + QStringLiteral("/libpexorhelp.so.4.74.9273.0"));

    Touch(lib + QStringLiteral("/libpexorhelp.so.4.74.9273.0"));
    EXPECT_EQ(registry.HelpViewerLibrary(), lib + QStringLiteral("/libpexorhelp.so.4.74.9273.0"));
    ASSERT_TRUE(QFile::link(QStringLiteral("libpexorhelp.so.4.74.9273.0"),
                            lib + QStringLiteral("/libpexorhelp.so")));
    EXPECT_EQ(registry.HelpViewerLibrary(), lib + QStringLiteral("/libpexorhelp.so"));

    Touch(bin + QStringLiteral("/libpexorhelp.so.4.74.8702.0"));
    EXPECT_EQ(registry.HelpViewerLibrary(), bin + QStringLiteral("/libpexorhelp.so.4.74.8702.0"));

    EXPECT_TRUE(Registry(QString()).HelpViewerDirectories().isEmpty());
}

TEST(Registry, FullNameFromThePasswordEntry) {
    EXPECT_EQ(FullNameFromGecos("Jean Dupont,Bureau 3,01 02 03 04 05,", "jean"),
              QStringLiteral("Jean Dupont"));
    EXPECT_EQ(FullNameFromGecos("Hélène Martin", "helene"), QStringLiteral("Hélène Martin"));
    EXPECT_EQ(FullNameFromGecos("& Durand,,,", "paul"), QStringLiteral("Paul Durand"));
    EXPECT_EQ(FullNameFromGecos(",,,", "paul"), QString());
    EXPECT_EQ(FullNameFromGecos("", "paul"), QString());
}

TEST(Registry, OwnerAndOrganization) {
    const passwd *entry = getpwuid(geteuid());
    ASSERT_NE(entry, nullptr);
    const QString expected =
        FullNameFromGecos(entry->pw_gecos ? entry->pw_gecos : "", entry->pw_name);
    const std::optional<QString> owner = Registry(QString()).RegisteredOwner();
    if (expected.isEmpty())
        EXPECT_EQ(owner, std::nullopt);
    else
        EXPECT_EQ(owner, expected);

    const QByteArray saved = qgetenv("ORGANIZATION");
    const bool had = qEnvironmentVariableIsSet("ORGANIZATION");
    qputenv("ORGANIZATION", "Cabinet médical des Tilleuls");
    EXPECT_EQ(Registry(QString()).RegisteredOrganization(),
              QStringLiteral("Cabinet médical des Tilleuls"));
    qputenv("ORGANIZATION", "");
    EXPECT_EQ(Registry(QString()).RegisteredOrganization(), std::nullopt);
    qunsetenv("ORGANIZATION");
    EXPECT_EQ(Registry(QString()).RegisteredOrganization(), std::nullopt);
    if (had)
        qputenv("ORGANIZATION", saved);
}

} // namespace
} // namespace pexor
