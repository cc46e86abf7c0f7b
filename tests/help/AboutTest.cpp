#include "help/About.h"

#include "controls/Label3D.h"
#include "controls/Lines.h"
#include "platform/LocaleSettings.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

// Puts French settings with the given thousands separator in force for one test.
class LocaleGuard {
public:
    explicit LocaleGuard(QChar thousands) : saved_(Locale()) {
        LocaleSettings settings = LocaleSettings::French();
        settings.ThousandSeparator = thousands;
        SetLocaleSettings(settings);
    }
    ~LocaleGuard() { SetLocaleSettings(saved_); }

private:
    LocaleSettings saved_;
};

AboutFacts Facts(std::optional<QString> owner, std::optional<QString> organization) {
    AboutFacts facts;
    facts.Owner = std::move(owner);
    facts.Organization = std::move(organization);
    facts.Memory.TotalPhysical = 536281088;
    facts.Memory.MemoryLoad = 37;
    return facts;
}

} // namespace

TEST(AboutBox, TextsKeepTheirFirstHundredCharacters) {
    TAboutBox box;
    EXPECT_TRUE(box.ProductName().isEmpty());
    EXPECT_TRUE(box.Version().isEmpty());
    EXPECT_FALSE(box.Copyright().isEmpty());
    EXPECT_LE(box.Copyright().size(), 100);

    const QString long120 = QString(100, QLatin1Char('P')) + QString(20, QLatin1Char('x'));
    box.SetProductName(long120);
    box.SetVersion(long120);
    box.SetCopyright(long120);
    EXPECT_EQ(box.ProductName(), QString(100, QLatin1Char('P')));
    EXPECT_EQ(box.Version(), QString(100, QLatin1Char('P')));
    EXPECT_EQ(box.Copyright(), QString(100, QLatin1Char('P')));

    box.SetVersion(QStringLiteral("Version 1.00"));
    EXPECT_EQ(box.Version(), QStringLiteral("Version 1.00"));
    // A character outside the basic plane is never cut in half.
    box.SetProductName(QString(99, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F489b"));
    EXPECT_EQ(box.ProductName(), QString(99, QLatin1Char('a')));
}

TEST(AboutBox, FormShowsTheThreeTexts) {
    TAboutBox box;
    box.SetProductName(QStringLiteral("Pexor"));
    box.SetVersion(QStringLiteral("Version 1.00"));
    box.SetCopyright(QStringLiteral("Suivi du traitement"));
    const std::unique_ptr<TFAbout> form = box.CreateForm();
    EXPECT_EQ(form->Label3D1->Caption(), QStringLiteral("Pexor"));
    EXPECT_EQ(form->Label3D2->Caption(), QStringLiteral("Version 1.00"));
    EXPECT_EQ(form->Label3D3->Caption(), QStringLiteral("Suivi du traitement"));
    EXPECT_FALSE(form->isVisible());
}

TEST(AboutForm, LayoutAndFixedTexts) {
    TFAbout form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("A propos de..."));
    // 279 wide unless a line needs more with the fonts at hand.
    EXPECT_GE(form.width(), 279);
    EXPECT_EQ(form.height(), 253);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());

    EXPECT_EQ(form.Image1->geometry(), QRect(20, 20, 32, 32));
    EXPECT_EQ(form.Label3D1->geometry(), QRect(70, 25, 196, 16));
    EXPECT_EQ(form.Label3D2->geometry(), QRect(70, 45, 196, 13));
    EXPECT_EQ(form.Label3D3->geometry(), QRect(70, 65, 198, 13));
    for (TLabel3D *label : {form.Label3D1, form.Label3D2, form.Label3D3}) {
        EXPECT_FALSE(label->AutoSize());
        EXPECT_EQ(label->Font().Color(), clBlack);
    }
    EXPECT_EQ(form.Label3D1->Font().Height(), -13);
    EXPECT_EQ(form.Label3D1->Font().Style(), fsBold);
    EXPECT_EQ(form.Label3D2->Font().Height(), -11);

    EXPECT_EQ(form.Label1->text(), QStringLiteral("License d'utilisation accordée à :"));
    EXPECT_EQ(form.Label1->pos(), QPoint(70, 90));
    EXPECT_EQ(form.lblUserName->pos(), QPoint(80, 110));
    EXPECT_EQ(form.lblCompanyName->pos(), QPoint(80, 125));
    EXPECT_EQ(form.lblPhysMem->pos(), QPoint(80, 165));
    EXPECT_EQ(form.lblPhysRes->pos(), QPoint(80, 185));

    // The etched separator: a dark line with a white one just below.
    EXPECT_EQ(form.Line1->geometry(), QRect(70, 150, 196, 10));
    EXPECT_EQ(form.Line2->geometry(), QRect(70, 151, 196, 10));
    EXPECT_EQ(form.Line1->Line(), TLineType::ltHorizontal);
    EXPECT_EQ(form.Line1->Pen().Color(), clBlack);
    EXPECT_EQ(form.Line2->Pen().Color(), clWhite);

    EXPECT_EQ(form.Button1->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.Button1->geometry(), QRect(192, 215, 74, 26));
    EXPECT_TRUE(form.Button1->isDefault());
    EXPECT_EQ(form.findChild<QPushButton *>(QStringLiteral("Button1")), form.Button1);

    // The design-time captions never show.
    for (QLabel *label : {form.lblUserName, form.lblCompanyName, form.lblPhysMem, form.lblPhysRes})
        EXPECT_NE(label->text(), label->objectName());
}

TEST(AboutForm, OwnerAndOrganisationDefaultOnlyWhenAbsent) {
    TFAbout form;
    form.FillInformation(Facts(QStringLiteral("Jean Dupont"), QStringLiteral("Clinique")));
    EXPECT_EQ(form.lblUserName->text(), QStringLiteral("Jean Dupont"));
    EXPECT_EQ(form.lblCompanyName->text(), QStringLiteral("Clinique"));

    form.FillInformation(Facts(std::nullopt, std::nullopt));
    EXPECT_EQ(form.lblUserName->text(), QStringLiteral("<Aucun>"));
    EXPECT_EQ(form.lblCompanyName->text(), QStringLiteral("<Aucune>"));

    form.FillInformation(Facts(QString(), QString()));
    EXPECT_EQ(form.lblUserName->text(), QString());
    EXPECT_EQ(form.lblCompanyName->text(), QString());
}

TEST(AboutForm, MemoryLines) {
    const LocaleGuard locale(QLatin1Char(' '));
    EXPECT_EQ(PhysicalMemoryText(536281088),
              QStringLiteral("Mémoire physique totale : 523 712 Ko"));
    // Kilobytes are a quotient rounded to the nearest whole number.
    EXPECT_EQ(PhysicalMemoryText(1536), QStringLiteral("Mémoire physique totale : 2 Ko"));
    EXPECT_EQ(PhysicalMemoryText(1535), QStringLiteral("Mémoire physique totale : 1 Ko"));
    EXPECT_EQ(PhysicalMemoryText(0), QStringLiteral("Mémoire physique totale : 0 Ko"));
    EXPECT_EQ(PhysicalMemoryText(17179869184ull),
              QStringLiteral("Mémoire physique totale : 16 777 216 Ko"));

    // The line says "libre": it shows the share not in use.
    EXPECT_EQ(ResourcesText(37), QStringLiteral("Ressources système      : 63% libre."));
    EXPECT_EQ(ResourcesText(0), QStringLiteral("Ressources système      : 100% libre."));
    EXPECT_EQ(ResourcesText(100), QStringLiteral("Ressources système      : 0% libre."));

    TFAbout form;
    form.FillInformation(Facts(std::nullopt, std::nullopt));
    EXPECT_EQ(form.lblPhysMem->text(), QStringLiteral("Mémoire physique totale : 523 712 Ko"));
    EXPECT_EQ(form.lblPhysRes->text(), QStringLiteral("Ressources système      : 63% libre."));
}

TEST(AboutForm, WidensRatherThanCutALongMemoryLine) {
    TFAbout form;
    AboutFacts facts = Facts(std::nullopt, std::nullopt);
    form.FillInformation(facts);
    const int usual = form.width();
    EXPECT_GE(usual, 279);
    for (QLabel *label :
         {form.Label1, form.lblUserName, form.lblCompanyName, form.lblPhysMem, form.lblPhysRes})
        EXPECT_LE(label->geometry().right() + 1, usual) << label->objectName().toStdString();

    facts.Memory.TotalPhysical = 1ull << 50;
    form.FillInformation(facts);
    EXPECT_EQ(form.height(), 253);
    EXPECT_GT(form.width(), usual);
    EXPECT_LE(form.lblPhysMem->geometry().right() + 1, form.width());
    EXPECT_EQ(form.Button1->geometry(), QRect(192, 215, 74, 26));

    facts.Memory.TotalPhysical = 536281088;
    form.FillInformation(facts);
    EXPECT_EQ(form.width(), usual);
}

TEST(AboutForm, ThousandsSeparatorFollowsTheLocale) {
    const LocaleGuard locale(QLatin1Char('.'));
    EXPECT_EQ(PhysicalMemoryText(536281088),
              QStringLiteral("Mémoire physique totale : 523.712 Ko"));
}

TEST(AboutForm, OkClosesTheWindow) {
    TFAbout form;
    form.show();
    ASSERT_TRUE(form.isVisible());
    QTest::mouseClick(form.Button1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

TEST(AboutBox, ExecuteShowsTheWindowModallyUntilClosed) {
    TAboutBox box;
    box.SetProductName(QStringLiteral("Pexor"));
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *form = dynamic_cast<TFAbout *>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        shown = form->Label3D1->Caption();
        QTest::mouseClick(form->Button1, Qt::LeftButton);
    });
    box.Execute();
    EXPECT_EQ(shown, QStringLiteral("Pexor"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
