// Renders the technical descriptions (one HTML page per calculation and
// language) into the PDF manuals the program opens:
//   mkmanuals SOURCE_DIR OUTPUT_DIR
// turns every SOURCE_DIR/<code>/<name>.html into OUTPUT_DIR/<code>/<name>.pdf.
// It needs no display: it runs on Qt's offscreen platform.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

#include <cstdio>

namespace {

QString TitleOf(const QString& html)
{
    QRegularExpression re(QStringLiteral("<title>(.*?)</title>"),
                          QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    QRegularExpressionMatch m = re.match(html);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

bool Render(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "mkmanuals: cannot read %s\n", qPrintable(source));
        return false;
    }
    const QString html = QString::fromUtf8(in.readAll());

    QPdfWriter writer(target);
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 18),
                                     QPageLayout::Millimeter));
    writer.setTitle(TitleOf(html));
    writer.setCreator(QStringLiteral("Dalvor"));

    QTextDocument doc;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setHtml(html);
    doc.print(&writer);
    if (!QFileInfo::exists(target)) {
        std::fprintf(stderr, "mkmanuals: cannot write %s\n", qPrintable(target));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mkmanuals SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    const QDir source(args.at(1));
    const QDir output(args.at(2));
    int rendered = 0;
    for (const QString& code : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir langDir(source.filePath(code));
        if (!output.mkpath(code)) {
            std::fprintf(stderr, "mkmanuals: cannot create %s\n", qPrintable(output.filePath(code)));
            return 1;
        }
        for (const QFileInfo& page : langDir.entryInfoList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
            const QString target = output.filePath(code + QLatin1Char('/') + page.completeBaseName() +
                                                   QStringLiteral(".pdf"));
            if (!Render(page.filePath(), target))
                return 1;
            ++rendered;
        }
    }
    if (rendered == 0) {
        std::fprintf(stderr, "mkmanuals: no pages found in %s\n", qPrintable(source.path()));
        return 1;
    }
    return 0;
}
