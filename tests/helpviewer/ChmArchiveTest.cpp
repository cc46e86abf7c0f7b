#include "helpviewer/ChmArchive.h"

#include "helpviewer/HtmlText.h"
#include "helpviewer/SiteMap.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

QByteArray SourceBytes(const QString &name) {
    QFile file(QStringLiteral(PEXOR_TEST_HELPDOC_DIR "/") + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

void CollectTargets(const std::vector<ContentsEntry> &entries, QStringList &targets) {
    for (const ContentsEntry &entry : entries) {
        targets.append(SiteMapTarget(entry.Local));
        CollectTargets(entry.Children, targets);
    }
}

class BuiltHelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        archive = ChmArchive::Open(QStringLiteral(PEXOR_TEST_HELP_FILE));
        ASSERT_NE(archive, nullptr);
    }
    std::unique_ptr<ChmArchive> archive;
};

} // namespace

TEST_F(BuiltHelpFile, CarriesItsSettingsAndPages) {
    EXPECT_EQ(archive->DefaultTopic(), QStringLiteral("/index.htm"));
    EXPECT_EQ(archive->ContentsFile(), QStringLiteral("/Pexor.hhc"));
    EXPECT_EQ(archive->IndexFile(), QStringLiteral("/Pexor.hhk"));
    EXPECT_EQ(archive->Title(), QStringLiteral("Aide de Pexor"));
    for (const char *page : {"/index.htm", "/demarrer.htm", "/saisir.htm", "/effacer.htm",
                             "/courbe.htm", "/imprimer.htm", "/medecin.htm", "/fichier.htm",
                             "/clavier.htm", "/tp_inr.htm", "/style.css", "/images/courbe.png"})
        EXPECT_TRUE(archive->Files().contains(QLatin1String(page))) << page;
    // The compiler's own entries are not listed as the author's files.
    for (const QString &file : archive->Files())
        EXPECT_FALSE(file.startsWith(QLatin1String("/#")) || file.endsWith(QLatin1Char('/')))
            << file.toStdString();
}

TEST_F(BuiltHelpFile, ReadsFilesByteForByte) {
    EXPECT_EQ(archive->Read(QStringLiteral("/images/courbe.png")),
              SourceBytes(QStringLiteral("images/courbe.png")));
    EXPECT_EQ(archive->Read(QStringLiteral("saisir.htm")),
              SourceBytes(QStringLiteral("saisir.htm")));
    // Links written on other systems differ in case and separators.
    EXPECT_EQ(archive->Resolve(QStringLiteral("\\IMAGES\\Courbe.PNG")),
              QStringLiteral("/images/courbe.png"));
    EXPECT_EQ(archive->Resolve(QStringLiteral("/images/../index.htm")),
              QStringLiteral("/index.htm"));
    EXPECT_FALSE(archive->Read(QStringLiteral("/absent.htm")).has_value());
    EXPECT_FALSE(archive->Read(QStringLiteral("/images/")).has_value());
    EXPECT_FALSE(archive->Read(QStringLiteral("/")).has_value());
}

TEST_F(BuiltHelpFile, ContentsTreeLeadsToExistingPages) {
    const std::optional<QByteArray> data = archive->Read(archive->ContentsFile());
    ASSERT_TRUE(data.has_value());
    const std::vector<ContentsEntry> entries = ParseSiteMap(DecodeHtml(*data));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Name, QStringLiteral("Bienvenue dans Pexor"));
    EXPECT_EQ(entries[0].Local, QStringLiteral("index.htm"));
    ASSERT_EQ(entries[0].Children.size(), 8u);
    EXPECT_EQ(entries[0].Children[5].Name, QStringLiteral("Le rapport pour le médecin"));
    EXPECT_EQ(entries[0].Children[6].Name, QStringLiteral("Où sont gardés vos résultats"));
    EXPECT_EQ(entries[1].Name, QStringLiteral("Le TP et l'INR, qu'est-ce que c'est ?"));
    QStringList targets;
    CollectTargets(entries, targets);
    EXPECT_EQ(targets.size(), 10);
    for (const QString &target : targets)
        EXPECT_TRUE(archive->Contains(target)) << target.toStdString();
}

TEST_F(BuiltHelpFile, EveryLinkAndPictureOfEveryPageIsInside) {
    static const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    int checked = 0;
    for (const QString &file : archive->Files()) {
        if (!file.endsWith(QLatin1String(".htm")))
            continue;
        const QString html = DecodeHtml(*archive->Read(file));
        // Accents decode to letters, not to pairs of Latin-1 characters.
        EXPECT_TRUE(html.contains(QStringLiteral("é"))) << file.toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("Ã"))) << file.toStdString();
        auto it = reference.globalMatch(html);
        while (it.hasNext()) {
            const QString target = it.next().captured(1).section(QLatin1Char('#'), 0, 0);
            EXPECT_TRUE(archive->Contains(target))
                << file.toStdString() << " -> " << target.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
}

TEST(ChmArchiveOpen, RefusesWhatIsNotAHelpFile) {
    EXPECT_EQ(ChmArchive::Open(QString()), nullptr);
    EXPECT_EQ(ChmArchive::Open(QStringLiteral("/nonexistent/Pexor.chm")), nullptr);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(ChmArchive::Open(dir.path()), nullptr);
    for (const QByteArray &content : {QByteArray(), QByteArray("<html>pas une aide</html>"),
                                      SourceBytes(QStringLiteral("images/courbe.png"))}) {
        QFile file(dir.filePath(QStringLiteral("faux.chm")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        EXPECT_EQ(ChmArchive::Open(file.fileName()), nullptr) << content.size();
    }
}

TEST(ChmArchiveOpen, TruncatedFileDoesNotCrash) {
    QFile source(QStringLiteral(PEXOR_TEST_HELP_FILE));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray whole = source.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("coupe.chm"));
    for (qsizetype size : {qsizetype(0x60), whole.size() / 2, whole.size() - 100}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(whole.left(size));
        file.close();
        if (std::unique_ptr<ChmArchive> archive = ChmArchive::Open(path)) {
            for (const QString &name : archive->Files())
                archive->Read(name);
        }
    }
    SUCCEED();
}

TEST(ChmArchivePaths, NormalizeStaysInsideTheRoot) {
    EXPECT_EQ(ChmArchive::NormalizePath(QStringLiteral("index.htm")), QStringLiteral("/index.htm"));
    EXPECT_EQ(ChmArchive::NormalizePath(QStringLiteral("..\\..\\a\\b.htm")),
              QStringLiteral("/a/b.htm"));
    EXPECT_EQ(ChmArchive::NormalizePath(QStringLiteral("./x//../y.htm")), QStringLiteral("/y.htm"));
    EXPECT_EQ(ChmArchive::NormalizePath(QStringLiteral("/../../etc/passwd")),
              QStringLiteral("/etc/passwd"));
    EXPECT_EQ(ChmArchive::NormalizePath(QString()), QStringLiteral("/"));
}
