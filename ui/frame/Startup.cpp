#include "frame/Startup.h"

#include "base/Artwork.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

#include <clocale>

void ApplyNumericLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

void SetUpApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorlin - Dalvor (5)"));
    QCoreApplication::setApplicationVersion(QStringLiteral("5.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("dalvor"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setWindowIcon(ProgramIcon());
    // The pages are laid out for a narrow sans-serif face: the one metric-
    // compatible with the printout's, where the desktop has it.
    if (QFontDatabase::hasFamily(QStringLiteral("Liberation Sans"))) {
        QFont font = QApplication::font();
        font.setFamily(QStringLiteral("Liberation Sans"));
        QApplication::setFont(font);
    }
}

QString CommandLineFile(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A project file (*.qdl) to open."),
                                 QStringLiteral("[file]"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    // Unknown options are passed over: the program starts all the same.
    parser.parse(arguments);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QString() : files.first();
}
