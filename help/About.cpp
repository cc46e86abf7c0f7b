#include "help/About.h"

#include "controls/Label3D.h"
#include "controls/Lines.h"
#include "platform/FormatFloat.h"
#include "render/QtFont.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace pexor {

namespace {

// The first characters of a text, never splitting a surrogate pair.
QString Capped(const QString &text, int length) {
    if (text.size() <= length)
        return text;
    QString result = text.left(length);
    if (result.back().isHighSurrogate())
        result.chop(1);
    return result;
}

TFont FormFont() {
    TFont font(QStringLiteral("MS Sans Serif"), 8, clBlack);
    font.SetHeight(-11);
    return font;
}

// A drop of blood over a rising curve: the program's subject.
QPixmap AboutPicture() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath drop;
    drop.moveTo(16, 2);
    drop.cubicTo(20, 10, 27, 15, 27, 21);
    drop.cubicTo(27, 27, 22, 31, 16, 31);
    drop.cubicTo(10, 31, 5, 27, 5, 21);
    drop.cubicTo(5, 15, 12, 10, 16, 2);
    painter.setPen(QPen(QColor(96, 0, 0), 1));
    painter.setBrush(QColor(200, 16, 32));
    painter.drawPath(drop);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawPolyline(QPolygon({QPoint(9, 25), QPoint(13, 21), QPoint(17, 23), QPoint(23, 16)}));
    return pixmap;
}

QLabel *MakeLabel(QWidget *parent, const char *name, int left, int top, const QString &text) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

TLabel3D *MakeLabel3D(QWidget *parent, const char *name, const QRect &bounds) {
    auto *label = new TLabel3D(parent);
    label->setObjectName(QLatin1String(name));
    label->SetAutoSize(false);
    label->setGeometry(bounds);
    TFont font = FormFont();
    label->SetFont(font);
    return label;
}

TLine *MakeLine(QWidget *parent, const char *name, int top, TColor color) {
    auto *line = new TLine(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(70, top, 196, 65);
    line->SetLine(TLineType::ltHorizontal);
    line->SetPen(TPen(color));
    // The size a horizontal line takes at its first paint.
    line->resize(196, 10);
    return line;
}

void SetLabelText(QLabel *label, const QString &text) {
    label->setText(text);
    label->adjustSize();
}

} // namespace

AboutFacts AboutFacts::Read() {
    const Registry registry;
    AboutFacts facts;
    facts.Memory = ReadMemoryStatus();
    facts.Owner = registry.RegisteredOwner();
    facts.Organization = registry.RegisteredOrganization();
    return facts;
}

QString PhysicalMemoryText(std::uint64_t totalBytes) {
    return QStringLiteral("Mémoire physique totale : ") +
           FormatFloat(QStringLiteral("#,##0"), double(totalBytes) / 1024.0) +
           QStringLiteral(" Ko");
}

QString ResourcesText(int memoryLoad) {
    // The line says "libre": show the free share, not the share in use.
    const int free = 100 - std::clamp(memoryLoad, 0, 100);
    return QStringLiteral("Ressources système      : ") + QStringLiteral("%1%").arg(free) +
           QStringLiteral(" libre.");
}

TFAbout::TFAbout(QWidget *owner) : QDialog(owner) {
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("A propos de..."));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(ToQFont(FormFont(), nullptr));
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(AboutPicture());
    Image1->setGeometry(20, 20, 32, 32);

    Label3D1 = MakeLabel3D(this, "Label3D1", QRect(70, 25, 196, 16));
    TFont title = FormFont();
    title.SetHeight(-13);
    title.SetStyle(fsBold);
    Label3D1->SetFont(title);
    Label3D2 = MakeLabel3D(this, "Label3D2", QRect(70, 45, 196, 13));
    Label3D3 = MakeLabel3D(this, "Label3D3", QRect(70, 65, 198, 13));

    Label1 =
        MakeLabel(this, "Label1", 70, 90, QStringLiteral("License d'utilisation accordée à :"));
    lblUserName = MakeLabel(this, "lblUserName", 80, 110, QStringLiteral("lblUserName"));
    lblCompanyName = MakeLabel(this, "lblCompanyName", 80, 125, QStringLiteral("lblCompanyName"));
    Line1 = MakeLine(this, "Line1", 150, clBlack);
    Line2 = MakeLine(this, "Line2", 151, clWhite);
    lblPhysMem = MakeLabel(this, "lblPhysMem", 80, 165, QStringLiteral("lblPhysMem"));
    lblPhysRes = MakeLabel(this, "lblPhysRes", 80, 185, QStringLiteral("lblPhysRes"));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(192, 215, 74, 26);
    Button1->setDefault(true);
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });

    FormCreate(this);
}

void TFAbout::FormCreate(QObject *) {
    QApplication::beep();
    FillInformation(AboutFacts::Read());
}

void TFAbout::FillInformation(const AboutFacts &facts) {
    SetLabelText(lblUserName, facts.Owner.value_or(QStringLiteral("<Aucun>")));
    SetLabelText(lblCompanyName, facts.Organization.value_or(QStringLiteral("<Aucune>")));
    SetLabelText(lblPhysMem, PhysicalMemoryText(facts.Memory.TotalPhysical));
    SetLabelText(lblPhysRes, ResourcesText(facts.Memory.MemoryLoad));
    FitWidth();
}

void TFAbout::FitWidth() {
    // Today's memory sizes make longer lines than the window was drawn for:
    // widen it rather than cut the figures off.
    int right = 0;
    for (const QLabel *label : {Label1, lblUserName, lblCompanyName, lblPhysMem, lblPhysRes})
        right = std::max(right, label->geometry().right() + 1);
    setFixedSize(std::max(kClientWidth, right + kRightMargin), kClientHeight);
}

void TFAbout::Button1Click(QObject *) {
    close();
}

TAboutBox::TAboutBox(QObject *owner)
    : QObject(owner), copyright_(QStringLiteral("Copyright © 2026, l'équipe Pexor")) {}

void TAboutBox::SetProductName(const QString &value) {
    productName_ = Capped(value, kMaxTextLength);
}

void TAboutBox::SetVersion(const QString &value) {
    version_ = Capped(value, kMaxTextLength);
}

void TAboutBox::SetCopyright(const QString &value) {
    copyright_ = Capped(value, kMaxTextLength);
}

std::unique_ptr<TFAbout> TAboutBox::CreateForm() const {
    auto form = std::make_unique<TFAbout>();
    form->Label3D1->SetCaption(productName_);
    form->Label3D2->SetCaption(version_);
    form->Label3D3->SetCaption(copyright_);
    return form;
}

void TAboutBox::Execute() {
    std::unique_ptr<TFAbout> form;
    try {
        form = CreateForm();
    } catch (const std::exception &) {
        QApplication::beep();
        return;
    }
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        form->move(area.center() - QPoint(form->width() / 2, form->height() / 2));
    }
    form->exec();
}

} // namespace pexor
