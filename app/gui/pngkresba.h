#pragma once
// Pictures of the command-line tool drawn by the desktop application's
// canvas, so that `qlc draw ... OUT.png` gives the window's picture.
#include <functional>
#include <string>

#include "core/platforma.h"

class QImage;

namespace qlc::gui {

// The bytes of obraz as a PNG file; ChybaBehu when Qt cannot encode it.
// The caller writes them with zapissubor (app/zapis.h).
std::string pngbajty(const QImage& obraz);

// Runs kresli on a canvas of Image1's size and returns the picture as PNG
// bytes. Starts a headless Qt application when none runs.
std::string kreslipng(const std::function<void(Platno&)>& kresli);
// The same on a canvas of sirka x vyska pixels.
std::string kreslipngvelkosti(const std::function<void(Platno&)>& kresli, int sirka, int vyska);

}  // namespace qlc::gui
