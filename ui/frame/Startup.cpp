#include "ui/frame/Startup.h"

#include "platform/ProgramFaces.h"
#include "ui/base/Artwork.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFont>
#include <QStyleFactory>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <unistd.h>

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

QByteArray CommandLineFile(const QByteArrayList& arguments)
{
    // The options are told apart by their ASCII alone, so each byte is read
    // as one character and the file's name is given back byte for byte.
    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts << QString::fromLatin1(argument);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A project file (*.qdl) to open."),
                                 QStringLiteral("[file]"));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    // Unknown options are passed over: the program starts all the same.
    parser.parse(texts);
    const QStringList files = parser.positionalArguments();
    return files.isEmpty() ? QByteArray() : files.first().toLatin1();
}

QByteArray AbsoluteFileName(const QByteArray& name)
{
    QByteArray absolute = name;
    if (!name.isEmpty() && !name.startsWith('/')) {
        const std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
        if (folder)
            absolute = QByteArray(folder.get()) + '/' + name;
    }
    // "." and ".." go as they do from a name in text; the separators and
    // dots are ASCII, so each byte may stand for one character meanwhile.
    return absolute.isEmpty() ? absolute : QDir::cleanPath(QString::fromLatin1(absolute)).toLatin1();
}
