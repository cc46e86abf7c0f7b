#include "controls/Label3DAccessible.h"

#include "controls/Label3D.h"

namespace pexor {

QString WithoutAccelerators(const QString &caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 == caption.size())
                break;
            ++i;
        }
        text += caption[i];
    }
    return text;
}

Label3DAccessible::Label3DAccessible(TLabel3D *label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

QString Label3DAccessible::text(QAccessible::Text t) const {
    const auto *label = static_cast<const TLabel3D *>(widget());
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return label->ShowAccelChar() ? WithoutAccelerators(label->Caption()) : label->Caption();
    return QAccessibleWidget::text(t);
}

} // namespace pexor
