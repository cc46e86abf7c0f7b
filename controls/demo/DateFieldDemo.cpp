// Shows a date field with its calendar open and, given a file name, saves a
// picture of the screen there and quits.
#include "controls/DateEdit.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    QWidget form;
    form.setWindowTitle(QStringLiteral("Date"));
    form.resize(320, 220);
    form.move(40, 40);
    auto *field = new pexor::TDateEdit(&form);
    field->setObjectName(QStringLiteral("DateEdit1"));
    field->setGeometry(190, 16, 106, 21);
    field->SetDefaultToday(true);
    field->SetNumGlyphs(2);
    field->SetColor(pexor::clNavy);
    field->SetFontColor(pexor::clWhite);
    field->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    field->SetHint(QStringLiteral("Cliquer et séléctionner une date."));
    form.show();
    form.activateWindow();

    const QString picture = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    // A day other than today is picked, so today's frame shows on its own.
    QTimer::singleShot(300, &form, [field] {
        const int day = pexor::SplitDate(pexor::Today()).Day;
        field->SetDate(pexor::Today() + (day > 20 ? -3 : 3));
        field->DropDown(true);
    });
    if (!picture.isEmpty()) {
        QTimer::singleShot(900, &form, [picture] {
            QGuiApplication::primaryScreen()->grabWindow(0).save(picture);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
