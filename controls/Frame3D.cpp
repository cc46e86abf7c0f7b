#include "controls/Frame3D.h"

namespace pexor {

void Frame3D(Canvas &canvas, TRect &rect, TColor topLeft, TColor bottomRight) {
    PenScope pen(canvas);
    canvas.SetPen(TPen(topLeft));
    const int right = rect.Right - 1;
    const int bottom = rect.Bottom - 1;
    canvas.MoveTo(rect.Left, bottom);
    canvas.LineTo(rect.Left, rect.Top);
    canvas.LineTo(right, rect.Top);
    canvas.SetPen(TPen(bottomRight));
    canvas.LineTo(right, bottom);
    canvas.LineTo(rect.Left - 1, bottom);
    rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
}

} // namespace pexor
