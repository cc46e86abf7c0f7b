#include "WindowTestSupport.h"
#include "chart/ChartAccessible.h"
#include "chart/ChartWidget.h"
#include "chart/Series.h"
#include "controls/DateEdit.h"
#include "help/About.h"
#include "tests/common/AccessibleTestSupport.h"

#include <QLabel>

namespace pexor {
namespace {

using test::AccessibleEventLog;
using test::AccessibleOf;
using test::ChildNames;
using test::FindAccessible;
using test::NameOf;

// The real window as a screen reader reads it, driven by the keys and clicks
// of a person who cannot see it.
class AccessibilityWindowTest : public test::WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        // 8 December 2026: the date field opens on it.
        SetClock([] { return MakeDate(2026, 12, 8) + 0.4375; });
        WriteIni(test::kThreeReadings);
        Open();
    }
    void TearDown() override {
        WindowFixture::TearDown();
        ResetClock();
    }

    QAccessibleInterface *Root() const { return AccessibleOf(window.get()); }
    QAccessibleInterface *Curve() const { return AccessibleOf(&window->Chart1()); }
    QString CurveDescription() const { return Curve()->text(QAccessible::Description); }

    // Clicks into a field and types over its text.
    void TypeInto(QWidget &field, const QString &text) {
        FocusWidget();
        QTest::mouseClick(&field, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_Delete);
        QTest::keyClicks(&field, text);
    }

    // Every interface of the tree under iface, depth first.
    static void Walk(QAccessibleInterface *iface,
                     const std::function<void(QAccessibleInterface *)> &visit) {
        if (!iface)
            return;
        visit(iface);
        for (int i = 0; i < iface->childCount(); ++i)
            Walk(iface->child(i), visit);
    }
};

TEST_F(AccessibilityWindowTest, EveryControlHasItsFrenchNameAndNothingHiddenIsThere) {
    QAccessibleInterface *curve =
        FindAccessible(Root(), QAccessible::Chart, QStringLiteral("Courbe de TP"));
    ASSERT_NE(curve, nullptr);
    EXPECT_EQ(curve->text(QAccessible::Description),
              QStringLiteral("Courbe de TP : 3 valeurs du 01/12/2026 au 15/12/2026, de 30 à 45 %"));
    EXPECT_EQ(ChildNames(curve), (QStringList{QStringLiteral("01/12/2026 : TP 30 %"),
                                              QStringLiteral("08/12/2026 : TP 45 %"),
                                              QStringLiteral("15/12/2026 : TP 38 %")}));
    EXPECT_NE(FindAccessible(Root(), QAccessible::StaticText,
                             QStringLiteral("Valeurs du suivi du TP et du INR")),
              nullptr);
    QAccessibleInterface *field =
        FindAccessible(Root(), QAccessible::EditableText, QStringLiteral("Date"));
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(ChildNames(field), QStringList{QStringLiteral("Calendrier")});
    QAccessibleInterface *strip =
        FindAccessible(Root(), QAccessible::Grouping, QStringLiteral("Pexor v1.0"));
    ASSERT_NE(strip, nullptr);
    EXPECT_EQ(ChildNames(strip), (QStringList{QStringLiteral("Réduire"), QStringLiteral("Agrandir"),
                                              QStringLiteral("Fermer")}));

    Walk(Root(), [](QAccessibleInterface *iface) {
        const QAccessible::Role role = iface->role();
        if (role == QAccessible::Button || role == QAccessible::EditableText ||
            role == QAccessible::Chart || role == QAccessible::Table ||
            role == QAccessible::StaticText) {
            EXPECT_FALSE(NameOf(iface).isEmpty())
                << "unnamed " << iface->object()->objectName().toStdString();
        }
        // Menus drop down from the menu bar as windows of their own.
        auto *widget = qobject_cast<QWidget *>(iface->object());
        if (widget && !widget->isWindow()) {
            EXPECT_FALSE(widget->isHidden())
                << "hidden " << widget->objectName().toStdString() << " exposed";
        }
    });
}

TEST_F(AccessibilityWindowTest, TheCurveIsDescribedAfterEachCommitZoomAndScroll) {
    AccessibleEventLog log;
    // What a screen reader there from the start has heard already.
    window->Chart1().Accessibility().Notify();
    log.Clear();
    TypeInto(window->edLigne(), QStringLiteral("4"));
    TypeInto(window->edTP(), QStringLiteral("60"));
    TypeInto(window->edINR(), QStringLiteral("2"));
    TypeInto(window->DateEdit1(), QStringLiteral("20122026"));
    QTest::keyClick(&window->DateEdit1(), Qt::Key_Return);
    ASSERT_EQ(window->Series1().Count(), 4);
    QApplication::processEvents();
    EXPECT_EQ(log.Count(QAccessible::DescriptionChanged, Curve()), 1);
    EXPECT_EQ(CurveDescription(),
              QStringLiteral("Courbe de TP : 4 valeurs du 01/12/2026 au 20/12/2026, de 30 à 60 %"));
    EXPECT_EQ(log.Names(QAccessible::ObjectCreated).filter(QStringLiteral("TP")),
              QStringList{QStringLiteral("20/12/2026 : TP 60 %")});

    log.Clear();
    ClickToolButton("ToolButton1");
    QApplication::processEvents();
    EXPECT_EQ(log.Count(QAccessible::DescriptionChanged, Curve()), 1);
    const QString zoomed = CurveDescription();
    EXPECT_TRUE(zoomed.contains(QStringLiteral(". Partie affichée : "))) << zoomed.toStdString();

    log.Clear();
    ClickToolButton("ToolButton7");
    QApplication::processEvents();
    EXPECT_EQ(log.Count(QAccessible::DescriptionChanged, Curve()), 1);
    EXPECT_NE(CurveDescription(), zoomed);

    log.Clear();
    ClickToolButton("ToolButton4");
    QApplication::processEvents();
    EXPECT_EQ(CurveDescription(),
              QStringLiteral("Courbe de TP : 4 valeurs du 01/12/2026 au 20/12/2026, de 30 à 60 %"));

    log.Clear();
    ClickToolButton("tlbNouveau");
    QApplication::processEvents();
    EXPECT_EQ(CurveDescription(), QStringLiteral("Courbe de TP : aucune valeur"));
    EXPECT_EQ(Curve()->childCount(), 0);
    EXPECT_EQ(log.Count(QAccessible::ObjectDestroyed), 4);
}

TEST_F(AccessibilityWindowTest, TheCalendarIsWalkedWithTheKeyboard) {
    TDateEdit &field = window->DateEdit1();
    FocusWidget();
    QTest::mouseClick(&field, Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_EQ(QApplication::focusWidget(), &field);
    AccessibleEventLog log;

    QTest::keyClick(&field, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(field.CalendarVisible());
    QAccessibleInterface *popup = AccessibleOf(field.Popup());
    EXPECT_EQ(popup->role(), QAccessible::Window);
    EXPECT_EQ(NameOf(popup), QStringLiteral("Calendrier"));
    QAccessibleInterface *days = FindAccessible(
        popup, [](QAccessibleInterface *iface) { return iface->role() == QAccessible::Table; });
    ASSERT_NE(days, nullptr);
    EXPECT_EQ(NameOf(days), QStringLiteral("décembre 2026"));
    QAccessibleInterface *today = days->tableInterface()->selectedCells().value(0);
    ASSERT_NE(today, nullptr);
    EXPECT_EQ(today->text(QAccessible::Description), QStringLiteral("aujourd'hui"));
    EXPECT_TRUE(today->state().focused);
    for (const char *name :
         {"Année précédente", "Mois précédent", "Mois suivant", "Année suivante"})
        EXPECT_NE(FindAccessible(popup, QAccessible::Button, QString::fromUtf8(name)), nullptr)
            << name;

    QTest::keyClick(&field, Qt::Key_Right);
    QTest::keyClick(&field, Qt::Key_PageDown);
    EXPECT_EQ(log.Names(QAccessible::Focus),
              (QStringList{QStringLiteral("mardi 8 décembre 2026"),
                           QStringLiteral("mercredi 9 décembre 2026"),
                           QStringLiteral("samedi 9 janvier 2027")}));
    EXPECT_EQ(NameOf(days), QStringLiteral("janvier 2027"));

    log.Clear();
    QTest::keyClick(&field, Qt::Key_Escape);
    EXPECT_FALSE(field.CalendarVisible());
    EXPECT_EQ(log.Names(QAccessible::Focus), QStringList{QStringLiteral("Date")});
    EXPECT_EQ(window->Series1().Count(), 3);
}

TEST_F(AccessibilityWindowTest, EachLineOfTheAboutBoxIsNamedByItsText) {
    QStringList lines;
    QStringList texts;
    boxes.OnDialog = [&](QDialog *dialog) {
        QAccessibleInterface *about = AccessibleOf(dialog);
        for (int i = 0; i < about->childCount(); ++i) {
            QAccessibleInterface *child = about->child(i);
            if (child->role() == QAccessible::StaticText)
                lines << NameOf(child);
        }
        for (QObject *object : dialog->children()) {
            if (auto *label = qobject_cast<QLabel *>(object); label && !label->text().isEmpty())
                texts << label->text();
        }
        dialog->reject();
    };
    ChooseMenuItem(QStringLiteral("&Aide"), QStringLiteral("A &propos de..."));
    boxes.OnDialog = nullptr;
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{QStringLiteral("Pexor"), QStringLiteral("Version 1.00"),
                                            window->AboutBox1().Copyright()}));
    // The plain labels after them, with the same names as their texts.
    EXPECT_EQ(lines.mid(3), texts);
}

} // namespace
} // namespace pexor
