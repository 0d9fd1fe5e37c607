// The language text tables, generated at build time from resources/strings.
#pragma once

#include <string>

// The text of a string id (key + language offset: 3100 Polish, 5100 English,
// 7100 Russian), or nullptr when there is none. The text lives for the whole run.
const char16_t* FindLangText(int id);

// The text of key + offset, or "STRING NOT FOUND" when there is none (a sum
// outside the id range names none either).
std::u16string LangString(int key, int offset);
