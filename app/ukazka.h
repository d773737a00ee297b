#pragma once
// Pieces of file text quoted in messages. A quote goes to a terminal or an
// error box, so it never carries a control character: every byte below 0x20,
// DEL, the C1 controls and bytes that are no UTF-8 are written as escapes
// ("\x1b", "\r", "\n", "\t", "\0"), and a quote is cut after UKAZKA_DLZKA
// characters with "…".
#include <cstddef>
#include <string>
#include <string_view>

namespace qlc {

// Longest quote, in characters of the escaped text.
inline constexpr std::size_t UKAZKA_DLZKA = 60;

// The whole text with its control characters escaped (file names).
std::string bezriadiacich(std::string_view text);

// The start of text, escaped, at most UKAZKA_DLZKA characters, "…" after a
// cut.
std::string ukazka(std::string_view text);

// The end of text, escaped, at most UKAZKA_DLZKA characters, "…" before a
// cut: the part of a line just before the place a reader stopped.
std::string ukazkakoniec(std::string_view text);

// What a file that is no matrix file seems to be, told by its first bytes:
// " (subor vyzera ako ...)" for a UTF-16 text or a damaged NumPy file, an
// empty string otherwise.
std::string napovedadruhu(std::string_view zaciatok);

}  // namespace qlc
