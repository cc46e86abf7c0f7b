#pragma once

#include "app/InrTarget.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

class QLineEdit;

namespace pexor {

// The check of a target typed as two texts: each a number with a decimal
// comma (or point) and two decimals at most, and 0.5 <= min < max <= 6.
// Answers the target, or the French message saying what is wrong.
struct InrTargetCheck {
    enum class Field { None, Min, Max };
    std::optional<InrTarget> Target;
    QString Error;
    // The field to mend: the one at fault, the minimum for a bad pair.
    Field Faulty = Field::None;
};
InrTargetCheck CheckInrTarget(const QString &minText, const QString &maxText);

// The "Cible INR" dialog: the two bounds, checked at OK. A bad entry is
// shown in the error box and the dialog stays open on the field to mend;
// a good one goes to OnSave, and the dialog closes only when that did not
// raise (its error is shown the same way, the entries kept).
class TInrTargetDlg : public QDialog {
public:
    explicit TInrTargetDlg(const InrTarget &target, QWidget *owner = nullptr);

    QLineEdit &edINRMin() const { return *edMin_; }
    QLineEdit &edINRMax() const { return *edMax_; }

    std::function<void(const InrTarget &)> OnSave;

    void accept() override;

private:
    QLineEdit *edMin_ = nullptr;
    QLineEdit *edMax_ = nullptr;
};

} // namespace pexor
