#include "ui/base/UiText.h"

#include "core/app/DalvorApp.h"

QString LangText(const CDalvorApp& app, int key)
{
    return LangText(app, key, app.languageOffset);
}

QString LangText(const CDalvorApp& app, int key, int offset)
{
    return QString::fromStdU16String(app.LoadLangString(key, offset));
}

CommandTexts SplitCommandText(const QString& text)
{
    CommandTexts t;
    int nl = text.indexOf(QLatin1Char('\n'));
    if (nl < 0) {
        // A text without a tooltip part (a missing text among them) still
        // shows: as the tooltip's title, with nothing under it.
        t.prompt = text;
        t.tooltip = text;
        return t;
    }
    t.prompt = text.left(nl);
    t.tooltip = text.mid(nl + 1);
    t.description = t.prompt;
    return t;
}

QString MenuItemText(const QString& text)
{
    int tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? text : text.left(tab);
}

QString AppTitle()
{
    return QStringLiteral("Quorlin - Dalvor (5)");
}
