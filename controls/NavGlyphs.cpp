#include "controls/NavGlyphs.h"

#include "controls/CalendarTexts.h"
#include "controls/GlyphButton.h"
#include "controls/MonthCalendar.h"

namespace pexor {

namespace {

// A solid triangle three columns wide; tip is its pointed column.
void Triangle(QImage &image, int tip, bool pointsLeft) {
    for (int i = 0; i < 3; ++i) {
        const int x = pointsLeft ? tip + i : tip - i;
        for (int y = 2 - i; y <= 3 + i; ++y)
            image.setPixel(x, y, 0);
    }
}

} // namespace

QImage NavGlyph(TNavGlyph kind) {
    QImage image(8, 6, QImage::Format_Mono);
    image.setColor(0, qRgb(0, 0, 0));
    image.setColor(1, qRgb(255, 255, 255));
    image.fill(1);
    switch (kind) {
    case TNavGlyph::Prev2:
        Triangle(image, 1, true);
        Triangle(image, 5, true);
        break;
    case TNavGlyph::Prev1:
        Triangle(image, 2, true);
        break;
    case TNavGlyph::Next1:
        Triangle(image, 5, false);
        break;
    case TNavGlyph::Next2:
        Triangle(image, 2, false);
        Triangle(image, 6, false);
        break;
    }
    return image;
}

TNavButtons CreateNavButtons(QWidget *parent, const std::array<int, 4> &lefts, int top, int size,
                             TMonthCalendar &calendar) {
    const std::array<TNavGlyph, 4> glyphs{TNavGlyph::Prev2, TNavGlyph::Prev1, TNavGlyph::Next1,
                                          TNavGlyph::Next2};
    const QStringList hints = DefaultCalendarHints();
    const QStringList names = CalendarButtonNames();
    TNavButtons buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto *button = new TRepeatButton(parent);
        button->setGeometry(lefts[i], top, size, size);
        button->SetGlyph(GlyphWithTransparency(NavGlyph(glyphs[i]), clWhite));
        button->SetHint(hints[int(i)]);
        button->setAccessibleName(names[int(i)]);
        buttons[i] = button;
    }
    buttons[0]->OnClick = [&calendar](TGlyphButton *) { calendar.PrevYear(); };
    buttons[1]->OnClick = [&calendar](TGlyphButton *) { calendar.PrevMonth(); };
    buttons[2]->OnClick = [&calendar](TGlyphButton *) { calendar.NextMonth(); };
    buttons[3]->OnClick = [&calendar](TGlyphButton *) { calendar.NextYear(); };
    return buttons;
}

void ApplyNavHints(const TNavButtons &buttons, const QStringList &hints) {
    for (int i = 0; i < int(buttons.size()) && i < hints.size(); ++i) {
        if (!hints[i].isEmpty())
            buttons[std::size_t(i)]->SetHint(hints[i]);
    }
}

} // namespace pexor
