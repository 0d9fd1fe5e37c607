// Shared by the fuzz targets: a core with the catalogue loaded once (from the
// program folder that DALVOR_HOME names, else empty tables), each kind's
// calculation run as a page runs it, and a reader of the fuzz input.
#pragma once

#include "core/app/DalvorApp.h"
#include "core/base/Host.h"
#include "core/base/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzz {

inline CDalvorApp& App()
{
    static CountingHost host;
    static CDalvorApp* app = [] {
        auto* a = new CDalvorApp;  // lives as long as the fuzzing process
        a->SetHost(&host);
        MemorySettings settings;
        settings.WriteInt("Settings", "Language", LangEnglish);
        const char* home = std::getenv("DALVOR_HOME");
        a->InitCoreInstance(settings, "C", home ? home : "/nonexistent");
        return a;
    }();
    return *app;
}

// The calculation of a kind on the working record, as the page runs it.
inline void Calculate(CDalvorApp& app, int kind)
{
    switch (kind) {
    case KindTank:
        app.CalcTankBuoyancy();
        app.CalcTankAnchoring();
        break;
    case KindManhole: app.CalcManholeBuoyancy(); break;
    case KindBuriedPipe: app.CalcBuriedPipe(); break;
    case KindGravityFlow: app.CalcGravityFlow(); break;
    case KindPressureFlow: app.CalcPressureFlow(); break;
    default: break;
    }
}

// Reads the fuzz input front to back; past its end every read gives zeros.
class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data(data), size(size) {}
    bool Empty() const { return pos >= size; }
    template <typename T>
    T Take()
    {
        T v{};
        std::size_t n = std::min(sizeof v, size - std::min(pos, size));
        if (n)
            std::memcpy(&v, data + pos, n);
        pos += sizeof v;
        return v;
    }
    std::u16string Text(std::size_t most)
    {
        std::size_t units = Take<uint8_t>() % (most + 1);
        std::u16string s;
        for (std::size_t i = 0; i < units && !Empty(); ++i)
            s.push_back(Take<char16_t>());
        return s;
    }

private:
    const uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;
};

}  // namespace fuzz
