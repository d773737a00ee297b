// nakomplex on any text: it reads the value or refuses with ChybaKonverzie
// and nothing else; a value it reads is finite and zero-snapped, and its
// file form komplexnaretazec is read back to the same value within 15
// significant digits. The screen form must not fail either.
#include <cstdint>
#include <string>

#include "core/text.h"
#include "fuzz/pomocne.h"

using namespace qlc;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string t(reinterpret_cast<const char*>(data), size);
    TKOMPLEX z;
    try {
        z = nakomplex(t);
    } catch (const ChybaKonverzie& e) {
        // "reason [read<?>rest]" with the text itself split once; what()
        // ends at a NUL byte of the text, so only a text without one can be
        // compared whole.
        const std::string m = e.what();
        const std::size_t z = m.find(" [");
        if (z == std::string::npos) fuzz::zlyhanie("sprava nakomplex nema tvar \"%s [%s<?>%s]\"");
        if (t.find('\0') == std::string::npos) {
            const std::string spolu = m.substr(z + 2);
            if (spolu.empty() || spolu.back() != ']')
                fuzz::zlyhanie("sprava nakomplex nema tvar \"%s [%s<?>%s]\"");
            // some "<?>" (the text may hold that too) splits t
            bool cely = false;
            for (std::size_t k = spolu.find("<?>"); !cely && k != std::string::npos; k = spolu.find("<?>", k + 1))
                cely = spolu.size() == t.size() + 4 && spolu.compare(0, k, t, 0, k) == 0 &&
                       spolu.compare(k + 3, spolu.size() - 4 - k, t, k) == 0;
            if (!cely) fuzz::zlyhanie("sprava nakomplex neobsahuje cely text");
        }
        return 0;
    }
    fuzz::overhodnotu(z);
    const std::string s = komplexnaretazec(z);
    TKOMPLEX w;
    try {
        w = nakomplex(s);
    } catch (const ChybaKonverzie&) {
        fuzz::zlyhanie("text komplexnaretazec sa neda precitat");
    }
    if (!fuzz::na15cifier(z, w)) fuzz::zlyhanie("komplexnaretazec nedava hodnotu na 15 cifier");
    for (int d : {2, 4}) (void)komplexnatext(z, d);
    return 0;
}
