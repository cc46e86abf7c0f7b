// Every seed and every input a fuzz target ever failed on, replayed through
// its check in the ordinary build.
#include "fuzz/FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace pexor::fuzz {
namespace {

const QString kFuzzDir = QStringLiteral(PEXOR_FUZZ_DIR);

QStringList InputsIn(const QString &folder) {
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

class FuzzInputs : public ::testing::TestWithParam<FuzzTarget> {};

} // namespace

// A failure names its target.
void PrintTo(const FuzzTarget &target, std::ostream *os) {
    *os << target.Name;
}

namespace {

TEST_P(FuzzInputs, KeepEveryProperty) {
    const FuzzTarget &target = GetParam();
    const QString name = QString::fromLatin1(target.Name);
    const QStringList seeds = InputsIn(kFuzzDir + QStringLiteral("/corpus/") + name);
    EXPECT_FALSE(seeds.isEmpty()) << "no seeds for " << target.Name;
    const QStringList inputs = seeds + InputsIn(kFuzzDir + QStringLiteral("/crashes/") + name);
    for (const QString &path : inputs) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_EQ(RunFuzzTarget(target, file.readAll()), Finding()) << path.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzInputs, ::testing::ValuesIn(FuzzTargets()),
                         [](const auto &info) { return std::string(info.param.Name); });

// A folder of seeds without a check, or a crash folder of no target, would
// never be run.
TEST(FuzzFolders, EachBelongsToATarget) {
    for (const char *kind : {"corpus", "crashes"}) {
        const QDir dir(kFuzzDir + u'/' + QString::fromLatin1(kind));
        for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            EXPECT_NE(FindFuzzTarget(name.toStdString()), nullptr)
                << kind << '/' << name.toStdString();
    }
}

} // namespace
} // namespace pexor::fuzz
