#include "reports/ReportPrint.h"

#include "core/base/Text.h"
#include "pictures/QPainterCanvas.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <new>
#include <span>

namespace {

// round(a * b / c), halves away from zero.
int MulDiv(int a, int b, int c)
{
    const long long n = static_cast<long long>(a) * b;
    const long long q = (std::llabs(n) * 2 + std::llabs(c)) / (2 * std::llabs(c));
    return static_cast<int>(((n < 0) != (c < 0)) ? -q : q);
}

constexpr int kMarginMm = 10;
constexpr int kPointSizes[5] = {14, 10, 8, 6, 6};
constexpr double kTallPicture = 1.15f;
constexpr float kTallPictureF = 1.15f;
constexpr float kInsetShare = 0.01f;
constexpr float kUnderShare = 0.98f;
constexpr int kPdfDpi = 600;
constexpr int kRowFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QString ToQ(const std::u16string& s)
{
    QString q = QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
    q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return q;
}

// The lines of a text that must stay within `width`: broken at blanks, each
// line as long as fits. A word wider than a whole line (a name written
// without blanks) is not split: it stays on its line, after what precedes
// it, and the line is cut where it is drawn.
QStringList FittedLines(const QFontMetrics& fm, QString rest, int width)
{
    QStringList lines;
    while (!rest.isEmpty()) {
        if (fm.horizontalAdvance(rest) <= width) {
            lines.append(rest);
            break;
        }
        // The last blank before which the line still fits.
        int cut = -1;
        for (int i = rest.indexOf(u' '); i >= 0; i = rest.indexOf(u' ', i + 1)) {
            if (fm.horizontalAdvance(rest.left(i)) > width)
                break;
            cut = i;
        }
        const auto wordEnd = [&](int from) {
            while (from < rest.size() && rest[from] == u' ')
                ++from;
            const int blank = rest.indexOf(u' ', from);
            return blank < 0 ? static_cast<int>(rest.size()) : blank;
        };
        int end = cut;
        if (cut <= 0) {
            end = wordEnd(0);
        } else {
            const int next = wordEnd(cut);
            if (fm.horizontalAdvance(rest.mid(cut, next - cut).trimmed()) > width)
                end = next;
        }
        lines.append(rest.left(end));
        int from = end;
        while (from < rest.size() && rest[from] == u' ')
            ++from;
        rest = rest.mid(from);
    }
    return lines;
}

// A painter given up without ending its engine leaves its device counting it:
// this lets the device go free of it.
struct PaintDeviceRelease : QPaintDevice {
    static void Release(QPaintDevice& device) { device.*(&PaintDeviceRelease::painters) = 0; }
};

}  // namespace

// ---- print job ---------------------------------------------------------------------

CPrinterJob::CPrinterJob() = default;
CPrinterJob::~CPrinterJob() = default;

QPageLayout A4PageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

bool CPrinterJob::Print(QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, parent);
    // The report is one page whatever range is asked for.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, 1);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        // A PDF file is saved as a project is, never written in place.
        const QString file = printer.outputFileName();
        const PdfSaveResult saved = SavePdf(QFile::encodeName(file).toStdString(), printer.pageLayout());
        QGuiApplication::restoreOverrideCursor();
        if (!saved) {
            if (pdfNotSaved)
                pdfNotSaved(file, saved);
            else
                QMessageBox::warning(parent, QGuiApplication::applicationDisplayName(), startFailure);
        }
        return static_cast<bool>(saved);
    }
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDocName(documentName);
    // The page is laid out in device units (the footer's fixed spacing among
    // them), measured for a 600 dpi page: at a finer resolution the method
    // note of the footer would run into the disclaimer below it.
    printer.setResolution(kPdfDpi);
    const bool printed = PrintOn(printer);
    QGuiApplication::restoreOverrideCursor();
    if (!printed)
        QMessageBox::warning(parent, QGuiApplication::applicationDisplayName(), startFailure);
    return printed;
}

PdfSaveResult CPrinterJob::SavePdf(const std::string& path, const QPageLayout& layout)
{
    PdfSaveResult result;
    try {
        QByteArray pdf;
        {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            if (!PrintToPdf(buffer, layout)) {
                result.status = PdfSaveResult::NotDrawn;
                return result;
            }
        }
        result.write = WriteFileAtomically(
            path, std::span(reinterpret_cast<const uint8_t*>(pdf.constData()), static_cast<std::size_t>(pdf.size())));
    } catch (const std::bad_alloc&) {
        // Whatever was drawn so far is gone with its memory; no file was touched.
        result.status = PdfSaveResult::NoMemory;
        return result;
    }
    if (!result.write)
        result.status = result.write.error == ENOMEM ? PdfSaveResult::NoMemory : PdfSaveResult::NotWritten;
    return result;
}

bool CPrinterJob::PrintToPdf(const QString& path)
{
    return static_cast<bool>(SavePdf(QFile::encodeName(path).toStdString()));
}

bool CPrinterJob::PrintToPdf(QIODevice& out, const QPageLayout& layout)
{
    QPdfWriter writer(&out);
    writer.setTitle(documentName);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(layout);
    return PrintOn(writer);
}

bool CPrinterJob::PrintOn(QPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    try {
        const PageRect page{0, 0, device.width(), device.height()};
        OnBeginPrinting(painter, device, page);
        {
            const PainterSave saved(painter);
            OnPrint(painter, device, page);
        }
        OnEndPrinting(painter);
        return painter.end();
    } catch (const std::bad_alloc&) {
        // The page is given up (the states saved while drawing it are
        // restored on the way out): its engine is told it is done without
        // finishing the page, which would need memory again, so that ending
        // the painter only clears the painter itself and nothing is printed.
        if (QPaintEngine* engine = painter.paintEngine())
            engine->setActive(false);
        painter.end();
        PaintDeviceRelease::Release(device);
        throw;
    }
}

// ---- report page ---------------------------------------------------------------------

CReportPrint::CReportPrint(const ReportSection (&s)[10]) : sections(s) {}

PageRect CReportPrint::InnerRect(const QRect& page, int dpiX, int dpiY)
{
    const int mx = MulDiv(kMarginMm * 100, dpiX, 2540);
    const int my = MulDiv(kMarginMm * 100, dpiY, 2540);
    return PageRect{page.left() + mx, page.top() + my, page.left() + page.width() - mx,
                    page.top() + page.height() - my};
}

void CReportPrint::OnBeginPrinting(QPainter& p, QPaintDevice& dev, const PageRect& page)
{
    device = &dev;
    const int dpi = dev.logicalDpiY();
    for (int i = 0; i < static_cast<int>(std::size(fonts)); ++i) {
        QFont font(i == 4 || i == 9 ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans"));
        font.setPixelSize(std::max(1, MulDiv(dpi, kPointSizes[i % 5] * 10, 720)));
        if (i >= 5 && i <= 8)
            font.setWeight(QFont::Black);
        font.setStyleHint(i == 4 || i == 9 ? QFont::TypeWriter : QFont::SansSerif);
        fonts[i] = font;
    }
    pens[0] = QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap);
    pens[1] = QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap);
    lineHeight10 = QFontMetrics(fonts[1], &dev).height() + 4;
    lineHeight8 = QFontMetrics(fonts[2], &dev).height() + 4;

    PageRect r = InnerRect(page.ToQRect(), dev.logicalDpiX(), dpi);
    DrawHeader(p, r, true);
    footerHeight = DrawFooter(p, r, true) + 2;
}

void CReportPrint::OnPrint(QPainter& p, QPaintDevice& dev, const PageRect& page)
{
    device = &dev;
    PageRect r = InnerRect(page.ToQRect(), dev.logicalDpiX(), dev.logicalDpiY());
    const int w = r.Width();
    const int h = r.Height();
    layout = Layout{};
    layout.inner = r;
    const Qt::BGMode previousMode = p.backgroundMode();
    p.setBackgroundMode(Qt::TransparentMode);

    layout.headerHeight = DrawHeader(p, r, false);
    p.setPen(pens[1]);
    p.drawLine(r.left, r.top, r.right, r.top);

    const int y0 = r.top + (r.bottom - r.top) / 100;
    int maxY = y0;
    layout.bodyTop = y0;
    columnCount = 2;
    const int half = w / 2;
    // The picture's shape decides its place; a picture with no size is none.
    const bool hasPicture = picture && pictureWidth > 0 && pictureHeight > 0;
    const double aspect = hasPicture ? static_cast<double>(pictureHeight) / pictureWidth : 0.0;

    for (int c = 0; c < columnCount; ++c) {
        int y = y0;
        if (c == 1 && hasPicture && aspect >= 0.5) {
            y += 50;
            QRect target;
            int ph;
            if (aspect > kTallPicture) {
                ph = static_cast<int>(static_cast<float>(w) * kTallPictureF * 0.5f);
                const int right = r.left + static_cast<int>((kTallPicture / aspect + 1) * w * 0.5);
                target = QRect(r.left + w / 2, y, right - (r.left + w / 2), ph);
            } else {
                ph = static_cast<int>(w * aspect * 0.5);
                target = QRect(r.left + w / 2, y, r.right - (r.left + w / 2), ph);
            }
            PlacePicture(p, target);
            y += lineHeight10 / 5 + ph;
            maxY = std::max(maxY, y);
        }
        DrawColumn(p, c, y, r, half);
        maxY = std::max(maxY, y);
    }

    if (hasPicture && aspect < 0.5) {
        const int y = maxY + 50;
        const int inset = static_cast<int>(static_cast<float>(w) * kInsetShare);
        const int ph = static_cast<int>(kUnderShare * static_cast<float>(aspect) * static_cast<float>(w));
        PlacePicture(p, QRect(r.left + inset, y, r.right - inset - (r.left + inset), ph));
        maxY = y + static_cast<int>(w * aspect);
    }
    // A picture with no width or height is no picture; it is released all the same.
    if (picture && !hasPicture)
        PlacePicture(p, QRect());
    layout.maxY = maxY;
    layout.footerHeight = footerHeight;

    p.setPen(pens[1]);
    const int footerLine = r.bottom - footerHeight;
    if (maxY <= r.bottom)
        p.drawLine(r.left, footerLine, r.right, footerLine);
    const PageRect f{r.left, r.bottom - footerHeight + h / 100, r.right, r.bottom};
    DrawFooter(p, f, false);
    if (maxY <= r.bottom)
        p.drawLine(r.left, footerLine, r.right, footerLine);

    if (!texts.disclaimer.empty()) {
        const int top = r.bottom - (footerHeight - h / 100) / 5;
        WrappedText(p, fonts[3], r.left, top, r.right, texts.disclaimer, Qt::AlignHCenter, false);
    }
    p.setBackgroundMode(previousMode);
}

void CReportPrint::DrawColumn(QPainter& p, int c, int& y, const PageRect& r, int half)
{
    const int headingHeight = static_cast<int>(1.1 * lineHeight10);
    const int rowHeight = lineHeight8 + 10;
    const int hLeft = c == 0 ? r.left : r.left + half;
    const int hRight = c == 0 ? r.left + half : r.right;
    const int rLeft = c == 0 ? r.left : r.right - half;
    const int rRight = c == 0 ? r.right - half : r.right;
    p.setPen(pens[1]);
    for (int s = c; s < static_cast<int>(std::size(sections)); s += 2) {
        const ReportSection& sec = sections[s];
        if (sec.present != 1)
            continue;
        const int rows = std::clamp(sec.rowCount, 0, 20);
        if (rows > 0) {
            const std::u16string heading =
                FromFixed(sec.label[0], 129) + u" " + FromFixed(sec.value[0], 129);
            const QFont& headingFont = fonts[sec.rowFlag[0] == 1 ? 6 : 1];
            const int hh = FittedHeight(headingFont, hRight - hLeft, ToQ(heading), headingHeight);
            p.setFont(headingFont);
            p.drawText(QRect(hLeft, y, hRight - hLeft, hh), kRowFlags, ToQ(heading));
            y += hh + 1;
            for (int i = 1; i < rows; ++i) {
                const std::u16string label = FromFixed(sec.label[i], 129);
                const std::u16string value = FromFixed(sec.value[i], 129);
                const std::u16string text = label.empty() ? value : label + u" " + value;
                if (text.empty())
                    continue;
                const bool heavy = sec.rowFlag[i] == 1;
                const QFont& font = fonts[heavy ? 7 : 2];
                const int rh = FittedHeight(font, rRight - rLeft, ToQ(text), rowHeight);
                p.setFont(font);
                p.drawText(QRect(rLeft, y, rRight - rLeft, rh), kRowFlags, ToQ(text));
                const bool gap = heavy && i + 1 < rows && sec.rowFlag[i + 1] != 1;
                y += rh + (gap ? 15 : 1);
            }
        }
        y += static_cast<int>(0.1 * lineHeight10);
    }
}

int CReportPrint::FittedHeight(const QFont& font, int width, const QString& text, int height) const
{
    // A row wider than its column goes on over more lines rather than being
    // cut off at the column's edge.
    const QFontMetrics fm(font, device);
    if (fm.horizontalAdvance(text) <= width)
        return height;
    const QRect wrapped = fm.boundingRect(QRect(0, 0, width, 1 << 20), kRowFlags, text);
    return std::max(height, wrapped.height() + height - fm.height());
}

void CReportPrint::PlacePicture(QPainter& p, const QRect& target)
{
    layout.pictureRect = target;
    PrintPicturePainter paint = std::move(picture);
    picture = nullptr;  // played once
    if (!paint)
        return;
    if (target.isEmpty()) {
        paint(p, target);  // nothing to draw: only released
        return;
    }
    const PainterSave saved(p);
    p.setClipRect(target);
    paint(p, target);
}

int CReportPrint::WrappedText(QPainter& p, const QFont& font, int left, int y, int right,
                              const std::u16string& text, int align, bool measureOnly)
{
    if (text.empty())
        return 0;
    const QString s = ToQ(text);
    const int flags = Qt::TextWordWrap | Qt::AlignTop | align;
    const QFontMetrics fm(font, device);
    const QRect measured = fm.boundingRect(QRect(left, y, right - left, 1 << 20), flags, s);
    const int h = measured.height();
    if (!measureOnly) {
        p.setFont(font);
        p.drawText(QRect(left, y, right - left, h), flags, s);
    }
    return h;
}

int CReportPrint::DrawHeader(QPainter& p, PageRect& r, bool measureOnly)
{
    const int w = r.Width();
    const PageRect logo{r.left, r.top + w / 100, r.left + static_cast<int>(w / 2.5), r.top + 17 * w / 100};
    if (!measureOnly) {
        DrawReportLogo(p, logo.ToQRect());
        p.setPen(pens[0]);
        p.setBrush(Qt::NoBrush);
        const QPoint outline[] = {{logo.left, logo.bottom}, {logo.left, logo.top}, {logo.right, logo.top},
                                  {logo.right, logo.bottom}, {logo.left, logo.bottom}};
        p.drawPolyline(outline, 5);
        p.setPen(pens[1]);
    }
    int height = logo.bottom - logo.top;
    int y = r.top + w / 30;
    const auto grow = [&] { height = std::max(height, y - r.top); };

    if (!texts.addressText.empty()) {
        y += WrappedText(p, fonts[2], r.left + w / 2, y, r.right, texts.addressText, Qt::AlignLeft, measureOnly) + 1;
        grow();
    }
    if (!texts.programLine.empty()) {
        y += WrappedText(p, fonts[3], r.right - w / 6, y, r.right, texts.programLine, Qt::AlignLeft, measureOnly) + 1;
        grow();
    }
    // The rule goes under the logo even when the address block is short.
    y = std::max(y, logo.bottom);
    if (!measureOnly)
        p.drawLine(r.left, y, r.right, y);
    y += w / 100;
    if (!texts.reportTitle.empty())
        y += WrappedText(p, fonts[0], r.left, y, r.right, texts.reportTitle, Qt::AlignLeft, measureOnly) + 1;
    y += w / 100;
    if (!texts.subtitle.empty())
        y += 3 * WrappedText(p, fonts[0], r.left, y, r.right, texts.subtitle, Qt::AlignLeft, measureOnly) / 2 + 1;
    y += w / 100;
    if (!texts.printTitle.empty())
        y += 3 * WrappedText(p, fonts[6], r.left, y, r.right, texts.printTitle, Qt::AlignLeft, measureOnly) / 2 + 1;
    // The titles belong to the header: the body starts below them.
    grow();
    r.top += height;
    return height;
}

int CReportPrint::DrawFooter(QPainter& p, const PageRect& f, bool measureOnly)
{
    int height = 0;
    const int dateLeft = f.right - f.Width() / 6;
    if (!texts.noticeLine.empty()) {
        // The notice (with the calculation's name) ends before the date's
        // column: a long name goes on over more lines.
        const int width = dateLeft - f.Width() / 100 - f.left;
        const QFontMetrics fm(fonts[1], device);
        const QString lines = FittedLines(fm, ToQ(texts.noticeLine), width).join(u'\n');
        constexpr int flags = Qt::AlignLeft | Qt::AlignTop;
        const int h = fm.boundingRect(QRect(f.left, f.top, width, 1 << 20), flags, lines).height();
        if (!measureOnly) {
            layout.notice = QRect(f.left, f.top, width, h);
            p.setFont(fonts[1]);
            p.drawText(layout.notice, flags, lines);  // clipped to the rectangle
        }
        height = std::max(height, h + 400);
    }
    if (!texts.dateLine.empty())
        WrappedText(p, fonts[3], dateLeft, f.top, f.right, texts.dateLine, Qt::AlignLeft, measureOnly);
    if (!texts.extraLine.empty()) {
        const int w7 = f.Width() / 7;
        const int top = f.bottom - static_cast<int>(std::lround(f.Height() / 2.6));
        WrappedText(p, fonts[2], f.left + w7, top, f.right - w7, texts.extraLine, Qt::AlignHCenter, measureOnly);
    }
    height += f.Height() / 100;
    return height;
}

// ---- logo ------------------------------------------------------------------------------

void DrawReportLogo(QPainter& p, const QRect& r)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const PainterSave saved(p);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor blue(0, 82, 147);
    const QColor light(96, 166, 218);
    // A pipe seen end-on: wall, inner ring and the water line.
    const double d = r.height() * 0.8;
    const QRectF ring(r.left() + r.height() * 0.1, r.top() + r.height() * 0.1, d, d);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawEllipse(ring);
    p.setBrush(Qt::white);
    const QRectF bore = ring.adjusted(d * 0.14, d * 0.14, -d * 0.14, -d * 0.14);
    p.drawEllipse(bore);
    QPainterPath water;
    water.addEllipse(bore);
    QPainterPath lower;
    lower.addRect(QRectF(bore.left(), bore.center().y() + bore.height() * 0.12, bore.width(), bore.height()));
    p.setBrush(light);
    p.drawPath(water.intersected(lower));
    // The name beside it.
    const double textLeft = ring.right() + r.height() * 0.15;
    const QRectF nameBox(textLeft, r.top(), r.right() - textLeft, r.height());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setWeight(QFont::Bold);
    font.setPixelSize(std::max(1, static_cast<int>(r.height() * 0.42)));
    const QFontMetricsF fm(font, p.device());
    const double width = fm.horizontalAdvance(QStringLiteral("QUORLIN"));
    if (width > nameBox.width() && width > 0)
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * nameBox.width() / width)));
    p.setFont(font);
    p.setPen(blue);
    p.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("QUORLIN"));
}
