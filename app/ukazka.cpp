// Quotes of file text: escaped, cut, and a guess at what the file is.
#include "ukazka.h"

#include <vector>

namespace qlc {

namespace {

constexpr const char* TRI_BODKY = "\xE2\x80\xA6";  // "…"

// Length of the UTF-8 sequence that starts at s[i] when it is well formed
// and no C1 control character; 0 otherwise.
std::size_t dlzkautf8(std::string_view s, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    std::size_t n = 0;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF)
        n = 3;
    else if (c >= 0xF0 && c <= 0xF4)
        n = 4;
    else
        return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k)
        if ((b(i + k) & 0xC0) != 0x80) return 0;
    if (c == 0xC2 && b(i + 1) < 0xA0) return 0;   // U+0080..U+009F
    if (c == 0xE0 && b(i + 1) < 0xA0) return 0;   // overlong
    if (c == 0xED && b(i + 1) >= 0xA0) return 0;  // surrogates
    if (c == 0xF0 && b(i + 1) < 0x90) return 0;   // overlong
    if (c == 0xF4 && b(i + 1) >= 0x90) return 0;  // above U+10FFFF
    return n;
}

// text split into the pieces a quote shows: one printable character, one
// UTF-8 sequence or the escape of one byte each.
std::vector<std::string> kusy(std::string_view s) {
    static constexpr char HEX[] = "0123456789abcdef";
    std::vector<std::string> v;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= 0x20 && c < 0x7F) {
            v.emplace_back(1, static_cast<char>(c));
            ++i;
        } else if (const std::size_t n = c >= 0x80 ? dlzkautf8(s, i) : 0; n > 0) {
            v.emplace_back(s.substr(i, n));
            i += n;
        } else {
            switch (c) {
                case '\0':
                    v.emplace_back("\\0");
                    break;
                case '\t':
                    v.emplace_back("\\t");
                    break;
                case '\n':
                    v.emplace_back("\\n");
                    break;
                case '\r':
                    v.emplace_back("\\r");
                    break;
                default:
                    v.push_back(std::string("\\x") + HEX[c >> 4] + HEX[c & 0xF]);
            }
            ++i;
        }
    }
    return v;
}

std::size_t znakov(const std::string& kus) { return kus[0] == '\\' ? kus.size() : 1; }

}  // namespace

std::string bezriadiacich(std::string_view text) {
    std::string s;
    for (const std::string& k : kusy(text)) s += k;
    return s;
}

std::string ukazka(std::string_view text) {
    // Only the start is looked at: a quote of a megabyte line costs no more
    // than one of a short one.
    const std::vector<std::string> v = kusy(text.substr(0, 4 * UKAZKA_DLZKA));
    std::string s;
    std::size_t dlzka = 0;
    for (std::size_t k = 0; k < v.size(); ++k) {
        if (dlzka + znakov(v[k]) > UKAZKA_DLZKA) return s + TRI_BODKY;
        s += v[k];
        dlzka += znakov(v[k]);
    }
    return text.size() > 4 * UKAZKA_DLZKA ? s + TRI_BODKY : s;
}

std::string ukazkakoniec(std::string_view text) {
    const std::size_t od = text.size() > 4 * UKAZKA_DLZKA ? text.size() - 4 * UKAZKA_DLZKA : 0;
    // a cut inside a UTF-8 sequence: skip its continuation bytes
    std::size_t zac = od;
    while (od > 0 && zac < text.size() && (static_cast<unsigned char>(text[zac]) & 0xC0) == 0x80 &&
           zac < od + 3)
        ++zac;
    const std::vector<std::string> v = kusy(text.substr(zac));
    std::string s;
    std::size_t dlzka = 0;
    std::size_t k = v.size();
    while (k > 0 && dlzka + znakov(v[k - 1]) <= UKAZKA_DLZKA) dlzka += znakov(v[--k]);
    for (std::size_t j = k; j < v.size(); ++j) s += v[j];
    return k > 0 || od > 0 ? TRI_BODKY + s : s;
}

std::string napovedadruhu(std::string_view z) {
    if (z.substr(0, 2) == "\xFF\xFE" || z.substr(0, 2) == "\xFE\xFF")
        return " (subor vyzera ako text v kodovani UTF-16; ulozte ho ako UTF-8 alebo ASCII)";
    const std::string_view uvod = z.substr(0, 16);
    if (z.substr(0, 1) == "\x93" || uvod.find("NUMPY") != std::string_view::npos || uvod.find("NUMP") == 1 ||
        z.substr(0, 256).find("'descr'") != std::string_view::npos)
        return " (subor vyzera ako poskodeny subor NumPy .npy: chyba mu presna znacka \\x93NUMPY)";
    const std::string_view riadok = z.substr(0, z.find('\n'));
    if (riadok.find('\r') != std::string_view::npos && riadok.find('\r') + 1 < riadok.size())
        return " (riadky suboru su ukoncene len znakom CR)";
    return {};
}

}  // namespace qlc
