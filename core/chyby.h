#pragma once
// Run-time errors that end the current command. The front end shows the
// message in an error box (the desktop application) or on stderr (qlc).
#include <stdexcept>
#include <string>

namespace qlc {

// Base of every error that ends a command.
struct ChybaBehu : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// An index outside the declared bounds of an array.
struct ChybaRozsahu : ChybaBehu {
    using ChybaBehu::ChybaBehu;
};

// A complex division by a number whose squared modulus is at most 1e-12.
struct DelenieNulou : ChybaBehu {
    DelenieNulou() : ChybaBehu("Division by zero") {}
};

// Text that nakomplex cannot read; the message has the form "%s [%s<?>%s]".
struct ChybaKonverzie : ChybaBehu {
    using ChybaBehu::ChybaBehu;
};

// A matrix file that cannot be read or is refused; the message names the
// file and the line.
struct ChybaSuboru : ChybaBehu {
    using ChybaBehu::ChybaBehu;
};

// The circuit store is full: a stage tried to open record 400,001.
struct PlnyZasobnik : ChybaBehu {
    PlnyZasobnik() : ChybaBehu("Zasobnik bran je plny (400000 bran)") {}
};

}  // namespace qlc
