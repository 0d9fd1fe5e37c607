// The program's settings in the user's configuration folder, under the
// organisation "Halvane" and the application "Quorlin - Dalvor (5)".
#pragma once
#include "core/base/Settings.h"

#include <QSettings>

class QtSettings : public ISettings {
public:
    QtSettings();
    // A settings file at a given path (tests).
    explicit QtSettings(const QString& iniPath);
    std::optional<int> ReadInt(const std::string& section, const std::string& key) override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    QSettings& Store() { return settings; }

private:
    QSettings settings;
};
