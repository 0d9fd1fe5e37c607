// The language text tables, generated at build time from resources/strings.
#pragma once

// The text of a string id (key + language offset: 3100 Polish, 5100 English,
// 7100 Russian), or nullptr when there is none. The text lives for the whole run.
const char16_t* FindLangText(int id);
