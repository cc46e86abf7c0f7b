#include "app/InrTargetDlg.h"

#include "app/ErrorBox.h"
#include "app/InrNumber.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace pexor {

namespace {

// The number, or the message for its field.
std::optional<double> ReadBound(const QString &field, const QString &text, QString &error) {
    const QString plain = text.trimmed();
    const std::optional<double> value = ParseInrNumber(plain);
    if (!value) {
        error = plain.isEmpty()
                    ? QStringLiteral("Indiquez l'%1").arg(field)
                    : QStringLiteral("%1 : « %2 » n'est pas un nombre (par exemple 2,5)")
                          .arg(field.at(0).toUpper() + field.mid(1), plain);
        return std::nullopt;
    }
    // The file keeps two decimals; more would be changed behind the user's back.
    static const QRegularExpression kTooFine(QStringLiteral("[.,]\\d{3,}$"));
    if (kTooFine.match(plain).hasMatch()) {
        error = QStringLiteral("%1 : deux décimales au plus (« %2 »)")
                    .arg(field.at(0).toUpper() + field.mid(1), plain);
        return std::nullopt;
    }
    return value;
}

QLineEdit *MakeField(QWidget *parent, const char *name, const QString &accessibleName,
                     double value) {
    auto *edit = new QLineEdit(InrNumberText(value), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setAccessibleName(accessibleName);
    edit->setMaxLength(10);
    return edit;
}

} // namespace

InrTargetCheck CheckInrTarget(const QString &minText, const QString &maxText) {
    InrTargetCheck check;
    const std::optional<double> min =
        ReadBound(QStringLiteral("INR minimum"), minText, check.Error);
    if (!min) {
        check.Faulty = InrTargetCheck::Field::Min;
        return check;
    }
    const std::optional<double> max =
        ReadBound(QStringLiteral("INR maximum"), maxText, check.Error);
    if (!max) {
        check.Faulty = InrTargetCheck::Field::Max;
        return check;
    }
    if (!IsValidInrTarget(*min, *max)) {
        check.Faulty = InrTargetCheck::Field::Min;
        check.Error = QStringLiteral("La cible doit respecter 0,5 ≤ minimum < maximum ≤ 6 "
                                     "(ici %1 et %2)")
                          .arg(InrNumberText(*min), InrNumberText(*max));
        return check;
    }
    check.Target = InrTarget{*min, *max};
    return check;
}

TInrTargetDlg::TInrTargetDlg(const InrTarget &target, QWidget *owner) : QDialog(owner) {
    setObjectName(QStringLiteral("InrTargetDlg"));
    setWindowTitle(QStringLiteral("Cible INR"));
    setModal(true);

    edMin_ = MakeField(this, "edINRMin", QStringLiteral("INR minimum"), target.Min);
    edMax_ = MakeField(this, "edINRMax", QStringLiteral("INR maximum"), target.Max);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("INR &minimum :"), edMin_);
    form->addRow(QStringLiteral("INR ma&ximum :"), edMax_);

    auto *hint = new QLabel(
        QStringLiteral("La plage d'INR que le médecin vise, de 0,5 à 6,\navec une virgule "
                       "décimale (par exemple 2,5)."),
        this);
    hint->setObjectName(QStringLiteral("lblCibleAide"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TInrTargetDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TInrTargetDlg::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    edMin_->selectAll();
    edMin_->setFocus();
}

void TInrTargetDlg::accept() {
    const InrTargetCheck check = CheckInrTarget(edMin_->text(), edMax_->text());
    if (!check.Target) {
        ShowErrorBox(this, check.Error);
        QLineEdit *field = check.Faulty == InrTargetCheck::Field::Max ? edMax_ : edMin_;
        field->setFocus();
        field->selectAll();
        return;
    }
    if (OnSave && !RunHandler(this, [this, &check] { OnSave(*check.Target); }))
        return;
    QDialog::accept();
}

} // namespace pexor
