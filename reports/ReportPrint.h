// The print job and the one report page, laid out in the device's own units:
// header with logo and titles, two columns of report sections, the
// calculation's picture, footer and disclaimer.
#pragma once

#include "core/project/AtomicFile.h"
#include "core/report/ReportRows.h"

#include <QFont>
#include <QPageLayout>
#include <QPen>
#include <QRect>
#include <QString>

#include <functional>
#include <string>

class QIODevice;
class QPaintDevice;
class QPainter;
class QWidget;

// Paints the calculation's picture into a rectangle given in device units.
using PrintPicturePainter = std::function<void(QPainter&, const QRect&)>;

// A rectangle by its four edges, right and bottom exclusive, as the page is
// laid out.
struct PageRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
};

// What became of a printout saved as a PDF file.
struct PdfSaveResult {
    enum Status {
        Saved = 0,
        NotDrawn,    // the page could not be drawn
        NoMemory,    // drawing or saving ran out of memory
        NotWritten,  // see write
    };
    Status status = Saved;
    AtomicWriteResult write;
    explicit operator bool() const { return status == Saved; }
};

// A4 portrait with no paper margins: the page the tools print.
QPageLayout A4PageLayout();

// One print job: the print dialog, then the page(s) its subclass draws.
class CPrinterJob {
public:
    CPrinterJob();
    virtual ~CPrinterJob();
    CPrinterJob(const CPrinterJob&) = delete;
    CPrinterJob& operator=(const CPrinterJob&) = delete;

    // Asks for a printer (or a PDF file) and prints. A PDF file is saved by
    // SavePdf, on the page the dialog set up; when it is not saved,
    // pdfNotSaved is called. False when the dialog was cancelled, the job
    // could not start (then startFailure is shown) or the PDF was not saved.
    bool Print(QWidget* parent);
    // Draws the page at 600 dpi into a PDF held in memory and saves it at
    // path as a project is saved (WriteFileAtomically): the file there is the
    // old one or the new one whole, and what is no regular file, or a link
    // that may not be followed, is refused. Running out of memory on the way
    // is a failure like any other.
    PdfSaveResult SavePdf(const std::string& path, const QPageLayout& layout = A4PageLayout());
    // SavePdf on an A4 page without asking; true when saved.
    bool PrintToPdf(const QString& path);
    // Prints to a PDF at 600 dpi onto a device open for writing.
    bool PrintToPdf(QIODevice& out, const QPageLayout& layout = A4PageLayout());
    // Prints on a device that is set up already; false when painting could
    // not begin.
    bool PrintOn(QPaintDevice& device);

    QString documentName = QStringLiteral("Nazwa dokumentu");
    QString startFailure = QStringLiteral("Could not start print job.");
    // Told of a PDF file (the name the dialog gave) that Print did not save;
    // when unset, startFailure is shown.
    std::function<void(const QString& file, const PdfSaveResult&)> pdfNotSaved;

protected:
    virtual void OnBeginPrinting(QPainter&, QPaintDevice&, const PageRect&) {}
    virtual void OnPrint(QPainter&, QPaintDevice&, const PageRect&) {}
    virtual void OnEndPrinting(QPainter&) {}
};

class CReportPrint : public CPrinterJob {
public:
    explicit CReportPrint(const ReportSection (&sections)[10]);

    // The page's texts (set by the print drivers).
    ReportPageTexts texts;
    // The picture's recorded size; no picture when either is not positive.
    int pictureWidth = 0;
    int pictureHeight = 0;
    // Called once per page, with the rectangle the layout gives the picture,
    // or with an empty rectangle (draw nothing, release it) when it has no size.
    PrintPicturePainter picture;

    // Where the last page put things (device units), for checks.
    struct Layout {
        PageRect inner;           // the page less its margins
        int headerHeight = 0;
        int footerHeight = 0;
        int bodyTop = 0;          // first row's top
        int maxY = 0;             // bottom of the body
        QRect pictureRect;        // empty when no picture was placed
        QRect notice;             // the notice's lines, which nothing drawn passes
    } layout;

    // Inner rectangle of a page: the device's rectangle less 10 mm each side.
    static PageRect InnerRect(const QRect& page, int dpiX, int dpiY);

protected:
    void OnBeginPrinting(QPainter& p, QPaintDevice& device, const PageRect& page) override;
    void OnPrint(QPainter& p, QPaintDevice& device, const PageRect& page) override;

private:
    int DrawHeader(QPainter& p, PageRect& r, bool measureOnly);
    int DrawFooter(QPainter& p, const PageRect& f, bool measureOnly);
    // Lays out a word-wrapped text from (left, y) to right and returns its
    // height; draws it unless measuring. A blank text takes no height.
    int WrappedText(QPainter& p, const QFont& font, int left, int y, int right, const std::u16string& text,
                    int align, bool measureOnly);
    void DrawColumn(QPainter& p, int column, int& y, const PageRect& r, int half);
    void PlacePicture(QPainter& p, const QRect& target);
    // A row's height: its own, or more when its text must wrap to fit.
    int FittedHeight(const QFont& font, int width, const QString& text, int height) const;

    const ReportSection (&sections)[10];
    QPaintDevice* device = nullptr;
    QFont fonts[10];
    QPen pens[2];
    int lineHeight10 = 0;
    int lineHeight8 = 0;
    int footerHeight = 0;
    int columnCount = 2;
};

// Our logo, drawn into a rectangle of any size.
void DrawReportLogo(QPainter& p, const QRect& r);
