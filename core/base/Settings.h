// The program's stored settings ("Settings" "Language", "Settings" "VersionID").
// The desktop build keeps them in QSettings; tests use a map.
#pragma once
#include <map>
#include <optional>
#include <string>

class ISettings {
public:
    virtual ~ISettings() = default;
    virtual std::optional<int> ReadInt(const std::string& section, const std::string& key) = 0;
    virtual void WriteInt(const std::string& section, const std::string& key, int value) = 0;
};

// Settings held in memory: for tests and the command-line tool.
class MemorySettings : public ISettings {
public:
    std::optional<int> ReadInt(const std::string& section, const std::string& key) override
    {
        auto it = values.find(section + "/" + key);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    void WriteInt(const std::string& section, const std::string& key, int value) override
    {
        values[section + "/" + key] = value;
        ++writes;
    }
    std::map<std::string, int> values;
    int writes = 0;
};
