// Writes the help project's keyword index from the keywords its pages
// carry, so that the index always says what the pages say.
//
// Usage: pexor_helpindex PROJECT.hhp
// The index goes to the file the project's "Index file" option names.

#include "helpviewer/HtmlText.h"
#include "helpviewer/KeywordIndex.h"
#include "helpviewer/SiteMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

using namespace pexor;

namespace {

struct Project {
    QString IndexFile;
    QStringList Pages;
};

Project ReadProject(const QString &text) {
    Project project;
    QString section;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).toUpper();
        } else if (section == QLatin1String("OPTIONS") &&
                   line.section(QLatin1Char('='), 0, 0)
                           .trimmed()
                           .compare(QLatin1String("Index file"), Qt::CaseInsensitive) == 0) {
            project.IndexFile = line.section(QLatin1Char('='), 1).trimmed();
        } else if (section == QLatin1String("FILES") &&
                   (line.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) ||
                    line.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))) {
            project.Pages.append(line.replace(QLatin1Char('\\'), QLatin1Char('/')));
        }
    }
    return project;
}

int Fail(const QStringList &problems) {
    for (const QString &problem : problems)
        std::fprintf(stderr, "pexor_helpindex: %s\n", qPrintable(problem));
    return 1;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2)
        return Fail({QStringLiteral("usage: pexor_helpindex PROJECT.hhp")});
    const QString projectPath = QFile::decodeName(argv[1]);
    QFile projectFile(projectPath);
    if (!projectFile.open(QIODevice::ReadOnly))
        return Fail({QStringLiteral("cannot read %1").arg(projectPath)});
    const Project project = ReadProject(DecodeLegacyText(projectFile.readAll()));
    if (project.IndexFile.isEmpty())
        return Fail({QStringLiteral("%1 names no index file").arg(projectPath)});

    const QDir folder = QFileInfo(projectPath).absoluteDir();
    QStringList problems;
    std::vector<KeywordPage> pages;
    for (const QString &name : project.Pages) {
        QFile page(folder.filePath(name));
        if (!page.open(QIODevice::ReadOnly)) {
            problems.append(QStringLiteral("cannot read %1").arg(page.fileName()));
            continue;
        }
        const QString html = DecodeHtml(page.readAll());
        pages.push_back({name, PageTitle(html), PageKeywords(html)});
    }
    const std::vector<IndexEntry> entries = IndexFromPages(pages, problems);
    if (!problems.isEmpty())
        return Fail(problems);

    QSaveFile index(folder.filePath(project.IndexFile));
    if (!index.open(QIODevice::WriteOnly) || index.write(WriteIndexSiteMap(entries)) < 0 ||
        !index.commit())
        return Fail({QStringLiteral("cannot write %1").arg(index.fileName())});
    return 0;
}
