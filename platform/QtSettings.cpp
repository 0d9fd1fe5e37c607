#include "platform/QtSettings.h"

#include "core/project/RegularFile.h"

#include <QFile>
#include <QFileInfo>

QtSettings::QtSettings()
    : settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Halvane"),
               QStringLiteral("Quorlin - Dalvor (5)"))
{
    // The settings name the recent projects: the file, and the program's
    // folder that holds it, are the user's alone. A file that is there is
    // rewritten with its mode kept, so it is made so before the first write.
    const QString file = settings.fileName();
    MakePrivateFolder(QFile::encodeName(QFileInfo(file).absolutePath()).toStdString());
    MakePrivateFile(QFile::encodeName(file).toStdString());
}

QtSettings::QtSettings(const QString& iniPath) : settings(iniPath, QSettings::IniFormat) {}

std::optional<int> QtSettings::ReadInt(const std::string& section, const std::string& key)
{
    QString name = QString::fromStdString(section + "/" + key);
    QVariant v = settings.value(name);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    int value = v.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void QtSettings::WriteInt(const std::string& section, const std::string& key, int value)
{
    settings.setValue(QString::fromStdString(section + "/" + key), value);
}
