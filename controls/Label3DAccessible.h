#pragma once

#include <QAccessibleWidget>

namespace pexor {

class TLabel3D;

// A 3D label reads as static text named by its caption, the accelerator
// ampersands taken out as a label shows them.
class Label3DAccessible : public QAccessibleWidget {
public:
    explicit Label3DAccessible(TLabel3D *label);

    QString text(QAccessible::Text t) const override;
};

// "&Date" as it reads: "Date"; "&&" stands for one ampersand.
QString WithoutAccelerators(const QString &caption);

} // namespace pexor
