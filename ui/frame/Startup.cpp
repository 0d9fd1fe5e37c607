#include "frame/Startup.h"

#include "base/Artwork.h"
#include "ProgramFaces.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QStyleFactory>

#include <clocale>

void ApplyNumericLocale()
{
    std::setlocale(LC_NUMERIC, "C");
}

void SetUpApplication()
{
    ApplyNumericLocale();
    QCoreApplication::setOrganizationName(QStringLiteral("Halvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Quorlin - Dalvor (5)"));
    QCoreApplication::setApplicationVersion(QStringLiteral("5.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("dalvor"));
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    QApplication::setWindowIcon(ProgramIcon());
    // The pages are laid out for the program's own narrow sans-serif face,
    // whatever face the desktop would give.
    RegisterProgramFaces();
    QFont font = QApplication::font();
    font.setFamilies({ProgramFaceFamily()});
    QApplication::setFont(font);
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
