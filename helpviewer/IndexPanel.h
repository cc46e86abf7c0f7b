#pragma once

#include "helpviewer/KeywordIndex.h"

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace pexor {

// The help file's keyword index as a list the reader narrows by typing: a
// keyword stays when what is typed begins one of its words (letter case and
// accents ignored). Choosing a keyword shows its page; a keyword with
// several pages opens onto their titles, to choose from.
class IndexPanel : public QWidget {
    Q_OBJECT
public:
    explicit IndexPanel(std::vector<IndexEntry> entries, QWidget *parent = nullptr);

    bool IsEmpty() const { return entries_.empty(); }
    // The field the reader types in, given the focus when the tab opens.
    QLineEdit *Filter() const { return filter_; }

    // A page was chosen: its archive path.
    std::function<void(IndexPanel *sender, const QString &target)> OnTopicChosen;

private:
    void Fill();
    void ApplyFilter(const QString &text);
    void Choose(QTreeWidgetItem *item);

    std::vector<IndexEntry> entries_;
    std::vector<QString> folded_;
    QLineEdit *filter_;
    QTreeWidget *list_;
    QLabel *status_;
    QPushButton *show_;
};

} // namespace pexor
