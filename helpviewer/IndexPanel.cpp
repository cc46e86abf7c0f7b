#include "helpviewer/IndexPanel.h"

#include "helpviewer/ListKeys.h"
#include "helpviewer/SearchText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace pexor {

namespace {

constexpr int TargetRole = Qt::UserRole;

} // namespace

IndexPanel::IndexPanel(std::vector<IndexEntry> entries, QWidget *parent)
    : QWidget(parent), entries_(std::move(entries)) {
    setObjectName(QStringLiteral("IndexPanel"));
    setAccessibleName(tr("Index"));

    auto *prompt = new QLabel(tr("&Tapez le mot clé à rechercher :"), this);
    prompt->setWordWrap(true);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("IndexFilter"));
    filter_->setAccessibleName(tr("Mot clé à rechercher"));
    filter_->setClearButtonEnabled(true);
    prompt->setBuddy(filter_);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("IndexList"));
    list_->setAccessibleName(tr("Mots clés"));
    list_->setHeaderHidden(true);
    list_->setColumnCount(1);
    list_->setUniformRowHeights(true);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("IndexStatus"));
    status_->setWordWrap(true);
    status_->hide();

    show_ = new QPushButton(tr("&Afficher"), this);
    show_->setObjectName(QStringLiteral("IndexShow"));
    show_->setAccessibleName(tr("Afficher"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(prompt);
    layout->addWidget(filter_);
    layout->addWidget(list_, 1);
    layout->addWidget(status_);
    layout->addWidget(show_, 0, Qt::AlignRight);

    ForwardListKeys(filter_, list_);
    connect(filter_, &QLineEdit::textChanged, this, &IndexPanel::ApplyFilter);
    connect(filter_, &QLineEdit::returnPressed, this, [this] { Choose(list_->currentItem()); });
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { Choose(item); });
    connect(list_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { Choose(item); });
    connect(show_, &QPushButton::clicked, this, [this] { Choose(list_->currentItem()); });

    Fill();
    ApplyFilter(QString());
}

void IndexPanel::Fill() {
    bool nested = false;
    for (const IndexEntry &entry : entries_) {
        folded_.push_back(FoldForSearch(entry.Keyword));
        auto *item = new QTreeWidgetItem(list_, QStringList{entry.Keyword});
        if (entry.Topics.size() == 1) {
            item->setData(0, TargetRole, entry.Topics.front().Target);
            item->setToolTip(0, entry.Topics.front().Title);
            continue;
        }
        nested = true;
        for (const IndexTopic &topic : entry.Topics) {
            auto *page = new QTreeWidgetItem(item, QStringList{topic.Title});
            page->setData(0, TargetRole, topic.Target);
            page->setToolTip(0, topic.Title);
        }
    }
    // Only keywords with several pages open onto a second level.
    list_->setRootIsDecorated(nested);
}

void IndexPanel::ApplyFilter(const QString &text) {
    const QString filter = FoldForSearch(text.simplified());
    QTreeWidgetItem *first = nullptr;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = list_->topLevelItem(i);
        const bool shown = MatchesAtWordStart(folded_[static_cast<std::size_t>(i)], filter);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    if (first) {
        list_->setCurrentItem(first);
        list_->scrollToItem(first, QAbstractItemView::PositionAtTop);
    } else {
        list_->setCurrentItem(nullptr);
    }
    status_->setText(first || entries_.empty()
                         ? QString()
                         : tr("Aucun mot clé ne correspond à « %1 ».").arg(text.simplified()));
    status_->setVisible(!status_->text().isEmpty());
    show_->setEnabled(first != nullptr);
}

void IndexPanel::Choose(QTreeWidgetItem *item) {
    if (!item || item->isHidden())
        return;
    const QString target = item->data(0, TargetRole).toString();
    if (!target.isEmpty()) {
        if (OnTopicChosen)
            OnTopicChosen(this, target);
        return;
    }
    if (item->childCount() == 0)
        return;
    item->setExpanded(true);
    list_->setCurrentItem(item->child(0));
    list_->setFocus(Qt::OtherFocusReason);
}

} // namespace pexor
