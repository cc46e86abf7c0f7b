#include "controls/SelectDateDlg.h"

#include "controls/CalendarTexts.h"
#include "controls/ControlScaling.h"
#include "controls/NavGlyphs.h"
#include "controls/PopupCalendar.h"
#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

namespace pexor {

namespace {

constexpr int kClientWidth = 222;
constexpr int kClientHeight = 154;
constexpr int kTopHeight = 22;
constexpr int kBottomHeight = 21;

void CentreOnScreen(QWidget *widget) {
    const QScreen *screen = widget->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    widget->move(area.x() + (area.width() - widget->width()) / 2,
                 area.y() + (area.height() - widget->height()) / 2);
}

} // namespace

TSelectDateDlg::TSelectDateDlg(QWidget *owner)
    : QDialog(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("SelectDateDlg"));
    setWindowTitle(DefaultDialogTitle());
    setFont(CalendarMessageFont());
    setFixedSize(kClientWidth, kClientHeight);

    top_ = new TBevelPanel(this);
    top_->SetBevelInner(TPanelBevel::bvLowered);
    top_->setGeometry(0, 0, kClientWidth, kTopHeight);

    bottom_ = new TBevelPanel(this);
    bottom_->SetBevelOuter(TPanelBevel::bvNone);
    bottom_->setGeometry(0, kClientHeight - kBottomHeight, kClientWidth, kBottomHeight);

    middle_ = new TBevelPanel(this);
    middle_->SetBevelInner(TPanelBevel::bvLowered);
    const int middleHeight = kClientHeight - kTopHeight - kBottomHeight;
    middle_->setGeometry(0, kTopHeight, kClientWidth, middleHeight);

    // The grid fits inside the middle panel's bevels, its last row whole.
    calendar_ = new TMonthCalendar(middle_);
    calendar_->setGeometry(2, 2, 218, middleHeight - 4);
    calendar_->SetColor(clWhite);
    calendar_->SetUseCurrentDate(false);
    calendar_->OnChange = [this](TMonthCalendar *) { RefreshTitle(); };
    calendar_->OnDblClick = [this](TMonthCalendar *) { accept(); };

    title_ = new TTitleLabel(top_);
    title_->setGeometry(35, 4, 152, 14);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    QPalette palette = title_->palette();
    palette.setColor(QPalette::WindowText, ToQColor(clBlue));
    title_->setPalette(palette);
    title_->OnDblClick = [this](TTitleLabel *) { calendar_->SetCalendarDate(Today()); };

    buttons_ = CreateNavButtons(top_, {3, 18, 188, 203}, 3, 16, *calendar_);

    ok_ = new QPushButton(QStringLiteral("OK"), bottom_);
    ok_->setGeometry(0, 0, 112, 21);
    ok_->setDefault(true);
    QObject::connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    cancel_ = new QPushButton(CancelButtonText(), bottom_);
    cancel_->setGeometry(111, 0, 111, 21);
    QObject::connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(calendar_, ok_);
    setTabOrder(ok_, cancel_);
    for (QWidget *w : {static_cast<QWidget *>(this), static_cast<QWidget *>(calendar_),
                       static_cast<QWidget *>(ok_), static_cast<QWidget *>(cancel_)})
        w->installEventFilter(this);
    calendar_->setFocus();

    const int ppi = ScreenPixelsPerInch(this);
    if (ppi != 96) {
        setFixedSize(MulDiv(kClientWidth, ppi, 96), MulDiv(kClientHeight, ppi, 96));
        ScaleChildControls(this, ppi, 96);
        calendar_->setFont(font());
        setFont(CalendarMessageFont());
    }
    CentreOnScreen(this);
    RefreshTitle();
}

void TSelectDateDlg::SetDate(TDateTime value) {
    calendar_->SetCalendarDate(Today());
    if (value != EmptyDate && IsDateValueValid(value))
        calendar_->SetCalendarDate(value);
    RefreshTitle();
}

void TSelectDateDlg::ApplySettings(TDayOfWeekName startOfWeek, TDaysOfWeek weekends,
                                   TColor weekendColor, const QStringList &hints) {
    calendar_->SetStartOfWeek(startOfWeek);
    calendar_->SetWeekends(weekends);
    calendar_->SetWeekendColor(weekendColor);
    ApplyNavHints(buttons_, hints);
}

bool TSelectDateDlg::HandleFormKey(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    switch (key) {
    case Qt::Key_Tab:
        if (modifiers.testFlag(Qt::ShiftModifier))
            calendar_->PrevMonth();
        else
            calendar_->NextMonth();
        return true;
    case Qt::Key_Backtab:
        calendar_->PrevMonth();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_PageUp:
        ctrl ? calendar_->PrevYear() : calendar_->PrevMonth();
        return true;
    case Qt::Key_PageDown:
        ctrl ? calendar_->NextYear() : calendar_->NextMonth();
        return true;
    default:
        return false;
    }
}

bool TSelectDateDlg::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (HandleFormKey(key->key(), key->modifiers()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSelectDateDlg::RefreshTitle() {
    title_->setText(FormatDate(CalendarTitleFormat(), calendar_->CalendarDate()));
}

bool RunDateDialog(TDateTime &date, const QString &title, TDayOfWeekName startOfWeek,
                   TDaysOfWeek weekends, TColor weekendColor, const QStringList &hints) {
    TSelectDateDlg dialog;
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.SetDate(date);
    dialog.ApplySettings(startOfWeek, weekends, weekendColor, hints);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    date = dialog.Date();
    return true;
}

} // namespace pexor
