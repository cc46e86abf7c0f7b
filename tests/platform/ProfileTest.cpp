#include "platform/Profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace pexor {
namespace {

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("Pexor.ini"));
    }
    void TearDown() override {
        // Let QTemporaryDir clean up whatever a test locked.
        chmod(QFile::encodeName(dir_.path()).constData(), 0700);
        chmod(QFile::encodeName(path_).constData(), 0600);
    }
    void Put(const QByteArray &bytes) const { Put(path_, bytes); }
    static void Put(const QString &path, const QByteArray &bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray Bytes() const {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString Read(const char *section, const char *key, const QString &def = QString()) const {
        return Profile::ReadString(path_, QString::fromUtf8(section), QString::fromUtf8(key), def);
    }
    bool Write(const char *section, const char *key, const QString &value) const {
        return Profile::WriteString(path_, QString::fromUtf8(section), QString::fromUtf8(key),
                                    value);
    }
    static bool IsRoot() { return geteuid() == 0; }

    QTemporaryDir dir_;
    QString path_;
};

TEST_F(ProfileTest, MissingFileSectionOrKeyReadsTheDefault) {
    EXPECT_EQ(Read("Dates", "Date1"), QString());
    EXPECT_EQ(Read("Dates", "Date1", QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_EQ(Bytes(), QByteArray("<missing>"));
    Put("[TP]\r\nTP1=12\r\n");
    EXPECT_EQ(Read("Dates", "TP1", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(Read("TP", "TP2", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(Read("TP", "TP1", QStringLiteral("d")), QStringLiteral("12"));
    // Keys ahead of any section belong to none.
    Put("TP1=5\r\n[TP]\r\n");
    EXPECT_EQ(Read("TP", "TP1", QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(ProfileTest, LookupsIgnoreCaseAndValuesLoseBlanksAndOneQuotePair) {
    Put("  [tp]  \r\n"
        "tp3=77\r\n"
        " k1 =  abc  \r\n"
        "k2= \"x y\" \r\n"
        "k3='q'\r\n"
        "k4=\"mixed'\r\n"
        "k5=\"\"\r\n"
        "k6=\"\r\n"
        "k7=\t tab\t\r\n"
        "k8=''inner''\r\n"
        "k9=a=b;[c]\r\n"
        "no equals sign here\r\n"
        "; k10=comment\r\n");
    EXPECT_EQ(Read("TP", "TP3"), QStringLiteral("77"));
    EXPECT_EQ(Read("Tp", "K1"), QStringLiteral("abc"));
    EXPECT_EQ(Read("tp", "k2"), QStringLiteral("x y"));
    EXPECT_EQ(Read("tp", "k3"), QStringLiteral("q"));
    EXPECT_EQ(Read("tp", "k4"), QStringLiteral("\"mixed'"));
    EXPECT_EQ(Read("tp", "k5", QStringLiteral("d")), QString());
    EXPECT_EQ(Read("tp", "k6"), QStringLiteral("\""));
    EXPECT_EQ(Read("tp", "k7"), QStringLiteral("tab"));
    EXPECT_EQ(Read("tp", "k8"), QStringLiteral("'inner'"));
    EXPECT_EQ(Read("tp", "k9"), QStringLiteral("a=b;[c]"));
    EXPECT_EQ(Read("tp", "k10", QStringLiteral("d")), QStringLiteral("d"));
}

TEST_F(ProfileTest, LongValuesAreCutTo2047Characters) {
    Put("[S]\r\nk=" + QByteArray(3000, 'v') + "\r\n");
    EXPECT_EQ(Read("S", "k"), QString(2047, u'v'));
    EXPECT_EQ(Read("S", "none", QString(3000, u'd')), QString(2047, u'd'));
    // A character outside the basic plane is not split in two.
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    Put("[S]\r\nk=" + QString(QString(2046, u'a') + smile).toUtf8() + "\r\n");
    EXPECT_EQ(Read("S", "k"), QString(2046, u'a'));
}

TEST_F(ProfileTest, ReadsUtf8WithBomAndOtherBytesAsWindows1252) {
    Put("\xEF\xBB\xBF[Notes]\r\n"
        "utf=\xC3\xA9t\xC3\xA9\r\n"
        "ansi=\xE9t\xE9 \x80 \x9C\x81\r\n");
    EXPECT_EQ(Read("Notes", "utf"), QString::fromUtf8("été"));
    EXPECT_EQ(Read("Notes", "ansi"), QString::fromUtf8("été € œ\xC2\x81"));
}

TEST_F(ProfileTest, CrLfLfAndALoneCrEachEndALine) {
    Put("[Notes]\rn=1\r[TP]\rTP1=70\r\rTP2=75\n[INR]\r\nINR1=2,5\r\r\nINR2=3\r");
    EXPECT_EQ(Read("Notes", "n"), QStringLiteral("1"));
    EXPECT_EQ(Read("TP", "TP1"), QStringLiteral("70"));
    EXPECT_EQ(Read("TP", "TP2"), QStringLiteral("75"));
    EXPECT_EQ(Read("INR", "INR1"), QStringLiteral("2,5"));
    EXPECT_EQ(Read("INR", "INR2"), QStringLiteral("3"));
    // Lines not edited keep their bytes, line ends included.
    ASSERT_TRUE(Profile::EraseSection(path_, QStringLiteral("TP")));
    EXPECT_EQ(Bytes(), QByteArray("[Notes]\rn=1\r[INR]\r\nINR1=2,5\r\r\nINR2=3\r"));
    ASSERT_TRUE(Write("INR", "INR1", QStringLiteral("2")));
    ASSERT_TRUE(Write("Notes", "m", QStringLiteral("x")));
    EXPECT_EQ(Bytes(), QByteArray("[Notes]\rn=1\rm=x\r\n[INR]\r\nINR1=2\r\n\r\nINR2=3\r"));
}

TEST_F(ProfileTest, TwoByteOrderMarksKeepTheirMeaningThroughSaves) {
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray file = bom + bom + "[A]\r\nk=1\r\n[B]\r\nk=2\r\n";
    Put(file);
    const QString first = Read("A", "k", QStringLiteral("none"));
    for (int save = 0; save < 3; ++save) {
        ASSERT_TRUE(Write("B", "k", QString::number(save)));
        EXPECT_EQ(Read("A", "k", QStringLiteral("none")), first) << save;
        EXPECT_TRUE(Bytes().startsWith(bom + bom + "[A]\r\nk=1\r\n")) << save;
    }
    // One mark is the file's own and need not be written again.
    Put(bom + "[A]\r\nk=1\r\n");
    ASSERT_TRUE(Write("B", "k", QStringLiteral("2")));
    EXPECT_EQ(Bytes(), QByteArray("[A]\r\nk=1\r\n[B]\r\nk=2\r\n"));
}

// Whatever the bytes, an edit changes nothing that other sections read, and
// no value read keeps a CR.
TEST_F(ProfileTest, EditsNeverChangeWhatOtherLinesMean) {
    const QByteArray pieces[] = {
        "\r", "\n", "\r\n", "\xEF\xBB\xBF", "[",   "]",   "=",  "a",  "A",
        " ",  "\"", ";",    "\xE9",         "[a]", "[b]", "a=", "b=", "\t"};
    const QStringList names{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("")};
    std::mt19937 random(15);
    const auto readAll = [&](const ProfileDocument &doc) {
        QStringList values;
        for (const QString &section : {QStringLiteral("a"), QStringLiteral("A ")})
            for (const QString &key : names)
                values << doc.ReadString(section, key, QStringLiteral("<none>"));
        return values;
    };
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int count = int(random() % 30);
        for (int i = 0; i < count; ++i)
            bytes += pieces[random() % std::size(pieces)];
        const ProfileDocument original = ProfileDocument::FromBytes(bytes);
        const QStringList before = readAll(original);
        for (const QString &value : before)
            ASSERT_FALSE(value.contains(u'\r')) << bytes.toHex().constData();

        ProfileDocument edited = ProfileDocument::FromBytes(bytes);
        ASSERT_TRUE(edited.EraseSection(QStringLiteral("b")));
        ASSERT_TRUE(
            edited.WriteString(QStringLiteral("b"), QStringLiteral("k"), QStringLiteral("v")));
        const ProfileDocument reloaded = ProfileDocument::FromBytes(edited.ToBytes());
        ASSERT_EQ(readAll(reloaded), before) << bytes.toHex().constData();
        ASSERT_EQ(reloaded.ReadString(QStringLiteral("b"), QStringLiteral("k")),
                  QStringLiteral("v"))
            << bytes.toHex().constData();
        // A document saved as it was loaded reads the same.
        ASSERT_EQ(readAll(ProfileDocument::FromBytes(original.ToBytes())), before)
            << bytes.toHex().constData();
    }
}

TEST_F(ProfileTest, WritingCreatesFileAndSectionsInCrLf) {
    ASSERT_TRUE(Write("Dates", "Date1", QStringLiteral("07/12/2026")));
    ASSERT_TRUE(Write("Dates", "Date2", QString()));
    ASSERT_TRUE(Write("TP", "TP1", QString::fromUtf8("été")));
    ASSERT_TRUE(Write("dates", "DATE1", QStringLiteral("08/12/2026")));
    EXPECT_EQ(Bytes(), QByteArray("[Dates]\r\nDATE1=08/12/2026\r\nDate2=\r\n"
                                  "[TP]\r\nTP1=\xC3\xA9t\xC3\xA9\r\n"));
}

TEST_F(ProfileTest, NewKeysGoToTheEndOfTheirSection) {
    Put("[A]\nx=1\n\n[B]\ny=2");
    ASSERT_TRUE(Write("A", "z", QStringLiteral("3")));
    ASSERT_TRUE(Write("B", "w", QStringLiteral("4")));
    ASSERT_TRUE(Write("A", "x", QStringLiteral("5")));
    EXPECT_EQ(Bytes(), QByteArray("[A]\nx=5\r\nz=3\r\n\n[B]\ny=2\r\nw=4\r\n"));
    Put("[A]");
    ASSERT_TRUE(Write("C", "k", QStringLiteral("v")));
    EXPECT_EQ(Bytes(), QByteArray("[A]\r\n[C]\r\nk=v\r\n"));
}

TEST_F(ProfileTest, HandWrittenSectionStaysAheadAndUntouched) {
    const QByteArray notes("; mes notes\n[Notes]\n A = \xE9t\xE9\n  ligne bizarre\n\n");
    Put(notes + "[tp]\r\nTP11=9\r\n[Dates]\r\nDate1=x\r\n[INR]\r\nINR1=2\r\n");
    for (const char *s : {"Dates", "TP", "INR"})
        ASSERT_TRUE(Profile::EraseSection(path_, QString::fromUtf8(s)));
    EXPECT_EQ(Bytes(), notes);
    ASSERT_TRUE(Write("Dates", "Date1", QStringLiteral("01/02/2026")));
    ASSERT_TRUE(Write("TP", "TP1", QStringLiteral("35")));
    ASSERT_TRUE(Write("INR", "INR1", QStringLiteral("2,5")));
    EXPECT_EQ(Bytes(), notes + "[Dates]\r\nDate1=01/02/2026\r\n[TP]\r\nTP1=35\r\n"
                               "[INR]\r\nINR1=2,5\r\n");
    EXPECT_EQ(Read("Notes", "A"), QString::fromUtf8("été"));
    EXPECT_EQ(Read("TP", "TP11", QStringLiteral("gone")), QStringLiteral("gone"));
}

TEST_F(ProfileTest, EraseRemovesEverySectionOfTheName) {
    Put("[S]\r\na=1\r\n[T]\r\nb=2\r\n[s]\r\nc=3\r\n");
    EXPECT_EQ(Read("S", "c"), QStringLiteral("3"));
    ASSERT_TRUE(Profile::EraseSection(path_, QStringLiteral("S")));
    EXPECT_EQ(Bytes(), QByteArray("[T]\r\nb=2\r\n"));
    // Erasing what is not there changes nothing and succeeds.
    ASSERT_TRUE(Profile::EraseSection(path_, QStringLiteral("S")));
    const QString missing = dir_.filePath(QStringLiteral("none.ini"));
    ASSERT_TRUE(Profile::EraseSection(missing, QStringLiteral("S")));
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(ProfileTest, NamesAndValuesTheFileCannotHoldAreRefused) {
    Put("[S]\r\na=1\r\n");
    const QByteArray before = Bytes();
    EXPECT_FALSE(Write("S", "a", QStringLiteral("1\r\n[Evil]\r\nx=y")));
    EXPECT_FALSE(Write("S", "a=b", QStringLiteral("1")));
    EXPECT_FALSE(Write("S", "[a", QStringLiteral("1")));
    EXPECT_FALSE(Write("S", " ", QStringLiteral("1")));
    EXPECT_FALSE(Write("S]x", "a", QStringLiteral("1")));
    EXPECT_FALSE(Write("", "a", QStringLiteral("1")));
    EXPECT_FALSE(Profile::EraseSection(path_, QStringLiteral("a\nb")));
    EXPECT_EQ(Bytes(), before);
}

TEST_F(ProfileTest, ReadOnlyFileIsLeftUnchanged) {
    Put("[Dates]\r\nDate1=x\r\n");
    const QByteArray before = Bytes();
    ASSERT_EQ(chmod(QFile::encodeName(path_).constData(), 0444), 0);
    // Refused for root as well: the file is marked read-only.
    EXPECT_FALSE(Write("Dates", "Date1", QStringLiteral("y")));
    EXPECT_FALSE(Profile::EraseSection(path_, QStringLiteral("Dates")));
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("Pexor.ini")});
}

TEST_F(ProfileTest, UnwritableDirectoryIsReported) {
    Put("[Dates]\r\nDate1=x\r\n");
    const QByteArray before = Bytes();
    if (!IsRoot()) {
        ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0555), 0);
        EXPECT_FALSE(Write("Dates", "Date1", QStringLiteral("y")));
        EXPECT_FALSE(Profile::WriteString(dir_.filePath(QStringLiteral("new.ini")),
                                          QStringLiteral("S"), QStringLiteral("k"),
                                          QStringLiteral("v")));
        EXPECT_EQ(Bytes(), before);
        ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0700), 0);
    }
    // What fails for every user: a directory that is a plain file, and a
    // file name that is a directory.
    const QString underFile = path_ + QStringLiteral("/inner.ini");
    EXPECT_FALSE(Profile::WriteString(underFile, QStringLiteral("S"), QStringLiteral("k"),
                                      QStringLiteral("v")));
    EXPECT_EQ(Bytes(), before);
    const QString asDir = dir_.filePath(QStringLiteral("sub"));
    ASSERT_TRUE(QDir().mkdir(asDir));
    EXPECT_FALSE(
        Profile::WriteString(asDir, QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v")));
    EXPECT_TRUE(QFileInfo(asDir).isDir());
}

TEST_F(ProfileTest, UnreadableFileIsNotReplaced) {
    Put("[Dates]\r\nDate1=x\r\n");
    const QByteArray before = Bytes();
    if (IsRoot())
        GTEST_SKIP() << "root reads every file";
    ASSERT_EQ(chmod(QFile::encodeName(path_).constData(), 0200), 0);
    EXPECT_EQ(Read("Dates", "Date1", QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_FALSE(Write("Dates", "Date2", QStringLiteral("y")));
    chmod(QFile::encodeName(path_).constData(), 0600);
    EXPECT_EQ(Bytes(), before);
}

TEST_F(ProfileTest, SaveKeepsThePermissions) {
    Put("[S]\r\na=1\r\n");
    ASSERT_EQ(chmod(QFile::encodeName(path_).constData(), 0640), 0);
    ASSERT_TRUE(Write("S", "a", QStringLiteral("2")));
    struct stat st {};
    ASSERT_EQ(stat(QFile::encodeName(path_).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Bytes(), QByteArray("[S]\r\na=2\r\n"));
}

TEST_F(ProfileTest, DocumentEditsAreCommittedInOneStep) {
    Put("\xEF\xBB\xBF[Notes]\nn=1\n[Dates]\r\nDate1=a\r\n");
    ProfileDocument doc;
    ASSERT_TRUE(doc.Load(path_));
    EXPECT_TRUE(doc.HasSection(QStringLiteral("dates")));
    EXPECT_EQ(doc.ReadString(QStringLiteral("Dates"), QStringLiteral("Date1")),
              QStringLiteral("a"));
    ASSERT_TRUE(doc.EraseSection(QStringLiteral("Dates")));
    EXPECT_FALSE(doc.HasSection(QStringLiteral("Dates")));
    ASSERT_TRUE(
        doc.WriteString(QStringLiteral("Dates"), QStringLiteral("Date1"), QStringLiteral("b")));
    // Nothing reaches the file before the save.
    EXPECT_EQ(Bytes(), QByteArray("\xEF\xBB\xBF[Notes]\nn=1\n[Dates]\r\nDate1=a\r\n"));
    ASSERT_TRUE(doc.Save(path_));
    EXPECT_EQ(Bytes(), QByteArray("[Notes]\nn=1\n[Dates]\r\nDate1=b\r\n"));
    EXPECT_EQ(doc.ToBytes(), Bytes());

    ASSERT_EQ(chmod(QFile::encodeName(path_).constData(), 0444), 0);
    ASSERT_TRUE(
        doc.WriteString(QStringLiteral("Dates"), QStringLiteral("Date1"), QStringLiteral("c")));
    EXPECT_FALSE(doc.Save(path_));
    EXPECT_EQ(Bytes(), QByteArray("[Notes]\nn=1\n[Dates]\r\nDate1=b\r\n"));

    ProfileDocument fresh;
    EXPECT_TRUE(fresh.Load(dir_.filePath(QStringLiteral("absent.ini"))));
    EXPECT_TRUE(fresh.ToBytes().isEmpty());
    EXPECT_FALSE(fresh.Load(dir_.path()));
}

QStringList RandomValues(std::mt19937 &random) {
    const QString alphabet = QString::fromUtf8("ab Z09=[];\"'\t éèàçü€ #,.-/");
    QStringList values;
    for (int i = 0; i < 30; ++i) {
        QString v;
        const int length = int(random() % 24);
        for (int c = 0; c < length; ++c)
            v += alphabet[qsizetype(random() % unsigned(alphabet.size()))];
        values << v;
    }
    return values;
}

const char *const kSections[] = {"Dates", "TP", "INR"};
const char *const kPrefixes[] = {"Date", "TP", "INR"};
QString SectionOf(int i) {
    return QString::fromUtf8(kSections[i / 10]);
}
QString KeyOf(int i) {
    return QString::fromUtf8(kPrefixes[i / 10]) + QString::number(i % 10 + 1);
}

TEST_F(ProfileTest, RandomValuesRoundTrip) {
    std::mt19937 random(20261207);
    // Per call, as the original service was used.
    const QStringList first = RandomValues(random);
    for (int i = 0; i < 30; ++i)
        ASSERT_TRUE(Profile::WriteString(path_, SectionOf(i), KeyOf(i), first[i]));
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(Profile::ReadString(path_, SectionOf(i), KeyOf(i), QStringLiteral("<none>")),
                  first[i])
            << "value " << i;
    // Through the document, over the previous file.
    for (int round = 0; round < 20; ++round) {
        const QStringList values = RandomValues(random);
        ProfileDocument doc;
        ASSERT_TRUE(doc.Load(path_));
        for (const char *s : kSections)
            ASSERT_TRUE(doc.EraseSection(QString::fromUtf8(s)));
        for (int i = 0; i < 30; ++i)
            ASSERT_TRUE(doc.WriteString(SectionOf(i), KeyOf(i), values[i]));
        ASSERT_TRUE(doc.Save(path_));
        for (int i = 0; i < 30; ++i)
            EXPECT_EQ(Profile::ReadString(path_, SectionOf(i), KeyOf(i), QStringLiteral("<none>")),
                      values[i])
                << "round " << round << " value " << i;
    }
    // Ordinary values are written as they are; only those that reading
    // would change are quoted.
    ASSERT_TRUE(Write("Q", "plain", QStringLiteral("a \"b\" c")));
    ASSERT_TRUE(Write("Q", "lead", QStringLiteral(" x")));
    ASSERT_TRUE(Write("Q", "quoted", QStringLiteral("'y'")));
    EXPECT_TRUE(Bytes().endsWith("[Q]\r\nplain=a \"b\" c\r\nlead=\" x\"\r\nquoted=\"'y'\"\r\n"));
}

} // namespace
} // namespace pexor
