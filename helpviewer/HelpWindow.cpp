#include "helpviewer/HelpWindow.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/ChmBrowser.h"
#include "helpviewer/HtmlText.h"
#include "helpviewer/IndexPanel.h"
#include "helpviewer/SearchPanel.h"
#include "helpviewer/SiteMap.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pexor {

namespace {

constexpr int TargetRole = Qt::UserRole;

QToolButton *MakeButton(QWidget *parent, const QString &name, const QString &text,
                        QStyle::StandardPixmap icon) {
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setAccessibleName(text);
    button->setToolTip(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

QString WithoutAnchor(const QString &path) {
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    return hash < 0 ? path : path.left(hash);
}

} // namespace

HelpWindow::HelpWindow(std::shared_ptr<const ChmArchive> archive, const QString &topic,
                       QWidget *parent)
    : QWidget(parent), archive_(std::move(archive)) {
    setObjectName(QStringLiteral("HelpWindow"));
    // Help belongs to the program that asked for it: once its last own
    // window is closed, the program ends even with help still open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(archive_->Title().isEmpty() ? QFileInfo(archive_->Path()).fileName()
                                               : archive_->Title());

    back_ = MakeButton(this, QStringLiteral("Back"), tr("Précédent"), QStyle::SP_ArrowBack);
    forward_ = MakeButton(this, QStringLiteral("Forward"), tr("Suivant"), QStyle::SP_ArrowForward);
    home_ = MakeButton(this, QStringLiteral("Home"), tr("Accueil"), QStyle::SP_DirHomeIcon);
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 2, 4, 2);
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(home_);
    buttons->addStretch();

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    browser_ = new ChmBrowser(archive_, splitter);
    browser_->setObjectName(QStringLiteral("Browser"));
    browser_->setAccessibleName(tr("Rubrique"));
    splitter->addWidget(BuildNavigation());
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 520});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    resize(780, 540);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home_, &QToolButton::clicked, this, [this] { ShowTopic({}); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::SelectItemOf);
    connect(contents_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { OpenItem(item); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { OpenItem(item); });

    BuildContents();
    ShowTopic(topic);
}

HelpWindow::~HelpWindow() = default;

QTabWidget *HelpWindow::BuildNavigation() {
    navigation_ = new QTabWidget(this);
    navigation_->setObjectName(QStringLiteral("Navigation"));
    navigation_->setAccessibleName(tr("Navigation"));
    contents_ = new QTreeWidget(navigation_);
    contents_->setObjectName(QStringLiteral("Contents"));
    contents_->setAccessibleName(tr("Sommaire"));
    contents_->setHeaderHidden(true);
    contents_->setColumnCount(1);
    auto *index = new IndexPanel(LoadKeywordIndex(*archive_), navigation_);
    auto *search = new SearchPanel(archive_, navigation_);
    index->OnTopicChosen = [this](IndexPanel *, const QString &target) { OpenTarget(target); };
    search->OnTopicChosen = [this](SearchPanel *, const QString &target, const QStringList &words) {
        OpenTarget(target);
        browser_->HighlightWords(words);
    };
    navigation_->addTab(contents_, tr("&Sommaire"));
    navigation_->addTab(index, tr("&Index"));
    navigation_->addTab(search, tr("&Rechercher"));
    navigation_->setTabVisible(IndexTab, !index->IsEmpty());
    navigation_->setTabVisible(SearchTab, !archive_->Pages().isEmpty());
    // The reader who opens a tab types first.
    connect(navigation_, &QTabWidget::currentChanged, this, [index, search](int tab) {
        if (tab == IndexTab)
            index->Filter()->setFocus(Qt::TabFocusReason);
        else if (tab == SearchTab)
            search->Query()->setFocus(Qt::TabFocusReason);
    });
    return navigation_;
}

void HelpWindow::ShowTopic(const QString &archivePath) {
    const QString target = archivePath.isEmpty() ? archive_->DefaultTopic() : archivePath;
    if (target.isEmpty()) {
        browser_->setHtml(tr("<p>Ce fichier d'aide ne contient aucune page.</p>"));
        return;
    }
    browser_->setSource(ChmBrowser::UrlOf(target));
}

void HelpWindow::BuildContents() {
    if (!archive_->ContentsFile().isEmpty()) {
        if (const std::optional<QByteArray> data = archive_->Read(archive_->ContentsFile()))
            AddEntries(nullptr, ParseSiteMap(DecodeHtml(*data)));
    }
    for (int i = 0; i < contents_->topLevelItemCount(); ++i)
        contents_->topLevelItem(i)->setExpanded(true);
    navigation_->setTabVisible(ContentsTab, contents_->topLevelItemCount() > 0);
    // A file with neither contents, index nor pages shows its page view alone.
    navigation_->setVisible(navigation_->isTabVisible(ContentsTab) ||
                            navigation_->isTabVisible(IndexTab) ||
                            navigation_->isTabVisible(SearchTab));
}

void HelpWindow::AddEntries(QTreeWidgetItem *parent, const std::vector<ContentsEntry> &entries) {
    for (const ContentsEntry &entry : entries) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
        const QString target = SiteMapTarget(entry.Local);
        item->setText(0, entry.Name.isEmpty() ? target : entry.Name);
        item->setData(0, TargetRole, target);
        item->setIcon(0, style()->standardIcon(entry.Children.empty() ? QStyle::SP_FileIcon
                                                                      : QStyle::SP_DirIcon));
        AddEntries(item, entry.Children);
    }
}

void HelpWindow::OpenItem(QTreeWidgetItem *item) {
    if (!item)
        return;
    const QString target = item->data(0, TargetRole).toString();
    if (target.isEmpty()) {
        item->setExpanded(!item->isExpanded());
        return;
    }
    OpenTarget(target);
}

void HelpWindow::OpenTarget(const QString &target) {
    const QUrl url = ChmBrowser::UrlOf(target);
    if (url != browser_->source())
        browser_->setSource(url);
}

void HelpWindow::SelectItemOf(const QUrl &page) {
    const QString path = ChmBrowser::ArchivePathOf(page);
    const QString anchor = page.hasFragment() ? QLatin1Char('#') + page.fragment() : QString();
    // The entry for this very anchor, else the first entry for the page.
    QTreeWidgetItem *best = nullptr;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        const QString target = (*it)->data(0, TargetRole).toString();
        if (WithoutAnchor(target).compare(path, Qt::CaseInsensitive) != 0)
            continue;
        if (!best)
            best = *it;
        if (target.compare(path + anchor, Qt::CaseInsensitive) == 0) {
            best = *it;
            break;
        }
    }
    if (!best || best == contents_->currentItem())
        return;
    const QSignalBlocker blocker(contents_);
    contents_->setCurrentItem(best);
    contents_->scrollToItem(best);
}

} // namespace pexor
