#include "controls/GradCaption.h"

#include "platform/Exceptions.h"
#include "render/QtFont.h"
#include "render/RecordingCanvas.h"
#include "platform/Rounding.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace pexor;

namespace {

struct Band {
    int left;
    int right;
    TColor color;
    bool operator==(const Band &) const = default;
};

std::vector<Band> Bands(const RecordingCanvas &canvas) {
    std::vector<Band> bands;
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::FillRect))
        bands.push_back({r.Points[0].x(), r.Points[1].x(), r.Brush.Color()});
    return bands;
}

std::vector<QString> Texts(const RecordingCanvas &canvas) {
    std::vector<QString> texts;
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::TextOut))
        texts.push_back(r.Text);
    return texts;
}

int WidthIn(const TFont &font, const QString &text) {
    RecordingCanvas canvas;
    canvas.SetFont(font);
    return canvas.TextWidth(text);
}

// A dialog-style form: no icon, so the text area starts at x = 2.
struct CaptionFixture {
    QWidget form;
    TGradientCaption caption{&form};
    CaptionFixture() { caption.SetFormBorderStyle(TFormBorderStyle::bsDialog); }
};

std::ostream &operator<<(std::ostream &os, const Band &b) {
    return os << "[" << b.left << "," << b.right << ") 0x" << std::hex << b.color << std::dec;
}

} // namespace

TEST(GradientFill, BandsRoundHalvesAwayFromZeroAndEndInPureEndColour) {
    RecordingCanvas canvas;
    GradientFill(canvas, TRect(0, 0, 100, 18), RGB(0, 0, 255), RGB(255, 1, 0), 3);
    const std::vector<Band> expected = {{0, 33, RGB(0, 0, 255)},
                                        {33, 66, RGB(128, 1, 127)},
                                        {66, 99, RGB(255, 1, 0)},
                                        {99, 100, RGB(255, 1, 0)}};
    EXPECT_EQ(Bands(canvas), expected);
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::FillRect)) {
        EXPECT_EQ(r.Points[0].y(), 0);
        EXPECT_EQ(r.Points[1].y(), 18);
    }
}

TEST(GradientFill, FewerThanTwoBandsFillWithTheStartColour) {
    for (int bands : {0, 1, -3}) {
        RecordingCanvas canvas;
        GradientFill(canvas, TRect(-10, 0, 40, 5), clRed, clBlue, bands);
        const std::vector<Band> expected = {{-10, 40, clRed}};
        EXPECT_EQ(Bands(canvas), expected) << bands;
    }
}

TEST(GradientFill, NarrowRectangleTakesAtMostOneBandPerPixel) {
    RecordingCanvas canvas;
    GradientFill(canvas, TRect(0, 0, 3, 5), RGB(0, 0, 0), RGB(200, 100, 50), 64);
    const std::vector<Band> expected = {
        {0, 1, RGB(0, 0, 0)}, {1, 2, RGB(100, 50, 25)}, {2, 3, RGB(200, 100, 50)}};
    EXPECT_EQ(Bands(canvas), expected);

    RecordingCanvas empty;
    GradientFill(empty, TRect(5, 0, 5, 10), clRed, clBlue, 8);
    EXPECT_TRUE(empty.Records().empty());
}

TEST(GradCaption, DefaultsAndDefaultFont) {
    QWidget form;
    TGradientCaption caption(&form);
    EXPECT_TRUE(caption.Active());
    EXPECT_EQ(caption.Captions().Count(), 0);
    EXPECT_TRUE(caption.DefaultFont());
    EXPECT_TRUE(caption.FormCaption().isEmpty());
    EXPECT_EQ(caption.FontInactiveColor(), clInactiveCaptionText);
    EXPECT_EQ(caption.Font().Color(), clCaptionText);
    EXPECT_TRUE(caption.GradientActive());
    EXPECT_FALSE(caption.GradientInactive());
    EXPECT_EQ(caption.GradientSteps(), 64);
    EXPECT_EQ(caption.HideDirection(), THideDirection::hdLeftToRight);
    EXPECT_EQ(caption.PopupMenu(), nullptr);
    EXPECT_EQ(caption.StartColor(), clWindowText);

    TFont font(QStringLiteral("Arial"), 12, clRed);
    caption.SetFont(font);
    EXPECT_FALSE(caption.DefaultFont());
    caption.SetDefaultFont(true);
    EXPECT_TRUE(caption.DefaultFont());
    EXPECT_EQ(caption.Font().Color(), clCaptionText);
    EXPECT_NE(caption.Font(), font);
}

TEST(GradCaption, DefaultFontIsBoldEightPointsWithoutAPlatformTitleFont) {
    // Qt answers the fonts a platform theme does not name with one default.
    QFont unnamed(QStringLiteral("DejaVu Sans"));
    unnamed.setPointSize(12);
    const TFont fallback = DefaultCaptionFont(unnamed, unnamed);
    EXPECT_EQ(fallback, TFont(kLayoutFontFamily, 8, clCaptionText, fsBold));

    QFont title(QStringLiteral("Cantarell"));
    title.setPointSize(11);
    title.setBold(true);
    EXPECT_EQ(DefaultCaptionFont(title, unnamed),
              TFont(QStringLiteral("Cantarell"), 11, clCaptionText, fsBold));

    // This session names no title font, as a bare X session does not.
    QWidget form;
    TGradientCaption caption(&form);
    EXPECT_EQ(caption.Font(), fallback);
}

TEST(GradCaption, NotAFormLeavesItInert) {
    QWidget form;
    QWidget child(&form);
    TGradientCaption caption(&child);
    EXPECT_FALSE(caption.Active());
    RecordingCanvas canvas;
    caption.PaintCaption(canvas, TRect(0, 0, 200, 18), true);
    EXPECT_TRUE(canvas.Records().empty());
}

TEST(GradCaption, ActiveGradientStartsAQuarterWidthLeftOfTheBitmap) {
    CaptionFixture f;
    f.caption.SetStartColor(clBlack);
    RecordingCanvas canvas;
    f.caption.PaintCaptionBitmap(canvas, 400, 18, true);
    const std::vector<Band> bands = Bands(canvas);
    // 500 wide in 64 bands of 7 pixels; the 52 pixels left over take the end.
    ASSERT_EQ(bands.size(), 65u);
    EXPECT_EQ(bands.front(), (Band{-100, -93, clBlack}));
    EXPECT_EQ(bands[63].right, 348);
    EXPECT_EQ(bands[63].color, ColorToRGB(clActiveCaption));
    EXPECT_EQ(bands.back(), (Band{348, 400, ColorToRGB(clActiveCaption)}));
    EXPECT_TRUE(canvas.RecordsOf(TRecordKind::Draw).empty());
    EXPECT_TRUE(canvas.RecordsOf(TRecordKind::TextOut).empty());
}

TEST(GradCaption, VisiblePartStartsOneFifthIntoTheColours) {
    CaptionFixture f;
    f.caption.SetStartColor(RGB(0, 0, 0));
    const QImage image = f.caption.RenderCaption(QSize(400, 18), true);
    ASSERT_EQ(image.size(), QSize(400, 18));
    const TColor end = ColorToRGB(clActiveCaption);
    // x = 0 is 100 pixels into the run: band 14 of 64.
    const TColor expected = RGB(MulDiv(14, GetRValue(end), 63), MulDiv(14, GetGValue(end), 63),
                                MulDiv(14, GetBValue(end), 63));
    EXPECT_EQ(FromQColor(image.pixelColor(0, 9)), expected);
    EXPECT_EQ(FromQColor(image.pixelColor(4, 0)), expected);
    EXPECT_NE(FromQColor(image.pixelColor(5, 0)), expected);
    EXPECT_EQ(FromQColor(image.pixelColor(348, 17)), end);
    EXPECT_EQ(FromQColor(image.pixelColor(399, 0)), end);
}

TEST(GradCaption, StepsAreTakenAsAnUnsignedByte) {
    CaptionFixture f;
    f.caption.SetStartColor(clRed);
    for (int steps : {1, 0, 256, 257}) {
        f.caption.SetGradientSteps(steps);
        RecordingCanvas canvas;
        f.caption.PaintCaptionBitmap(canvas, 400, 18, true);
        const std::vector<Band> expected = {{-100, 400, clRed}};
        EXPECT_EQ(Bands(canvas), expected) << steps;
    }
    f.caption.SetGradientSteps(300);
    RecordingCanvas canvas;
    f.caption.PaintCaptionBitmap(canvas, 400, 18, true);
    const std::vector<Band> bands = Bands(canvas);
    // 300 is 44: 500 / 44 = 11 pixels a band, 16 left for the end colour.
    ASSERT_EQ(bands.size(), 45u);
    EXPECT_EQ(bands[43], (Band{-100 + 43 * 11, -100 + 44 * 11, ColorToRGB(clActiveCaption)}));
    EXPECT_EQ(bands[44], (Band{384, 400, ColorToRGB(clActiveCaption)}));
}

TEST(GradCaption, InactiveFormIsFlatWithTheInactiveTextColour) {
    CaptionFixture f;
    f.caption.SetFormCaption(QStringLiteral("Pexor v1.0"));
    f.caption.SetFontInactiveColor(clYellow);
    RecordingCanvas canvas;
    f.caption.PaintCaptionBitmap(canvas, 300, 18, false);
    const std::vector<Band> flat = {{0, 300, clInactiveCaption}};
    EXPECT_EQ(Bands(canvas), flat);
    const auto texts = canvas.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("Pexor v1.0"));
    EXPECT_EQ(texts[0].Font.Color(), clYellow);
    EXPECT_EQ(texts[0].BackMode, TBackMode::Transparent);

    RecordingCanvas active;
    f.caption.PaintCaptionBitmap(active, 300, 18, true);
    ASSERT_EQ(active.RecordsOf(TRecordKind::TextOut).size(), 1u);
    EXPECT_EQ(active.RecordsOf(TRecordKind::TextOut)[0].Font.Color(), clCaptionText);

    f.caption.SetGradientInactive(true);
    RecordingCanvas gradient;
    f.caption.PaintCaptionBitmap(gradient, 300, 18, false);
    const std::vector<Band> bands = Bands(gradient);
    ASSERT_EQ(bands.size(), 65u);
    EXPECT_EQ(bands.back().color, ColorToRGB(clInactiveCaption));
}

TEST(GradCaption, TextIsCentredAfterTheIconOfASizeableForm) {
    QWidget form;
    TGradientCaption caption(&form);
    caption.SetFormCaption(QStringLiteral("Pexor v1.0"));
    TCaptionMetrics metrics;
    metrics.SmallIcon = QSize(16, 16);
    caption.SetMetrics(metrics);
    RecordingCanvas canvas;
    caption.PaintCaptionBitmap(canvas, 300, 22, true);
    const auto icons = canvas.RecordsOf(TRecordKind::Draw);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0].Points[0], QPoint(4, 3));
    EXPECT_EQ(icons[0].ImageSize, QSize(16, 16));
    const auto texts = canvas.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    RecordingCanvas measure;
    measure.SetFont(caption.Font());
    EXPECT_EQ(texts[0].Points[0],
              QPoint(24, (22 - measure.TextHeight(QStringLiteral("Pexor v1.0"))) / 2));
    EXPECT_EQ(texts[0].Clip.rect, TRect(24, 0, 300, 22));
}

TEST(GradCaption, DialogAndToolWindowFormsDrawNoIcon) {
    for (TFormBorderStyle style : {TFormBorderStyle::bsDialog, TFormBorderStyle::bsToolWindow,
                                   TFormBorderStyle::bsSizeToolWin}) {
        QWidget form;
        TGradientCaption caption(&form);
        caption.SetFormBorderStyle(style);
        caption.SetFormCaption(QStringLiteral("A propos de..."));
        RecordingCanvas canvas;
        caption.PaintCaptionBitmap(canvas, 200, 18, true);
        EXPECT_TRUE(canvas.RecordsOf(TRecordKind::Draw).empty()) << int(style);
        ASSERT_EQ(canvas.RecordsOf(TRecordKind::TextOut).size(), 1u);
        EXPECT_EQ(canvas.RecordsOf(TRecordKind::TextOut)[0].Points[0].x(), 2);
    }
    // A sizeable form without a system menu has no icon either.
    QWidget form;
    TGradientCaption caption(&form);
    caption.SetFormBorderIcons(biMinimize);
    RecordingCanvas canvas;
    caption.PaintCaptionBitmap(canvas, 200, 18, true);
    EXPECT_TRUE(canvas.RecordsOf(TRecordKind::Draw).empty());
}

TEST(GradCaption, BorderlessFormGetsNoPainting) {
    QWidget form;
    TGradientCaption caption(&form);
    caption.SetFormCaption(QStringLiteral("Pexor v1.0"));
    caption.SetFormBorderStyle(TFormBorderStyle::bsNone);
    RecordingCanvas canvas;
    caption.PaintCaption(canvas, TRect(4, 4, 300, 26), true);
    EXPECT_TRUE(canvas.Records().empty());

    // Any other form gets its bitmap copied in one step.
    caption.SetFormBorderStyle(TFormBorderStyle::bsSingle);
    caption.PaintCaption(canvas, TRect(4, 4, 300, 26), true);
    ASSERT_EQ(canvas.Records().size(), 1u);
    EXPECT_EQ(canvas.Records()[0].Kind, TRecordKind::Draw);
    EXPECT_EQ(canvas.Records()[0].Points[0], QPoint(4, 4));
    EXPECT_EQ(canvas.Records()[0].ImageSize, QSize(296, 22));
}

TEST(GradCaption, InactiveComponentPaintsNothingAndTellsSo) {
    QWidget form;
    TGradientCaption caption(&form);
    int activated = 0;
    int deactivated = 0;
    caption.OnActivate = [&](TGradientCaption *sender) {
        EXPECT_EQ(sender, &caption);
        ++activated;
    };
    caption.OnDeactivate = [&](TGradientCaption *) { ++deactivated; };
    caption.SetActive(false);
    caption.SetActive(false);
    EXPECT_EQ(deactivated, 1);
    EXPECT_FALSE(caption.Active());
    RecordingCanvas canvas;
    caption.PaintCaption(canvas, TRect(0, 0, 100, 18), true);
    EXPECT_TRUE(canvas.Records().empty());
    caption.SetActive(true);
    EXPECT_EQ(activated, 1);
}

TEST(GradCaption, TextShortenedFirstByTwoThenOneAtATime) {
    CaptionFixture f;
    const QString text = QStringLiteral("Suivi du TP WWW");
    f.caption.SetFormCaption(text);
    const TFont font = f.caption.Font();
    const int byTwo = WidthIn(font, QStringLiteral("Suivi du TP W..."));
    const int byThree = WidthIn(font, QStringLiteral("Suivi du TP ..."));
    const int byFour = WidthIn(font, QStringLiteral("Suivi du TP..."));
    ASSERT_LT(byTwo, WidthIn(font, text));
    ASSERT_LT(byThree, byTwo);
    ASSERT_LT(byFour, byThree);

    auto shown = [&](int freeWidth) {
        RecordingCanvas canvas;
        f.caption.PaintCaptionBitmap(canvas, freeWidth + 2, 18, true);
        return Texts(canvas);
    };
    EXPECT_EQ(shown(WidthIn(font, text)), std::vector<QString>{text});
    EXPECT_EQ(shown(WidthIn(font, text) - 1),
              std::vector<QString>{QStringLiteral("Suivi du TP W...")});
    EXPECT_EQ(shown(byTwo), std::vector<QString>{QStringLiteral("Suivi du TP W...")});
    EXPECT_EQ(shown(byTwo - 1), std::vector<QString>{QStringLiteral("Suivi du TP ...")});
    EXPECT_EQ(shown(byThree - 1), std::vector<QString>{QStringLiteral("Suivi du TP...")});
    // Down to a bare ellipsis, which the form caption may show.
    EXPECT_EQ(shown(1), std::vector<QString>{QStringLiteral("...")});
}

namespace {

struct PiecesFixture : CaptionFixture {
    QStringList names = {QStringLiteral("Un "), QStringLiteral("Deux "), QStringLiteral("Trois ")};
    PiecesFixture() {
        for (const QString &name : names)
            caption.Captions().Add().SetCaption(name);
        caption.Captions().Items(1).SetGlueNext(true);
        caption.SetFormCaption(QStringLiteral("Pexor"));
    }
    int Width(const QString &text) const { return WidthIn(caption.Font(), text); }
    std::vector<QString> Shown(int areaWidth) {
        RecordingCanvas canvas;
        caption.PaintCaptionBitmap(canvas, areaWidth + 2, 18, true);
        return Texts(canvas);
    }
};

} // namespace

TEST(GradCaption, LeftToRightDropsLeadingPiecesWithTheirGluedPartners) {
    PiecesFixture f;
    const int w0 = f.Width(f.names[0]);
    const int w1 = f.Width(f.names[1]);
    const int w2 = f.Width(f.names[2]);
    const int wf = f.Width(QStringLiteral("Pexor"));
    const int need = 2 + w0 + w1 + w2 + wf;

    EXPECT_EQ(f.Shown(need),
              (std::vector<QString>{f.names[0], f.names[1], f.names[2], QStringLiteral("Pexor")}));
    EXPECT_EQ(f.Shown(need - 1),
              (std::vector<QString>{f.names[1], f.names[2], QStringLiteral("Pexor")}));
    // Once "Deux " goes, "Trois " glued to it goes too.
    EXPECT_EQ(f.Shown(need - w0 - 1), std::vector<QString>{QStringLiteral("Pexor")});

    // An invisible piece takes no room and draws nothing.
    f.caption.Captions().Items(0).SetVisible(false);
    EXPECT_EQ(f.Shown(need - w0),
              (std::vector<QString>{f.names[1], f.names[2], QStringLiteral("Pexor")}));
}

TEST(GradCaption, RightToLeftDropsTrailingPiecesAndTheFormCaptionFirst) {
    PiecesFixture f;
    f.caption.SetHideDirection(THideDirection::hdRightToLeft);
    const int w0 = f.Width(f.names[0]);
    const int w1 = f.Width(f.names[1]);
    const int w2 = f.Width(f.names[2]);
    const int wf = f.Width(QStringLiteral("Pexor"));
    ASSERT_LT(3, f.Width(QStringLiteral("...")));

    EXPECT_EQ(f.Shown(w0 + w1 + w2 + wf),
              (std::vector<QString>{f.names[0], f.names[1], f.names[2], QStringLiteral("Pexor")}));
    // No room for the form caption: it is not shortened to a bare "...".
    EXPECT_EQ(f.Shown(w0 + w1 + w2 + 3),
              (std::vector<QString>{f.names[0], f.names[1], f.names[2]}));
    // "Deux " glued to "Trois " has no room: its partner stands in as a bare
    // ellipsis and the form caption goes.
    EXPECT_EQ(f.Shown(w0 + 3), (std::vector<QString>{f.names[0], QStringLiteral("...")}));
}

TEST(GradCaption, CaptionRectangleExcludesFrameAndButtons) {
    TCaptionMetrics m;
    const TRect window(100, 50, 500, 400);
    // The main window: sizeable, system menu and minimise give three buttons.
    EXPECT_EQ(CaptionRectOf(window, TFormBorderStyle::bsSizeable, biSystemMenu | biMinimize, m),
              TRect(104, 54, 496 - 3 * 22, 54 + 22));
    EXPECT_EQ(CaptionRectOf(window, TFormBorderStyle::bsDialog,
                            biSystemMenu | biMinimize | biMaximize | biHelp, m),
              TRect(103, 53, 497 - 2 * 22, 53 + 22));
    EXPECT_EQ(CaptionRectOf(window, TFormBorderStyle::bsToolWindow, biSystemMenu | biHelp, m),
              TRect(103, 53, 497 - 16, 53 + 16));
    EXPECT_EQ(CaptionRectOf(window, TFormBorderStyle::bsNone, 0, m), TRect(100, 50, 500, 72));
}

TEST(GradCaption, BorderIconsFilteredByBorderStyle) {
    const TBorderIcons all = biSystemMenu | biMinimize | biMaximize | biHelp;
    EXPECT_EQ(FilterBorderIcons(all, TFormBorderStyle::bsDialog), biSystemMenu | biHelp);
    EXPECT_EQ(FilterBorderIcons(all, TFormBorderStyle::bsSizeToolWin), biSystemMenu);
    EXPECT_EQ(FilterBorderIcons(all, TFormBorderStyle::bsSizeable),
              biSystemMenu | biMinimize | biMaximize);
    EXPECT_EQ(FilterBorderIcons(biMinimize | biHelp, TFormBorderStyle::bsSingle), biHelp);
    EXPECT_EQ(FilterBorderIcons(biSystemMenu | biHelp, TFormBorderStyle::bsSingle),
              biSystemMenu | biHelp);
    EXPECT_EQ(CaptionButtonCount(biSystemMenu | biMinimize), 3);
    EXPECT_EQ(CaptionButtonCount(biSystemMenu | biMinimize | biMaximize), 3);
    EXPECT_EQ(CaptionButtonCount(biSystemMenu | biHelp), 2);
    EXPECT_EQ(CaptionButtonCount(0), 0);
}

TEST(CaptionList, PiecesFollowTheCaptionFontUntilGivenTheirOwn) {
    QWidget form;
    TGradientCaption caption(&form);
    TCaptionPiece &first = caption.Captions().Add();
    TCaptionPiece &second = caption.Captions().Add();
    EXPECT_EQ(first.Font(), caption.Font());
    EXPECT_TRUE(first.ParentFont());
    EXPECT_EQ(first.InactiveColor(), clInactiveCaptionText);
    EXPECT_FALSE(first.GlueNext());
    EXPECT_TRUE(first.Visible());
    EXPECT_EQ(second.Index(), 1);

    const TFont own(QStringLiteral("Arial"), 10, clRed, fsItalic);
    second.SetFont(own);
    EXPECT_FALSE(second.ParentFont());

    const TFont captionFont(QStringLiteral("Arial"), 9, clWhite, fsBold);
    caption.SetFont(captionFont);
    EXPECT_EQ(first.Font(), captionFont);
    EXPECT_EQ(second.Font(), own);

    // Drawing uses the caption's font for a following piece, its own otherwise.
    caption.SetFormBorderStyle(TFormBorderStyle::bsDialog);
    first.SetCaption(QStringLiteral("A"));
    second.SetCaption(QStringLiteral("B"));
    RecordingCanvas canvas;
    caption.PaintCaptionBitmap(canvas, 300, 18, true);
    const auto texts = canvas.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Font, captionFont);
    EXPECT_EQ(texts[1].Font, own);

    // Inactive: each piece in its own inactive colour.
    second.SetInactiveColor(clLime);
    RecordingCanvas inactive;
    caption.PaintCaptionBitmap(inactive, 300, 18, false);
    const auto dim = inactive.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(dim.size(), 2u);
    EXPECT_EQ(dim[0].Font.Color(), clInactiveCaptionText);
    EXPECT_EQ(dim[1].Font.Color(), clLime);
}

TEST(CaptionList, AssignCopiesAfterReset) {
    QWidget form;
    TGradientCaption caption(&form);
    TCaptionPiece &source = caption.Captions().Add();
    TCaptionPiece &target = caption.Captions().Add();
    source.SetCaption(QStringLiteral("Patient"));
    source.SetGlueNext(true);
    source.SetVisible(false);
    source.SetInactiveColor(clRed);

    target.SetFont(TFont(QStringLiteral("Arial"), 14));
    target.Assign(source);
    EXPECT_EQ(target.Caption(), QStringLiteral("Patient"));
    EXPECT_TRUE(target.GlueNext());
    EXPECT_FALSE(target.Visible());
    EXPECT_EQ(target.InactiveColor(), clRed);
    EXPECT_TRUE(target.ParentFont());
    EXPECT_EQ(target.Font(), caption.Font());

    const TFont own(QStringLiteral("Arial"), 11, clBlue);
    source.SetFont(own);
    target.Assign(source);
    EXPECT_FALSE(target.ParentFont());
    EXPECT_EQ(target.Font(), own);

    target.Reset();
    EXPECT_TRUE(target.ParentFont());
    EXPECT_TRUE(target.Visible());
    EXPECT_EQ(target.InactiveColor(), clInactiveCaptionText);
    EXPECT_EQ(target.Caption(), QStringLiteral("Patient"));

    QWidget other;
    TGradientCaption copy(&other);
    copy.SetCaptions(caption.Captions());
    ASSERT_EQ(copy.Captions().Count(), 2);
    EXPECT_EQ(copy.Captions().Items(0).Caption(), QStringLiteral("Patient"));
    EXPECT_THROW(copy.Captions().Items(2), EListError);
}

TEST(GradCaption, FollowsTheFormsActivation) {
    QWidget form;
    form.resize(300, 200);
    QWidget strip(&form);
    TGradientCaption caption(&form);
    caption.SetCaptionWidget(&strip);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_TRUE(caption.FormActive());

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(caption.FormActive());

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_TRUE(caption.FormActive());

    // Switched off, it no longer follows the form.
    caption.SetActive(false);
    EXPECT_FALSE(caption.FormActive());
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_FALSE(caption.FormActive());
}

TEST(GradCaption, RightClickShowsThePopupMenu) {
    QWidget form;
    TGradientCaption caption(&form);
    EXPECT_FALSE(caption.RightButtonDown());
    EXPECT_FALSE(caption.RightButtonUp(QPoint(10, 10)));

    auto *menu = new QMenu;
    menu->addAction(QStringLiteral("Fermer"));
    caption.SetPopupMenu(menu);
    EXPECT_FALSE(caption.RightButtonUp(QPoint(10, 10)));
    EXPECT_TRUE(caption.RightButtonDown());
    EXPECT_TRUE(caption.RightButtonUp(QPoint(10, 10)));
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    // A freed menu is forgotten.
    delete menu;
    EXPECT_EQ(caption.PopupMenu(), nullptr);
    EXPECT_FALSE(caption.RightButtonDown());
}
