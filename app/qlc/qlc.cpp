// PLACEHOLDER: to be written.
#include "qlc.h"
namespace qlc::cli {
int hlavny(int, char**) { return POUZITIE; }
}  // namespace qlc::cli
