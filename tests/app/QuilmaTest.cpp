#include "app/Quilma.h"
#include "QuilmaTestSupport.h"
#include "app/Version.h"
#include "chart/ChartWidget.h"
#include "chart/Series.h"
#include "controls/CaptionStrip.h"
#include "controls/DateEdit.h"
#include "controls/MonthCalendar.h"
#include "controls/PopupCalendar.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace pexor {
namespace {

using test::QuilmaFixture;

const QString kQuestion = QStringLiteral("Voulez-vous vraiment quitter le programme ?");

class QuilmaTest : public QuilmaFixture {
protected:
    void Open() {
        window = std::make_unique<TfrmQuilma>(iniPath);
    }
    void Show() {
        window->ShowCentered();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::processEvents();
    }
    QToolButton *Button(const char *name) const {
        return window->findChild<QToolButton *>(QLatin1String(name));
    }
    QAction *Action(const char *name) const {
        return window->findChild<QAction *>(QLatin1String(name));
    }
    QString GridText(int col, int row) const {
        if (row == 0)
            return window->StringGrid1().horizontalHeaderItem(col)->text();
        return window->StringGrid1().item(row - 1, col)->text();
    }
    int BoxesWithText(const QString &text) const {
        return int(std::count_if(boxes.begin(), boxes.end(),
                                 [&](const MessageBoxRequest &box) { return box.Text == text; }));
    }
    void ClickDay(int day) {
        auto *popup = static_cast<TPopupCalendar *>(window->DateEdit1().Popup());
        TLocCalendar *grid = popup->Calendar();
        for (int row = 1; row < 7; ++row) {
            for (int col = 0; col < 7; ++col) {
                if (grid->DayNumber(col, row) == day) {
                    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier,
                                      grid->CellRect(col, row).ToQRect().center());
                    return;
                }
            }
        }
        FAIL() << "no cell for day " << day;
    }
    void ChooseDayInCalendar(TDateTime month, int day) {
        window->DateEdit1().SetDate(month);
        window->DateEdit1().DropDown(true);
        ClickDay(day);
    }
    void TearDown() override {
        window.reset();
        QuilmaFixture::TearDown();
    }

    std::unique_ptr<TfrmQuilma> window;
};

TEST_F(QuilmaTest, StartsWithTheFileInTableCurveAndStatusBar) {
    WriteIni(test::ThreeReadingsIni());
    Open();
    Show();
    EXPECT_TRUE(boxes.empty()) << "the date field's first fill must not commit";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Pexor v1.0"));
    const QString expected[4][3] = {{"DATE", "TP", "INR"},
                                    {"01/12/2026", "80", "1,8"},
                                    {"03/12/2026", "75", "2,1"},
                                    {"05/12/2026", "90", "1,5"}};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(GridText(col, row), expected[row][col]) << col << "," << row;
    EXPECT_EQ(GridText(1, 4), QString());

    const TLineSeries &series = window->Series1();
    ASSERT_EQ(series.Count(), 3);
    EXPECT_EQ(series.YValues().Value(2), 90.0);
    EXPECT_EQ(series.XValues().Value(2), 2.0);
    EXPECT_EQ(series.PointLabel(1), QStringLiteral("03/12/2026"));

    EXPECT_EQ(window->StatusPanelText(0).isEmpty(), false);
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("Date : 08/12/2026"));
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Heure : 10:30:15"));

    now += 2.0 / 86400;
    QMetaObject::invokeMethod(&window->Timer1(), "timeout");
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Heure : 10:30:17"));
    EXPECT_EQ(window->Timer1().interval(), 1000);
    EXPECT_TRUE(window->Timer1().isActive());
}

TEST_F(QuilmaTest, LayoutPlacesEveryComponent) {
    Open();
    const std::pair<const char *, QRect> placed[] = {
        {"ControlBar1", {0, 0, 570, 28}},    {"ToolBar1", {11, 2, 555, 22}},
        {"StatusBar1", {0, 348, 570, 19}},   {"Panel1", {0, 28, 570, 320}},
        {"Panel2", {5, 5, 346, 266}},        {"Chart1", {5, 5, 336, 256}},
        {"Panel3", {355, 5, 210, 266}},      {"StringGrid1", {5, 5, 199, 235}},
        {"Panel4", {5, 275, 561, 41}},
        {"edLigne", {90, 10, 26, 21}},       {"edTP", {195, 10, 31, 21}},
        {"edINR", {310, 10, 31, 21}},        {"DateEdit1", {395, 10, 106, 21}},
        {"tlbNouveau", {0, 0, 23, 22}},      {"tlbImprimer", {23, 0, 23, 22}},
        {"ToolButton1", {54, 0, 23, 22}},    {"ToolButton2", {77, 0, 23, 22}},
        {"ToolButton4", {100, 0, 23, 22}},   {"ToolButton5", {131, 0, 23, 22}},
        {"ToolButton7", {154, 0, 23, 22}},   {"ToolButton8", {177, 0, 23, 22}},
        {"ToolButton9", {200, 0, 23, 22}},   {"tlbAide", {231, 0, 23, 22}},
        {"tlbQuitter", {254, 0, 23, 22}},    {"StatusPanel0", {0, 0, 320, 19}},
        {"StatusPanel1", {320, 0, 125, 19}}, {"StatusPanel2", {445, 0, 125, 19}},
    };
    for (const auto &[name, rect] : placed) {
        QWidget *widget = window->findChild<QWidget *>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->geometry(), rect) << name;
    }
    const QStringList hints = {"Effacer les valeurs.",
                               "Imprimer les valeurs et la courbe.",
                               "Zoom avant du graphique.",
                               "Zoom arrière du graphique.",
                               "Annuler le zoom du graphique.",
                               "Défilement vers la  gauche du graphique.",
                               "Défilement vers le haut du graphique.",
                               "Défilement vers le bas du graphique.",
                               "Défilement vers la droite du graphique.",
                               "Aide du logiciel.",
                               "Quitter l'application."};
    const char *order[] = {"tlbNouveau",  "tlbImprimer", "ToolButton1", "ToolButton2",
                           "ToolButton4", "ToolButton5", "ToolButton7", "ToolButton8",
                           "ToolButton9", "tlbAide",     "tlbQuitter"};
    for (int i = 0; i < 11; ++i) {
        QToolButton *button = Button(order[i]);
        EXPECT_EQ(button->toolTip(), hints[i]) << order[i];
        EXPECT_FALSE(button->icon().isNull()) << order[i];
    }

    QStringList menuTexts;
    for (QAction *menu : window->menuBar()->actions()) {
        menuTexts << menu->text();
        for (QAction *item : menu->menu()->actions())
            menuTexts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(menuTexts, QStringList({"&Fichier", "&Nouveau suivi", "-",
                                      "&Configuration imprimante...", "&Imprimer",
                                      "&Exporter pour le médecin...", "Cible IN&R...", "-",
                                      "&Quitter", "&Aide", "&Rubriques de l'aide", "-",
                                      "A &propos de..."}));
    EXPECT_EQ(Action("tlbAide")->shortcut(), QKeySequence(Qt::Key_F1));

    const QTableWidget &grid = window->StringGrid1();
    EXPECT_EQ(grid.columnWidth(0), 64);
    EXPECT_EQ(grid.rowHeight(9), 20);
    EXPECT_EQ(grid.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid.focusPolicy() & Qt::TabFocus);

    EXPECT_EQ(window->edTP().palette().color(QPalette::Base), QColor(0, 0, 128));
    EXPECT_EQ(window->edTP().palette().color(QPalette::Text), QColor(255, 255, 255));
    EXPECT_EQ(window->DateEdit1().Hint(), QStringLiteral("Cliquer et séléctionner une date."));
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("Label4"))->text(),
              QStringLiteral("Valeur TP :"));
    EXPECT_EQ(window->Chart1().Title().Text(), QStringList{"Courbe de TP (%)"});
    EXPECT_FALSE(window->Series1().ShowInLegend());
    EXPECT_EQ(window->Series1().SeriesColor(), clRed);
    // The 3D label sizes itself to its caption in the font at hand.
    const QWidget *label = window->findChild<QWidget *>(QStringLiteral("Label3D1"));
    EXPECT_EQ(label->pos(), QPoint(27, 245));
    EXPECT_EQ(label->height(), 13);
}

TEST_F(QuilmaTest, TabGoesThroughTheEntryFieldsInOrder) {
    Open();
    Show();
    window->edLigne().setFocus();
    ASSERT_TRUE(window->edLigne().hasFocus());
    QWidget *expected[] = {&window->edTP(), &window->edINR(), &window->DateEdit1()};
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
}

TEST_F(QuilmaTest, SizeIsFixedWithoutMaximise) {
    Open();
    Show();
    EXPECT_EQ(window->centralWidget()->size(), QSize(570, 367));
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->maximumSize(), window->size());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    const QSize before = window->size();
    window->resize(800, 600);
    EXPECT_EQ(window->size(), before);
}

TEST_F(QuilmaTest, TitleStripTakesThePlaceOfThePlatformTitleBar) {
    Open();
    Show();
    TCaptionStrip &strip = window->TitleStrip();
    EXPECT_TRUE(window->GradientCaption1().Active());
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(strip.isVisible());
    EXPECT_EQ(strip.geometry(), QRect(0, 0, window->width(), strip.StripHeight()));
    EXPECT_EQ(window->GradientCaption1().FormCaption(), QStringLiteral("Pexor v1.0"));
    EXPECT_EQ(window->GradientCaption1().Captions().Count(), 0);
    EXPECT_EQ(window->centralWidget()->size(), QSize(570, 367));
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->maximumSize(), window->size());
    EXPECT_GE(window->menuBar()->geometry().top(), strip.StripHeight());

    auto *maximize = strip.findChild<QToolButton *>(QStringLiteral("maximizeButton"));
    ASSERT_NE(maximize, nullptr);
    EXPECT_FALSE(maximize->isEnabled());
    answers = {1};
    QTest::mouseClick(strip.findChild<QToolButton *>(QStringLiteral("closeButton")),
                      Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, kQuestion);
    EXPECT_TRUE(window->isVisible());

    const int framelessHeight = window->height();
    window->GradientCaption1().SetActive(false);
    strip.SyncFrame();
    EXPECT_FALSE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->height(), framelessHeight - strip.StripHeight());
    EXPECT_EQ(window->centralWidget()->size(), QSize(570, 367));
    EXPECT_EQ(window->maximumSize(), window->size());
}

TEST_F(QuilmaTest, QuitAnsweredNonKeepsWindowAndFile) {
    WriteIni(test::ThreeReadingsIni());
    Open();
    Show();
    window->Table().SetCells(1, 1, QStringLiteral("99"));
    answers = {1};
    QTest::mouseClick(Button("tlbQuitter"), Qt::LeftButton);
    ASSERT_EQ(boxes.size(), 1u);
    const MessageBoxRequest &box = boxes[0];
    EXPECT_EQ(box.Caption, QStringLiteral("Confirmation"));
    EXPECT_EQ(box.Text, kQuestion);
    EXPECT_EQ(box.Icon, QMessageBox::Question);
    EXPECT_EQ(box.Buttons, QStringList({"&Oui", "&Non"}));
    EXPECT_EQ(box.DefaultButton, 0);
    EXPECT_EQ(box.EscapeButton, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ReadIni(), test::ThreeReadingsIni());
}

TEST_F(QuilmaTest, QuitAnsweredOuiSavesTheTableAndCloses) {
    WriteIni(test::ThreeReadingsIni());
    Open();
    Show();
    window->Table().SetCells(1, 2, QStringLiteral("77"));
    answers = {0};
    Action("tlbQuitter")->trigger();
    EXPECT_FALSE(window->isVisible());
    const QByteArray saved = ReadIni();
    EXPECT_TRUE(saved.contains("TP2=77\r\n")) << saved.constData();
    EXPECT_TRUE(saved.contains("Date3=05/12/2026\r\n"));
    EXPECT_TRUE(saved.contains("INR1=1,8\r\n"));
}

TEST_F(QuilmaTest, CloseBoxAsksTheSameQuestion) {
    Open();
    Show();
    answers = {1};
    EXPECT_FALSE(window->close());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, kQuestion);
    EXPECT_TRUE(window->isVisible());
    answers = {0};
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(ReadIni().contains("[TP]"));
}

TEST_F(QuilmaTest, FailedSaveShowsErrorAndKeepsWindowOpen) {
    Open();
    Show();
    // A directory where the file should be cannot be replaced by a file.
    window.reset();
    QDir(dir.path()).mkdir(QStringLiteral("Pexor.ini"));
    Open();
    Show();
    answers = {0};
    EXPECT_FALSE(window->close());
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Caption, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(boxes[1].Icon, QMessageBox::Critical);
    EXPECT_EQ(boxes[1].Text, QStringLiteral("Impossible d'écrire dans %1.").arg(iniPath));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(QuilmaTest, F1ToolbarAndMenuReachTheSameHandlers) {
    Open();
    Show();
    // No viewer is loaded here: every way to the help says so.
    QTest::keyClick(&window->edTP(), Qt::Key_F1);
    QTest::mouseClick(Button("tlbAide"), Qt::LeftButton);
    Action("tlbAide")->trigger();
    ASSERT_EQ(boxes.size(), 3u);
    for (const MessageBoxRequest &box : boxes) {
        EXPECT_EQ(box.Text, boxes[0].Text);
        EXPECT_TRUE(box.Text.contains(QStringLiteral("aide")));
    }

    window->Table().SetCells(0, 4, QStringLiteral("x"));
    QTest::mouseClick(Button("tlbNouveau"), Qt::LeftButton);
    EXPECT_EQ(GridText(0, 4), QString());
    window->Table().SetCells(0, 4, QStringLiteral("x"));
    Action("tlbNouveau")->trigger();
    EXPECT_EQ(GridText(0, 4), QString());
    EXPECT_EQ(GridText(0, 0), QStringLiteral("DATE"));
}

TEST_F(QuilmaTest, PickedDateCommitsTheTypedReading) {
    Open();
    Show();
    QTest::keyClicks(&window->edLigne(), QStringLiteral("3"));
    QTest::keyClicks(&window->edTP(), QStringLiteral("85"));
    QTest::keyClicks(&window->edINR(), QStringLiteral("1,2"));
    EXPECT_TRUE(boxes.empty());
    ChooseDayInCalendar(MakeDate(2002, 3, 20), 5);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(GridText(0, 3), QStringLiteral("05/03/2002"));
    EXPECT_EQ(GridText(1, 3), QStringLiteral("85"));
    EXPECT_EQ(GridText(2, 3), QStringLiteral("1,2"));
    ASSERT_EQ(window->Series1().Count(), 1);
    EXPECT_EQ(window->Series1().YValues().Value(0), 85.0);
    EXPECT_EQ(window->Series1().PointLabel(0), QStringLiteral("05/03/2002"));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("4"));
    EXPECT_EQ(window->edTP().text(), QString());
    EXPECT_EQ(window->edINR().text(), QString());
    EXPECT_TRUE(window->edTP().hasFocus());
}

TEST_F(QuilmaTest, CommitErrorsGoToTheErrorBox) {
    Open();
    Show();
    window->edLigne().setText(QStringLiteral("abc"));
    ChooseDayInCalendar(MakeDate(2002, 3, 20), 5);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Caption, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(boxes[0].Text, QStringLiteral("'abc' n'est pas une valeur entière correcte."));
    EXPECT_EQ(boxes[0].Buttons, QStringList{"OK"});
    EXPECT_EQ(GridText(0, 1), QString());

    window->edLigne().setText(QStringLiteral("2"));
    window->edTP().setText(QStringLiteral("12.5"));
    ChooseDayInCalendar(MakeDate(2002, 3, 20), 6);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Text, QStringLiteral("'12.5' n'est pas une valeur entière correcte."));
    EXPECT_EQ(window->edLigne().text(), QStringLiteral("2"));
    EXPECT_EQ(window->Series1().Count(), 0);
}

TEST_F(QuilmaTest, BadTpInFileShowsErrorAndStillOpens) {
    WriteIni("[Dates]\r\nDate1=01/12/2026\r\nDate2=02/12/2026\r\n[TP]\r\nTP1=80\r\nTP2=8x5\r\n");
    Open();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, QStringLiteral("'8x5' n'est pas une valeur entière correcte."));
    EXPECT_EQ(boxes[0].Icon, QMessageBox::Critical);
    Show();
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("Date :"));
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Heure :"));
    EXPECT_EQ(window->Series1().Count(), 1);
    EXPECT_EQ(GridText(1, 2), QStringLiteral("8x5"));
}

TEST_F(QuilmaTest, ZoomScrollAndUndoThroughTheToolbar) {
    WriteIni(test::ThreeReadingsIni());
    Open();
    Show();
    TChart &chart = window->Chart1();
    chart.grab();
    const double bottomMin = chart.BottomAxis().Minimum();
    const double bottomMax = chart.BottomAxis().Maximum();
    const double leftMin = chart.LeftAxis().Minimum();
    const double leftMax = chart.LeftAxis().Maximum();

    QTest::mouseClick(Button("ToolButton5"), Qt::LeftButton);
    const double span = bottomMax - bottomMin;
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), bottomMin + span / 10);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), bottomMax + span / 10);
    QTest::mouseClick(Button("ToolButton4"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), bottomMin + span / 10)
        << "scrolling alone gives undo nothing to restore";
    EXPECT_FALSE(chart.BottomAxis().Automatic());

    window.reset();
    Open();
    Show();
    TChart &fresh = window->Chart1();
    fresh.grab();
    QTest::mouseClick(Button("ToolButton1"), Qt::LeftButton);
    EXPECT_LT(fresh.LeftAxis().Maximum() - fresh.LeftAxis().Minimum(), leftMax - leftMin);
    QTest::mouseClick(Button("ToolButton7"), Qt::LeftButton);
    QTest::mouseClick(Button("ToolButton9"), Qt::LeftButton);
    QTest::mouseClick(Button("ToolButton4"), Qt::LeftButton);
    fresh.grab();
    EXPECT_TRUE(fresh.LeftAxis().Automatic());
    EXPECT_DOUBLE_EQ(fresh.LeftAxis().Minimum(), leftMin);
    EXPECT_DOUBLE_EQ(fresh.LeftAxis().Maximum(), leftMax);
    EXPECT_DOUBLE_EQ(fresh.BottomAxis().Minimum(), bottomMin);
    EXPECT_DOUBLE_EQ(fresh.BottomAxis().Maximum(), bottomMax);
}

} // namespace
} // namespace pexor
