#include "ui/base/Artwork.h"

#include "core/base/CalcKind.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace {

using Painter = std::function<void(QPainter&)>;

// Toolbar images are 16 by 15, as the toolbar's buttons.
constexpr int kImageW = 16;
constexpr int kImageH = 15;

QPixmap Render(int w, int h, qreal dpr, const Painter& draw)
{
    QPixmap pm(QSize(qRound(w * dpr), qRound(h * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    draw(p);
    return pm;
}

QIcon IconFrom(const Painter& normal, const Painter& hot)
{
    QIcon icon;
    for (qreal dpr : {1.0, 2.0}) {
        icon.addPixmap(Render(kImageW, kImageH, dpr, normal), QIcon::Normal);
        icon.addPixmap(Render(kImageW, kImageH, dpr, hot), QIcon::Active);
    }
    return icon;
}

const QColor kOutline(60, 60, 70);

void DrawPage(QPainter& p, const QColor& paper)
{
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 13.5);
    page.lineTo(3.5, 13.5);
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(paper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
}

void DrawNew(QPainter& p, bool hot)
{
    DrawPage(p, Qt::white);
    if (hot) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 200, 0));
        p.drawEllipse(QPointF(12, 11.5), 3, 3);
    }
}

void DrawOpen(QPainter& p, bool hot)
{
    QColor back = hot ? QColor(240, 190, 60) : QColor(220, 170, 50);
    QColor front = hot ? QColor(255, 220, 110) : QColor(245, 205, 95);
    p.setPen(QPen(QColor(140, 100, 20), 1));
    p.setBrush(back);
    p.drawRect(QRectF(1.5, 3.5, 12, 9));
    p.drawRect(QRectF(1.5, 2.5, 5, 2));
    QPolygonF flap({QPointF(3.5, 6.5), QPointF(15.5, 6.5), QPointF(13.5, 12.5), QPointF(1.5, 12.5)});
    p.setBrush(front);
    p.drawPolygon(flap);
}

void DrawSave(QPainter& p, bool hot)
{
    p.setPen(QPen(QColor(30, 50, 110), 1));
    p.setBrush(hot ? QColor(70, 110, 210) : QColor(50, 85, 170));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 12), 1.5, 1.5);
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(5, 9, 6, 4));
    p.setBrush(QColor(50, 85, 170));
    p.drawRect(QRectF(9, 9.5, 1.5, 3));
}

void DrawProject(QPainter& p, bool hot)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 1.5, 13, 12));
    p.setBrush(hot ? QColor(90, 150, 230) : QColor(70, 120, 200));
    p.drawRect(QRectF(1.5, 1.5, 13, 3));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    for (int y = 7; y <= 12; y += 2)
        p.drawLine(QPointF(3.5, y + 0.5), QPointF(12.5, y + 0.5));
}

void DrawImport(QPainter& p, bool hot)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(QRectF(5.5, 5.5, 9, 8));
    QColor arrow = hot ? QColor(20, 170, 60) : QColor(20, 140, 50);
    p.setPen(QPen(arrow, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(2, 2), QPointF(9, 9));
    p.drawPolyline(QPolygonF({QPointF(4.5, 9), QPointF(9, 9), QPointF(9, 4.5)}));
}

void DrawPrint(QPainter& p, bool hot)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(hot ? QColor(170, 170, 185) : QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 5), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 9.5, 7, 4));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 190, 60));
    p.drawRect(QRectF(12, 7.5, 1.5, 1.5));
}

void DrawQuestionMark(QPainter& p, const QRectF& r, const QColor& c, qreal pixelSize)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(qRound(pixelSize));
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
}

void DrawContextHelp(QPainter& p, bool hot)
{
    QPolygonF cursor({QPointF(1.5, 1.5), QPointF(1.5, 12.5), QPointF(4.5, 9.5), QPointF(6.5, 13.5),
                      QPointF(8, 12.8), QPointF(6.2, 9), QPointF(9.5, 9)});
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(cursor);
    DrawQuestionMark(p, QRectF(8, 0, 8, 11), hot ? QColor(20, 90, 230) : QColor(20, 60, 180), 11);
}

void DrawManualImage(QPainter& p, bool hot)
{
    DrawPage(p, Qt::white);
    p.setPen(Qt::NoPen);
    p.setBrush(hot ? QColor(230, 40, 40) : QColor(200, 30, 30));
    p.drawRect(QRectF(2, 8, 9, 4));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.drawLine(QPointF(5, 4.5), QPointF(8.5, 4.5));
    p.drawLine(QPointF(5, 6.5), QPointF(11, 6.5));
}

void DrawAbout(QPainter& p, bool hot)
{
    p.setPen(QPen(QColor(20, 60, 160), 1));
    p.setBrush(hot ? QColor(70, 130, 235) : QColor(50, 100, 210));
    p.drawEllipse(QRectF(1.5, 1, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(7, 3.2, 2.2, 2.2));
    p.drawRect(QRectF(7, 6.5, 2.2, 5.5));
}

void FlagFrame(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawRect(QRectF(0.5, 2.5, 15, 10));
}

void DrawFlagPolish(QPainter& p, bool)
{
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(0.5, 2.5, 15, 5), Qt::white);
    p.fillRect(QRectF(0.5, 7.5, 15, 5), QColor(220, 20, 60));
    FlagFrame(p);
}

void DrawFlagRussian(QPainter& p, bool)
{
    p.fillRect(QRectF(0.5, 2.5, 15, 3.33), Qt::white);
    p.fillRect(QRectF(0.5, 5.83, 15, 3.34), QColor(0, 57, 166));
    p.fillRect(QRectF(0.5, 9.17, 15, 3.33), QColor(213, 43, 30));
    FlagFrame(p);
}

void DrawFlagEnglish(QPainter& p, bool)
{
    p.save();
    p.setClipRect(QRectF(0.5, 2.5, 15, 10));
    p.fillRect(QRectF(0.5, 2.5, 15, 10), QColor(1, 33, 105));
    p.setPen(QPen(Qt::white, 2.5));
    p.drawLine(QPointF(0.5, 2.5), QPointF(15.5, 12.5));
    p.drawLine(QPointF(15.5, 2.5), QPointF(0.5, 12.5));
    p.setPen(QPen(QColor(200, 16, 46), 1));
    p.drawLine(QPointF(0.5, 2.5), QPointF(15.5, 12.5));
    p.drawLine(QPointF(15.5, 2.5), QPointF(0.5, 12.5));
    p.fillRect(QRectF(6, 2.5, 4, 10), Qt::white);
    p.fillRect(QRectF(0.5, 5.5, 15, 4), Qt::white);
    p.fillRect(QRectF(7, 2.5, 2, 10), QColor(200, 16, 46));
    p.fillRect(QRectF(0.5, 6.5, 15, 2), QColor(200, 16, 46));
    p.restore();
    FlagFrame(p);
}

// The pipe, trench and water of the program's icon, in a square of side s.
void DrawProgramIcon(QPainter& p, qreal s)
{
    QRectF all(0, 0, s, s);
    QLinearGradient soil(0, 0, 0, s);
    soil.setColorAt(0, QColor(176, 132, 84));
    soil.setColorAt(1, QColor(120, 84, 50));
    p.setPen(Qt::NoPen);
    p.setBrush(soil);
    p.drawRoundedRect(all.adjusted(s * 0.02, s * 0.02, -s * 0.02, -s * 0.02), s * 0.16, s * 0.16);
    // grass
    p.setBrush(QColor(96, 160, 70));
    QPainterPath top;
    top.addRoundedRect(all.adjusted(s * 0.02, s * 0.02, -s * 0.02, -s * 0.02), s * 0.16, s * 0.16);
    p.save();
    p.setClipPath(top);
    p.drawRect(QRectF(0, 0, s, s * 0.2));
    p.restore();
    // the pipe: a ring with water in its lower part
    QPointF c(s * 0.5, s * 0.58);
    qreal ro = s * 0.3, ri = s * 0.23;
    p.setBrush(QColor(235, 235, 240));
    p.drawEllipse(c, ro, ro);
    p.setBrush(QColor(245, 248, 255));
    p.drawEllipse(c, ri, ri);
    p.save();
    QPainterPath inner;
    inner.addEllipse(c, ri, ri);
    p.setClipPath(inner);
    p.setBrush(QColor(40, 120, 220));
    p.drawRect(QRectF(0, c.y() + ri * 0.15, s, s));
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(50, 60, 80), std::max<qreal>(1.0, s * 0.03)));
    p.drawEllipse(c, ro, ro);
    p.drawEllipse(c, ri, ri);
}

QPixmap ProgramIconPixmap(int side)
{
    return Render(side, side, 1.0, [side](QPainter& p) { DrawProgramIcon(p, side); });
}

// ---- start-up pictures ------------------------------------------------------

struct StartupTexts {
    const char16_t* subtitle;
    const char16_t* kinds;
};

StartupTexts TextsOf(int bitmapId)
{
    switch (bitmapId) {
    case kStartupBitmapPolish:
        return {u"Obliczenia rurociągów, studzienek i zbiorników podziemnych",
                u"zbiornik  ·  studzienka  ·  rura w gruncie  ·  przepływ ciśnieniowy  ·  przepływ grawitacyjny"};
    case kStartupBitmapRussian:
        return {u"Расчёты подземных трубопроводов, колодцев и резервуаров",
                u"резервуар  ·  колодец  ·  труба в грунте  ·  напорный поток  ·  самотёчный поток"};
    default:
        return {u"Calculations for buried pipelines, manholes and underground tanks",
                u"tank  ·  manhole  ·  buried pipe  ·  pressure flow  ·  gravity flow"};
    }
}

void DrawStartup(QPainter& p, int bitmapId, qreal w, qreal h)
{
    // Everything is laid out on a 1050 by 656 grid and scaled to the size.
    p.scale(w / 1050.0, h / 656.0);
    const qreal ground = 300;

    QLinearGradient sky(0, 0, 0, ground);
    sky.setColorAt(0, QColor(28, 74, 140));
    sky.setColorAt(1, QColor(150, 196, 235));
    p.fillRect(QRectF(0, 0, 1050, ground), sky);

    QLinearGradient soil(0, ground, 0, 656);
    soil.setColorAt(0, QColor(168, 126, 80));
    soil.setColorAt(1, QColor(104, 72, 44));
    p.fillRect(QRectF(0, ground, 1050, 356), soil);
    p.fillRect(QRectF(0, ground - 6, 1050, 10), QColor(92, 150, 64));

    // soil texture: a few sparse pebbles
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 102, 64));
    for (int i = 0; i < 90; ++i) {
        qreal x = std::fmod(i * 137.5, 1050.0);
        qreal y = ground + 20 + std::fmod(i * 71.3, 330.0);
        p.drawEllipse(QPointF(x, y), 2.5 + (i % 3), 1.8 + (i % 2));
    }

    // groundwater level
    p.setPen(QPen(QColor(60, 150, 255), 2, Qt::DashLine));
    p.drawLine(QPointF(0, 470), QPointF(1050, 470));
    p.setBrush(QColor(60, 150, 255));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(40, 462), QPointF(52, 462), QPointF(46, 470)}));

    // trench with a buried pipe
    QPolygonF trench({QPointF(80, ground + 4), QPointF(300, ground + 4), QPointF(270, 600), QPointF(110, 600)});
    p.setBrush(QColor(206, 176, 120));
    p.drawPolygon(trench);
    QPointF pc(190, 520);
    p.setBrush(QColor(225, 225, 230));
    p.setPen(QPen(QColor(60, 60, 70), 3));
    p.drawEllipse(pc, 62, 62);
    p.setBrush(QColor(245, 248, 252));
    p.drawEllipse(pc, 50, 50);
    p.save();
    QPainterPath bore;
    bore.addEllipse(pc, 50, 50);
    p.setClipPath(bore);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 120, 220));
    p.drawRect(QRectF(100, 530, 200, 60));
    p.restore();

    // manhole: shaft, cone and cover, with the pipe entering
    p.setPen(QPen(QColor(70, 70, 75), 3));
    p.setBrush(QColor(190, 190, 196));
    QPolygonF shaft({QPointF(430, ground - 4), QPointF(470, ground - 4), QPointF(470, 360), QPointF(520, 400),
                     QPointF(520, 610), QPointF(380, 610), QPointF(380, 400), QPointF(430, 360)});
    p.drawPolygon(shaft);
    p.setBrush(QColor(236, 236, 240));
    p.drawRect(QRectF(398, 410, 104, 180));
    p.setBrush(QColor(60, 60, 66));
    p.drawRect(QRectF(420, ground - 12, 60, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 120, 220));
    p.drawRect(QRectF(400, 560, 100, 28));

    // underground tank: a horizontal cylinder with domed ends, anchored
    QRectF tank(620, 400, 330, 150);
    p.setPen(QPen(QColor(40, 70, 40), 3));
    QLinearGradient shell(0, tank.top(), 0, tank.bottom());
    shell.setColorAt(0, QColor(120, 190, 110));
    shell.setColorAt(0.5, QColor(70, 150, 70));
    shell.setColorAt(1, QColor(40, 100, 45));
    p.setBrush(shell);
    p.drawRoundedRect(tank, 70, 75);
    p.setPen(QPen(QColor(40, 70, 40), 2));
    for (int i = 1; i < 6; ++i) {
        qreal x = tank.left() + 40 + i * 42;
        p.drawLine(QPointF(x, tank.top() + 4), QPointF(x, tank.bottom() - 4));
    }
    p.setBrush(QColor(90, 90, 95));
    p.drawRect(QRectF(760, ground - 10, 50, 112));
    p.setPen(QPen(QColor(50, 50, 50), 3));
    p.drawLine(QPointF(680, 548), QPointF(680, 600));
    p.drawLine(QPointF(890, 548), QPointF(890, 600));
    p.setBrush(QColor(150, 150, 150));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(640, 598, 290, 16));

    // the titles
    StartupTexts t = TextsOf(bitmapId);
    QFont maker(QStringLiteral("Liberation Sans"));
    maker.setPixelSize(26);
    maker.setBold(true);
    maker.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(maker);
    p.setPen(QColor(230, 238, 250));
    p.drawText(QRectF(60, 34, 900, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QUORLIN"));

    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(96);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(QRectF(64, 74, 900, 110), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Dalvor"));
    p.setPen(Qt::white);
    p.drawText(QRectF(60, 70, 900, 110), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Dalvor"));

    // The version stands just after the name, on its baseline.
    const qreal nameWidth = QFontMetricsF(title).horizontalAdvance(QStringLiteral("Dalvor"));
    const qreal baseline = 70 + (110 + QFontMetricsF(title).ascent() - QFontMetricsF(title).descent()) / 2;
    QFont version(QStringLiteral("Liberation Sans"));
    version.setPixelSize(44);
    version.setBold(true);
    p.setFont(version);
    p.setPen(QColor(255, 210, 90));
    p.drawText(QPointF(60 + nameWidth + 16, baseline), QStringLiteral("5"));

    QFont sub(QStringLiteral("Liberation Sans"));
    sub.setPixelSize(26);
    p.setFont(sub);
    p.setPen(QColor(245, 248, 255));
    p.drawText(QRectF(60, 186, 960, 36), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf16(t.subtitle));

    QFont kinds(QStringLiteral("Liberation Sans"));
    kinds.setPixelSize(17);
    p.setFont(kinds);
    p.setPen(QColor(215, 228, 245));
    p.drawText(QRectF(60, 228, 960, 28), Qt::AlignLeft | Qt::AlignVCenter, QString::fromUtf16(t.kinds));
}

}  // namespace

int StartupBitmapId(int languageOffset)
{
    switch (languageOffset) {
    case LangPolish: return kStartupBitmapPolish;
    case LangEnglish: return kStartupBitmapEnglish;
    case LangRussian: return kStartupBitmapRussian;
    default: return 0;
    }
}

QPixmap StartupPicture(int bitmapId, QSize size, qreal devicePixelRatio)
{
    if (bitmapId != kStartupBitmapPolish && bitmapId != kStartupBitmapEnglish &&
        bitmapId != kStartupBitmapRussian)
        return {};
    if (size.isEmpty())
        return {};
    return Render(size.width(), size.height(), devicePixelRatio,
                  [&](QPainter& p) { DrawStartup(p, bitmapId, size.width(), size.height()); });
}

QIcon ToolbarIcon(int commandId)
{
    using Draw = void (*)(QPainter&, bool);
    Draw draw = nullptr;
    switch (commandId) {
    case 57600: draw = DrawNew; break;
    case 57601: draw = DrawOpen; break;
    case 57603: draw = DrawSave; break;
    case 32800: draw = DrawProject; break;
    case 32801: draw = DrawImport; break;
    case 57607: draw = DrawPrint; break;
    case 57669: draw = DrawContextHelp; break;
    case 32773: draw = DrawManualImage; break;
    case 57664: draw = DrawAbout; break;
    case 32775: draw = DrawFlagPolish; break;
    case 32774: draw = DrawFlagRussian; break;
    case 32776: draw = DrawFlagEnglish; break;
    default: return {};
    }
    return IconFrom([draw](QPainter& p) { draw(p, false); }, [draw](QPainter& p) { draw(p, true); });
}

QPixmap QueryButtonBitmap(int bitmapId, qreal dpr)
{
    if (bitmapId == kBitmapDialogQuery) {
        // The input dialogs' "?": a blue question mark in a round badge.
        return Render(16, 16, dpr, [](QPainter& p) {
            p.setPen(QPen(QColor(20, 60, 160), 1));
            p.setBrush(QColor(225, 235, 255));
            p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
            DrawQuestionMark(p, QRectF(0, 0, 16, 16), QColor(20, 60, 180), 13);
        });
    }
    if (bitmapId == kBitmapProjectQuery) {
        // The project's "?": the project list with a question mark.
        return Render(16, 16, dpr, [](QPainter& p) {
            DrawProject(p, false);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 210, 40));
            p.drawEllipse(QRectF(7, 6, 9.5, 9.5));
            DrawQuestionMark(p, QRectF(7, 6, 9.5, 9.5), QColor(40, 40, 40), 9);
        });
    }
    return {};
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(ProgramIconPixmap(side));
    return icon;
}
