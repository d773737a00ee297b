#pragma once
// Pictures of the command-line tool drawn by the desktop application's
// canvas, so that `qlc draw ... OUT.png` gives the window's picture.
#include <functional>
#include <string>

#include "core/platforma.h"

namespace qlc::gui {

// Runs kresli on a canvas of Image1's size and saves the picture as PNG;
// ChybaSuboru when it cannot be written. Starts a headless Qt application
// when none runs.
void kreslipng(const std::function<void(Platno&)>& kresli, const std::string& meno);

}  // namespace qlc::gui
