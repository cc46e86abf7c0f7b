#pragma once

#include <QAccessibleWidget>

namespace pexor {

class TCaptionStrip;

// The title strip reads as a group named by its caption (the title-bar role
// reaches the Linux bridge as plain text), whose children are the title-bar
// buttons it shows: a button the caption's border icons leave out is hidden
// and not there for a screen reader either.
class CaptionStripAccessible : public QAccessibleWidget {
public:
    explicit CaptionStripAccessible(TCaptionStrip *strip);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    QWidgetList Shown() const;
};

} // namespace pexor
