#pragma once

#include "helpviewer/SearchIndex.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace pexor {

class ChmArchive;

// Full-text search over the help file's pages: the reader types words, and
// the pages holding all of them are listed by title, best first. Letter
// case and accents do not matter ("resultat" finds "résultat"). The pages
// are read at the first search, under the hourglass.
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchPanel(std::shared_ptr<const ChmArchive> archive, QWidget *parent = nullptr);

    // The field the reader types in, given the focus when the tab opens.
    QLineEdit *Query() const { return query_; }

    // A found page was chosen: its archive path and the folded words searched.
    std::function<void(SearchPanel *sender, const QString &target, const QStringList &words)>
        OnTopicChosen;

private:
    void Search();
    void Choose(QListWidgetItem *item);

    std::shared_ptr<const ChmArchive> archive_;
    std::optional<SearchIndex> index_;
    QStringList words_;
    QLineEdit *query_;
    QPushButton *run_;
    QLabel *status_;
    QListWidget *results_;
    QPushButton *show_;
};

} // namespace pexor
