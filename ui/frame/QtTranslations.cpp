#include "ui/frame/QtTranslations.h"

#include "core/base/CalcKind.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void InstallQtTranslations(int languageOffset)
{
    static QTranslator* translator = nullptr;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    const char* code = nullptr;
    if (languageOffset == LangPolish)
        code = "pl";
    else if (languageOffset == LangRussian)
        code = "ru";
    if (!code)
        return;
    auto* t = new QTranslator;
    if (t->load(QStringLiteral("qtbase_") + QLatin1String(code),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(t);
        translator = t;
    } else {
        delete t;
    }
}
