#include "platform/DynamicLibrary.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace pexor {
namespace {

TEST(DynamicLibrary, LoadsFindsAndFrees) {
    // The C library this test runs on, named by its full path.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void *>(&std::strlen), &info), 0);
    const LibraryHandle library = LoadLibrary(QFile::decodeName(info.dli_fname));
    ASSERT_NE(library, nullptr);
    EXPECT_NE(GetProcAddress(library, "strlen"), nullptr);
    EXPECT_EQ(GetProcAddress(library, "NoSuchExportAnywhere"), nullptr);
    EXPECT_EQ(GetProcAddress(library, nullptr), nullptr);
    EXPECT_TRUE(FreeLibrary(library));
}

TEST(DynamicLibrary, FailuresAnswerNull) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString text = dir.filePath(QStringLiteral("libtext.so"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text");
    file.close();

    EXPECT_EQ(LoadLibrary(QString()), nullptr);
    EXPECT_EQ(LoadLibrary(text), nullptr);
    EXPECT_EQ(LoadLibrary(dir.filePath(QStringLiteral("libmissing.so"))), nullptr);
    // A bare name is not looked up in the system's library paths.
    EXPECT_EQ(LoadLibrary(QStringLiteral("libc.so.6")), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "strlen"), nullptr);
    EXPECT_FALSE(FreeLibrary(nullptr));
}

} // namespace
} // namespace pexor
