#include "helpviewer/SearchPanel.h"

#include "helpviewer/ChmArchive.h"
#include "helpviewer/ListKeys.h"
#include "helpviewer/SearchText.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pexor {

namespace {

constexpr int TargetRole = Qt::UserRole;

// The hourglass for as long as the pages are being read.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

SearchPanel::SearchPanel(std::shared_ptr<const ChmArchive> archive, QWidget *parent)
    : QWidget(parent), archive_(std::move(archive)) {
    setObjectName(QStringLiteral("SearchPanel"));
    setAccessibleName(tr("Rechercher"));

    auto *prompt = new QLabel(tr("&Tapez le ou les mots à rechercher :"), this);
    prompt->setWordWrap(true);
    query_ = new QLineEdit(this);
    query_->setObjectName(QStringLiteral("SearchQuery"));
    query_->setAccessibleName(tr("Mots à rechercher"));
    query_->setClearButtonEnabled(true);
    prompt->setBuddy(query_);

    run_ = new QPushButton(tr("&Lister les rubriques"), this);
    run_->setObjectName(QStringLiteral("SearchRun"));
    run_->setAccessibleName(tr("Lister les rubriques"));

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("SearchStatus"));
    status_->setWordWrap(true);

    results_ = new QListWidget(this);
    results_->setObjectName(QStringLiteral("SearchResults"));
    results_->setAccessibleName(tr("Rubriques trouvées"));
    // Long titles end in an ellipsis, the whole title in their tooltip.
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    results_->setTextElideMode(Qt::ElideRight);

    show_ = new QPushButton(tr("&Afficher"), this);
    show_->setObjectName(QStringLiteral("SearchShow"));
    show_->setAccessibleName(tr("Afficher"));
    show_->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(prompt);
    layout->addWidget(query_);
    layout->addWidget(run_, 0, Qt::AlignRight);
    layout->addWidget(status_);
    layout->addWidget(results_, 1);
    layout->addWidget(show_, 0, Qt::AlignRight);

    ForwardListKeys(query_, results_);
    connect(query_, &QLineEdit::returnPressed, this, &SearchPanel::Search);
    connect(run_, &QPushButton::clicked, this, &SearchPanel::Search);
    connect(results_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { Choose(item); });
    connect(results_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { Choose(item); });
    connect(show_, &QPushButton::clicked, this, [this] { Choose(results_->currentItem()); });
}

void SearchPanel::Search() {
    results_->clear();
    show_->setEnabled(false);
    words_ = QueryWords(query_->text());
    if (words_.isEmpty()) {
        status_->setText(tr("Tapez au moins un mot à rechercher."));
        query_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!index_) {
        const WaitCursor hourglass;
        index_ = SearchIndex::FromArchive(*archive_);
    }
    const std::vector<SearchHit> hits = index_->Find(words_);
    for (const SearchHit &hit : hits) {
        auto *item = new QListWidgetItem(hit.Title, results_);
        item->setData(TargetRole, hit.Target);
        item->setToolTip(hit.Title);
    }
    if (hits.empty()) {
        status_->setText(
            tr("Aucune rubrique ne contient « %1 ».").arg(query_->text().simplified()));
        return;
    }
    status_->setText(hits.size() == 1 ? tr("1 rubrique trouvée :")
                                      : tr("%1 rubriques trouvées :").arg(hits.size()));
    results_->setCurrentRow(0);
    show_->setEnabled(true);
    results_->setFocus(Qt::OtherFocusReason);
}

void SearchPanel::Choose(QListWidgetItem *item) {
    if (!item || !OnTopicChosen)
        return;
    OnTopicChosen(this, item->data(TargetRole).toString(), words_);
}

} // namespace pexor
