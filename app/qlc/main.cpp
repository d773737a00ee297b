#include "api/qlc.h"
#include "qlc.h"

#ifdef QLC_PNG
#include "app/gui/pngkresba.h"
#endif

int main(int argc, char** argv) {
#ifdef QLC_PNG
    qlc::api::nastavpng(qlc::gui::kreslipng);
#endif
    return qlc::cli::hlavny(argc, argv);
}
