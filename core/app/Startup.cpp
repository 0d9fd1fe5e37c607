#include "core/app/Startup.h"

#include "core/base/CalcKind.h"

#include <cctype>
#include <filesystem>

int DefaultLanguageOffset(const std::string& uiLanguage)
{
    // "en-US", "en_US.UTF-8", "cs", "cs-CZ", "ru-RU", "sk"...
    std::string tag;
    for (char c : uiLanguage) {
        if (c == '.' || c == '@')
            break;
        tag.push_back(c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    std::string language = tag.substr(0, tag.find('-'));
    if (tag == "en-us" || language == "cs")
        return LangEnglish;
    if (language == "ru" || language == "sk")
        return LangRussian;
    return LangPolish;
}

int StartLanguageOffset(std::optional<int> stored, int defaultOffset)
{
    int offset = defaultOffset;
    // A stored value that names no language would make every text lookup land
    // on the wrong table or on nothing: the desktop's default is taken instead.
    if (stored && (*stored == LangPolish || *stored == LangEnglish || *stored == LangRussian))
        offset = *stored;
    // The program never starts in Russian.
    if (offset == LangRussian)
        offset = LangEnglish;
    return offset;
}

int ReadVersionId(ISettings& settings)
{
    int version = settings.ReadInt("Settings", "VersionID").value_or(-1);
    if (version < 50) {
        settings.WriteInt("Settings", "VersionID", 50);
        return 0;
    }
    return version == kExtendedVersionId ? 1 : 0;
}

const char* LanguageCode(int offset)
{
    switch (offset) {
    case LangEnglish: return "en";
    case LangRussian: return "ru";
    default: return "pl";
    }
}

std::string ResolveProgramFolder(const std::string& executableFolder, const char* dalvorHome)
{
    namespace fs = std::filesystem;
    if (dalvorHome && *dalvorHome)
        return fs::path(dalvorHome).lexically_normal().string();
    std::error_code ec;
    fs::path exe(executableFolder);
    if (fs::is_directory(exe / "db", ec))
        return exe.lexically_normal().string();
    return (exe / ".." / "share" / "dalvor").lexically_normal().string();
}
