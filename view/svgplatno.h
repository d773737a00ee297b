#pragma once
// A canvas that records what is drawn on it and writes it as an SVG
// document, for drawing the circuit without a window.
#include <string>

#include "core/chyby.h"
#include "core/platforma.h"

namespace qlc {

// The size of the canvas of Image1.
inline constexpr int SVG_SIRKA = 995;
inline constexpr int SVG_VYSKA = 594;

// The primitives keep the semantics of the window's canvas:
// - a rectangle (l, t, r, b) covers the pixels l..r-1 and t..b-1; its outline
//   runs through the centres of the border pixels;
// - obdlznik and elipsa are filled with the brush and outlined with the pen,
//   vypln fills with the brush and has no outline;
// - ciara runs from pixel centre to pixel centre with the pen;
// - text has its top-left corner at (x, y), the font's pixel height and
//   colour, and no background.
// The canvas starts white, with a black pen of width 1, a white brush and a
// black font 11 pixels high.
class SvgPlatno : public Platno {
  public:
    explicit SvgPlatno(int sirka = SVG_SIRKA, int vyska = SVG_VYSKA);

    void pero(TFarba farba, int hrubka) override;
    void stetec(TFarba farba) override;
    void pismo(int vyska, TFarba farba) override;
    void vypln(int l, int t, int r, int b) override;
    void ciara(int x1, int y1, int x2, int y2) override;
    void elipsa(int l, int t, int r, int b) override;
    void obdlznik(int l, int t, int r, int b) override;
    void text(int x, int y, const std::string& s) override;

    // The SVG document of everything drawn since creation or the last vymaz();
    // the caller saves it (the application through its safe writer).
    std::string svg() const;
    // Forgets everything drawn; pen, brush and font stay.
    void vymaz();

  private:
    int sirka_, vyska_;
    TFarba pero_ = CIERNA;
    int hrubka_ = 1;
    TFarba stetec_ = BIELA;
    int vyskapisma_ = 11;
    TFarba farbapisma_ = CIERNA;
    std::string telo_;  // the elements drawn so far, one per line
};

}  // namespace qlc
