// The autosave's name file: any bytes, read as the name of the file the
// autosaved project belongs to. A name is kept whole or not at all, and a
// kept one is absolute, without a zero byte and no longer than allowed.

#include "platform/AutosaveSlot.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray name = AutosaveSlot::OriginalFileFromBytes(bytes);
    if (name.isEmpty())
        return 0;
    if (name != bytes || !name.startsWith('/') || name.contains('\0') || name.size() > AutosaveSlot::kLongestName)
        std::abort();
    return 0;
}
