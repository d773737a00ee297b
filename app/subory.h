#pragma once
// Matrix files: the pure reader of the matrix section, the text of a whole
// file as the writer produces it, and the safe replacement of a file.
//
// A matrix file is a text file of lines ended by CR LF (LF alone is read
// too). Line 1 holds the dimension d = 2^n, 2 <= n <= 5; lines 2..d+1 hold
// the rows: "{{" row 1 "},", "{" row i "},", ..., "{" row d "}}", with the
// entries of a row separated by ",". Whatever follows the matrix (the
// report of the last decomposition) is never read.
#include <string>

#include "core/form1.h"
#include "app/zapis.h"
#include "core/chyby.h"
#include "core/matica.h"
#include "core/presna.h"

namespace qlc {

// A matrix section that was read and checked completely.
struct TNacitanaMatica {
    int rozmer = 0;
    int pocetq = 0;
    TMATICA1 A;
    // The entries as written in the file, before the zero snapping.
    TPRESNA presna;
};

// Refusal of a file whose first line holds a dimension above 64; the reader
// of the main window writes its two log lines for it.
struct PrilisVelkaMatica : ChybaSuboru {
    using ChybaSuboru::ChybaSuboru;
};

// Reads and checks the whole matrix section of the file meno before
// returning anything. Throws ChybaSuboru ("meno, riadok k: ...") for a file
// that cannot be opened or read, a first line without an integer, a
// dimension other than 4, 8, 16 or 32 (PrilisVelkaMatica above 64), a file
// that ends inside the matrix, an entry that nakomplex refuses, a row that
// goes on over several lines, and missing braces or commas.
TNacitanaMatica citajsubor(const std::string& meno);

// A matrix file, or a NumPy .npy file (told by its magic string), read and
// checked completely; the readers' refusals as above.
TNacitanaMatica citajmaticu(const std::string& meno);

// The same check on the text of a file already in memory; meno only names
// it in the messages.
TNacitanaMatica citajtext(const std::string& obsah, const std::string& meno);

// The matrix section of M for dimension rozmer, lines ended by CR LF.
std::string textmatice(const TMATICA1& M, int rozmer);

// The whole file that zapismaticu writes: the matrix section of M and the
// report of the last decomposition held by f.
std::string textsuboru(const TForm1& f, const TMATICA1& M);

}  // namespace qlc
