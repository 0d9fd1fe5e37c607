#include "SceneParts.h"

#include "Text.h"

namespace picture {

void Ground(Canvas& c, int w, int h, int y, double level, int textOffset)
{
    c.SetPen({kGreyLine, 1});
    c.SetBrush({kSoil});
    c.Rectangle(0, y, w, h);
    c.SetPen({kGround, 1});
    c.Line(0, y, w, y);
    c.Line(0, y + 1, w, y + 1);
    c.SetTextColor(kBlack);
    c.TextOut(5, y - textOffset, FormatC("PT=%.2f", level));
}

void LevelTicks(Canvas& c, int w, int y, int share, const char* format, double level, int textOffset)
{
    c.SetPen({kBlack, 1, PenStyle::Dot});
    c.Line(0, y, w / share, y);
    c.Line(w - w / share, y, w, y);
    c.SetTextColor(kBlack);
    c.TextOut(5, y - textOffset, FormatC(format, level));
}

}  // namespace picture
