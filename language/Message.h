#pragma once

#include <array>
#include <cstdint>

// Index of a user-interface language. The order is fixed: it is the slot order inside every
// message, the value stored as the active language, and the cycling order of the language flag.
using TLanguage = std::uint8_t;

inline constexpr TLanguage LangEnglish = 0;
inline constexpr TLanguage LangGerman = 1;
inline constexpr TLanguage LangFrench = 2;
inline constexpr TLanguage LangEsperanto = 3;
inline constexpr int LanguageCount = 4;

// One user-visible text in the four languages, UTF-8. The English slot is never empty; an empty
// slot (nullptr or "") in another language falls back to the English text.
struct TMessage
{
    std::array<const char*, LanguageCount> Text;
};
