#include "controls/Label3D.h"

#include "render/QtCanvas.h"
#include "render/RecordingCanvas.h"

#include <QImage>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using namespace pexor;

namespace {

// (x, y, colour, text) of each text drawn, in order.
using TextCall = std::tuple<int, int, TColor, QString>;

std::vector<TextCall> TextCalls(const RecordingCanvas &canvas) {
    std::vector<TextCall> calls;
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::TextOut))
        calls.emplace_back(r.Points[0].x(), r.Points[0].y(), r.Font.Color(), r.Text);
    return calls;
}

QSize ScreenExtent(const TFont &font, const QString &text) {
    QImage screen(1, 1, QImage::Format_RGB32);
    QtCanvas canvas(&screen);
    canvas.SetFont(font);
    return canvas.TextExtent(text);
}

struct StyleCase {
    TCaptionStyle style;
    std::vector<TextCall> expected;
};

} // namespace

TEST(Label3D, EachStyleDrawsItsOffsetCopiesBeforeTheFace) {
    EXPECT_EQ(TLabel3D().CaptionStyle(), TCaptionStyle::csRecessed);
    const QString text = QStringLiteral("Valeurs");
    const std::vector<StyleCase> cases = {
        {TCaptionStyle::csNone, {{0, 0, clWindowText, text}}},
        {TCaptionStyle::csRaised, {{-1, -1, clBtnHighlight, text}, {0, 0, clWindowText, text}}},
        {TCaptionStyle::csHeavyRaised,
         {{1, 1, clBtnShadow, text}, {-1, -1, clBtnHighlight, text}, {0, 0, clWindowText, text}}},
        {TCaptionStyle::csRecessed, {{1, 1, clBtnHighlight, text}, {0, 0, clWindowText, text}}},
        {TCaptionStyle::csHeavyRecessed,
         {{1, 1, clBtnHighlight, text}, {-1, -1, clBtnShadow, text}, {0, 0, clWindowText, text}}},
    };
    for (const StyleCase &c : cases) {
        TLabel3D label;
        label.SetAutoSize(false);
        label.resize(120, 20);
        label.SetCaption(text);
        label.SetCaptionStyle(c.style);
        RecordingCanvas canvas;
        label.Paint(canvas);
        EXPECT_EQ(TextCalls(canvas), c.expected) << int(c.style);
        for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::TextOut))
            EXPECT_EQ(r.BackMode, TBackMode::Transparent);
    }
}

TEST(Label3D, DisabledFaceIsGreyAndCopiesStay) {
    TLabel3D label;
    label.SetCaption(QStringLiteral("Pexor"));
    label.SetCaptionStyle(TCaptionStyle::csHeavyRecessed);
    label.setEnabled(false);
    RecordingCanvas canvas;
    label.Paint(canvas);
    const std::vector<TextCall> expected = {{1, 1, clBtnHighlight, QStringLiteral("Pexor")},
                                            {-1, -1, clBtnShadow, QStringLiteral("Pexor")},
                                            {0, 0, clGrayText, QStringLiteral("Pexor")}};
    EXPECT_EQ(TextCalls(canvas), expected);
}

TEST(Label3D, BackgroundFilledUnlessTransparent) {
    TLabel3D label;
    label.SetAutoSize(false);
    label.resize(80, 14);
    label.SetColor(clYellow);
    label.SetCaption(QStringLiteral("x"));
    RecordingCanvas canvas;
    label.Paint(canvas);
    const auto fills = canvas.RecordsOf(TRecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].Points, QPolygon({QPoint(0, 0), QPoint(80, 14)}));
    EXPECT_EQ(fills[0].Brush.Color(), clYellow);
    EXPECT_EQ(canvas.Records().front().Kind, TRecordKind::FillRect);

    label.SetTransparent(true);
    RecordingCanvas clear;
    label.Paint(clear);
    EXPECT_TRUE(clear.RecordsOf(TRecordKind::FillRect).empty());
    EXPECT_EQ(clear.RecordsOf(TRecordKind::TextOut).size(), 2u);
}

TEST(Label3D, AutoSizeMeasuresThePlainText) {
    TLabel3D label;
    label.move(10, 20);
    label.SetCaption(QStringLiteral("Valeurs du suivi du TP et du INR"));
    EXPECT_EQ(label.size(),
              ScreenExtent(label.Font(), QStringLiteral("Valeurs du suivi du TP et du INR")));
    EXPECT_EQ(label.pos(), QPoint(10, 20));

    // An empty caption, or a lone accelerator mark, is measured as one blank.
    label.SetCaption(QString());
    EXPECT_EQ(label.size(), ScreenExtent(label.Font(), QStringLiteral(" ")));
    label.SetCaption(QStringLiteral("&"));
    EXPECT_EQ(label.size(), ScreenExtent(label.Font(), QStringLiteral(" ")));

    // Without accelerators the mark is ordinary text.
    label.SetShowAccelChar(false);
    EXPECT_EQ(label.size(), ScreenExtent(label.Font(), QStringLiteral("&")));
}

TEST(Label3D, AutoSizeKeepsTheRightEdgeOfARightAlignedLabel) {
    TLabel3D label;
    label.SetAutoSize(false);
    label.setGeometry(100, 5, 200, 16);
    label.SetAlignment(TAlignment::taRightJustify);
    label.SetCaption(QStringLiteral("INR"));
    label.SetAutoSize(true);
    const QSize extent = ScreenExtent(label.Font(), QStringLiteral("INR"));
    EXPECT_EQ(label.geometry(), QRect(300 - extent.width(), 5, extent.width(), extent.height()));
}

TEST(Label3D, FixedSizeLabelBreaksWordsAndAligns) {
    TLabel3D label;
    label.SetAutoSize(false);
    label.SetCaptionStyle(TCaptionStyle::csNone);
    const QString first = QStringLiteral("Mémoire");
    const QString second = QStringLiteral("physique");
    const int wide = std::max(ScreenExtent(label.Font(), first).width(),
                              ScreenExtent(label.Font(), second).width());
    label.resize(wide + 4, 40);
    label.SetCaption(first + QStringLiteral(" ") + second);
    label.SetAlignment(TAlignment::taRightJustify);
    RecordingCanvas canvas;
    label.Paint(canvas);
    const int lineHeight = ScreenExtent(label.Font(), QStringLiteral(" ")).height();
    const std::vector<TextCall> expected = {
        {wide + 4 - ScreenExtent(label.Font(), first).width(), 0, clWindowText, first},
        {wide + 4 - ScreenExtent(label.Font(), second).width(), lineHeight, clWindowText, second}};
    EXPECT_EQ(TextCalls(canvas), expected);
    // Every text is clipped to the label's rectangle.
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::TextOut)) {
        EXPECT_EQ(r.Clip.kind, TClip::Kind::Rect);
        EXPECT_EQ(r.Clip.rect, TRect(0, 0, wide + 4, 40));
    }
}

TEST(Label3D, AcceleratorCharacterIsUnderlined) {
    TLabel3D label;
    label.SetCaptionStyle(TCaptionStyle::csNone);
    label.SetCaption(QStringLiteral("A &propos && plus"));
    RecordingCanvas canvas;
    label.Paint(canvas);
    const auto texts = canvas.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("A "));
    EXPECT_EQ(texts[1].Text, QStringLiteral("p"));
    EXPECT_EQ(texts[1].Font.Style() & fsUnderline, fsUnderline);
    EXPECT_EQ(texts[1].Points[0].x(), ScreenExtent(label.Font(), QStringLiteral("A ")).width());
    EXPECT_EQ(texts[2].Text, QStringLiteral("ropos & plus"));
    EXPECT_EQ(texts[2].Font.Style() & fsUnderline, 0u);

    label.SetShowAccelChar(false);
    RecordingCanvas plain;
    label.Paint(plain);
    ASSERT_EQ(plain.RecordsOf(TRecordKind::TextOut).size(), 1u);
    EXPECT_EQ(plain.RecordsOf(TRecordKind::TextOut)[0].Text, QStringLiteral("A &propos && plus"));
}

TEST(Label3D, TabsJumpToStopsOfEightAverageCharacters) {
    TLabel3D label;
    label.SetAutoSize(false);
    label.resize(400, 16);
    label.SetCaptionStyle(TCaptionStyle::csNone);
    label.SetCaption(QStringLiteral("TP\t45"));
    RecordingCanvas canvas;
    label.Paint(canvas);
    const auto texts = canvas.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    const int sample =
        ScreenExtent(label.Font(),
                     QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"))
            .width();
    EXPECT_EQ(texts[1].Points[0].x(), 8 * ((sample + 26) / 52));
}

TEST(Label3D, CaptionBeyond255CharactersIsNotDrawn) {
    TLabel3D label;
    label.SetAutoSize(false);
    label.resize(30000, 16);
    label.SetCaptionStyle(TCaptionStyle::csNone);
    label.SetCaption(QString(300, QLatin1Char('x')));
    RecordingCanvas canvas;
    label.Paint(canvas);
    ASSERT_EQ(canvas.RecordsOf(TRecordKind::TextOut).size(), 1u);
    EXPECT_EQ(canvas.RecordsOf(TRecordKind::TextOut)[0].Text, QString(255, QLatin1Char('x')));
}
