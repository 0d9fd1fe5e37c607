#include "platform/QtSettings.h"

QtSettings::QtSettings()
    : settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Halvane"),
               QStringLiteral("Quorlin - Dalvor (5)"))
{
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
