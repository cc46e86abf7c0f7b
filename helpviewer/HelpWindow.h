#pragma once

#include <QWidget>
#include <memory>

class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;

namespace pexor {

class ChmArchive;
class ChmBrowser;
struct ContentsEntry;

// A help window for one compiled help file: on the left the table of
// contents, the keyword index and the full-text search as tabs, the page on
// the right, and back, forward and home buttons above.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Opens on the given archive page, or on the default topic when empty.
    explicit HelpWindow(std::shared_ptr<const ChmArchive> archive, const QString &topic = {},
                        QWidget *parent = nullptr);
    ~HelpWindow() override;

    const ChmArchive &Archive() const { return *archive_; }
    // Shows an archive page ("/a.htm", anchor allowed); empty for the
    // default topic.
    void ShowTopic(const QString &archivePath);

    ChmBrowser *Browser() const { return browser_; }
    QTreeWidget *Contents() const { return contents_; }
    QTabWidget *Navigation() const { return navigation_; }
    enum NavigationTab { ContentsTab, IndexTab, SearchTab };

private:
    QTabWidget *BuildNavigation();
    void BuildContents();
    void AddEntries(QTreeWidgetItem *parent, const std::vector<ContentsEntry> &entries);
    void OpenItem(QTreeWidgetItem *item);
    void OpenTarget(const QString &target);
    void SelectItemOf(const QUrl &page);

    std::shared_ptr<const ChmArchive> archive_;
    QTabWidget *navigation_;
    QTreeWidget *contents_;
    ChmBrowser *browser_;
    QToolButton *back_;
    QToolButton *forward_;
    QToolButton *home_;
};

} // namespace pexor
