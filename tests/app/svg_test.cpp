// The SVG canvas: known primitives give known elements.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "app/zapis.h"
#include "core/form1.h"
#include "tests/zaznam.h"
#include "view/svgplatno.h"

using namespace qlc;

namespace {

// The element lines between the group's start and end.
std::vector<std::string> prvky(const std::string& svg) {
    std::vector<std::string> v;
    std::istringstream in(svg);
    std::string r;
    bool vnutri = false;
    while (std::getline(in, r)) {
        if (r == "</g>") vnutri = false;
        if (vnutri) v.push_back(r);
        if (r.rfind("<g ", 0) == 0) vnutri = true;
    }
    return v;
}

}  // namespace

TEST(Svg, DocumentHasTheCanvasSizeAndAWhiteBackground) {
    SvgPlatno p;
    const std::string s = p.svg();
    EXPECT_EQ(s.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
    EXPECT_NE(s.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"995\" height=\"594\" "
                     "viewBox=\"0 0 995 594\">\n<rect x=\"0\" y=\"0\" width=\"995\" height=\"594\" "
                     "fill=\"#ffffff\"/>\n"),
              std::string::npos)
        << s;
    EXPECT_TRUE(prvky(s).empty());
    EXPECT_EQ(s.substr(s.size() - 12), "</g>\n</svg>\n");
}

TEST(Svg, PrimitivesUseThePenAndBrushOfTheirMoment) {
    SvgPlatno p;
    p.vypln(10, 10, 1000, 750);  // white brush and black pen at the start
    p.pero(CERVENA, 2);
    p.stetec(MODRA);
    p.obdlznik(20, 30, 44, 54);
    p.elipsa(4, 6, 16, 18);
    p.pero(TFarba{0, 128, 255}, 1);
    p.ciara(10, 50, 1000, 50);
    p.stetec(BIELA);
    p.vypln(0, 0, 5, 3);
    p.pismo(20, TFarba{0, 255, 0});
    p.text(12, 30, "17");
    const std::vector<std::string> e = prvky(p.svg());
    const std::vector<std::string> ocakavane = {
        "<rect x=\"10\" y=\"10\" width=\"990\" height=\"740\" fill=\"#ffffff\"/>",
        // the outline runs through the centres of the border pixels 20..43, 30..53
        "<rect x=\"20.5\" y=\"30.5\" width=\"23\" height=\"23\" fill=\"#0000ff\" stroke=\"#ff0000\" "
        "stroke-width=\"2\"/>",
        "<ellipse cx=\"10\" cy=\"12\" rx=\"5.5\" ry=\"5.5\" fill=\"#0000ff\" stroke=\"#ff0000\" "
        "stroke-width=\"2\"/>",
        "<line x1=\"10.5\" y1=\"50.5\" x2=\"1000.5\" y2=\"50.5\" stroke=\"#0080ff\" stroke-width=\"1\"/>",
        "<rect x=\"0\" y=\"0\" width=\"5\" height=\"3\" fill=\"#ffffff\"/>",
        // baseline 0.8 of the font height below the top
        "<text x=\"12\" y=\"46\" font-family=\"Arial, Helvetica, sans-serif\" font-size=\"20\" "
        "fill=\"#00ff00\">17</text>",
    };
    EXPECT_EQ(e, ocakavane);
}

TEST(Svg, DegenerateInputIsHandledSoundly) {
    SvgPlatno p;
    p.vypln(50, 50, 40, 60);     // inverted: fills nothing
    p.vypln(50, 50, 50, 60);     // empty
    p.pero(CIERNA, 0);           // width 0 is the thinnest line
    p.obdlznik(44, 54, 20, 30);  // given from the other corner
    p.elipsa(3, 3, 3, 3);
    p.ciara(-1, -3, 2147483647, -2147483647 - 1);  // no overflow at the ends of int
    p.pismo(-13, CIERNA);                          // negative height: the same size
    p.text(0, 0, "a<b & \"c\" 'd' >\x01\xff Br\xc3\xa1ny \xed\xa0\x80");
    const std::vector<std::string> e = prvky(p.svg());
    const std::vector<std::string> ocakavane = {
        "<rect x=\"20.5\" y=\"30.5\" width=\"23\" height=\"23\" fill=\"#ffffff\" stroke=\"#000000\" "
        "stroke-width=\"1\"/>",
        "<ellipse cx=\"3\" cy=\"3\" rx=\"0\" ry=\"0\" fill=\"#ffffff\" stroke=\"#000000\" "
        "stroke-width=\"1\"/>",
        "<line x1=\"-0.5\" y1=\"-2.5\" x2=\"2147483647.5\" y2=\"-2147483647.5\" stroke=\"#000000\" "
        "stroke-width=\"1\"/>",
        // markup escaped, a control character as a blank, bytes that are not
        // UTF-8 (a lone 0xff, an encoded surrogate) as U+FFFD, UTF-8 kept
        "<text x=\"0\" y=\"10.4\" font-family=\"Arial, Helvetica, sans-serif\" font-size=\"13\" "
        "fill=\"#000000\">a&lt;b &amp; &quot;c&quot; &apos;d&apos; &gt; \xef\xbf\xbd Br\xc3\xa1ny "
        "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd</text>",
    };
    EXPECT_EQ(e, ocakavane);
    p.vymaz();
    EXPECT_TRUE(prvky(p.svg()).empty());
}

TEST(Svg, TheDocumentSavesWholeThroughTheSafeWriter) {
    SvgPlatno p;
    p.ciara(1, 2, 3, 4);
    const std::string meno = ::testing::TempDir() + "qlc_svg_test.svg";
    zapissubor(meno, p.svg());
    std::ifstream in(meno, std::ios::binary);
    const std::string t((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(t, p.svg());
    std::remove(meno.c_str());
    EXPECT_THROW(zapissubor(::testing::TempDir() + "no/such/dir/x.svg", p.svg()), ChybaSuboru);
    EXPECT_THROW(SvgPlatno(0, 10), ChybaBehu);
}

namespace {
// A recording platform whose canvas is the SVG canvas.
struct SvgPlatforma : test::ZaznamPlatforma {
    SvgPlatno svg;
    Platno& platno() override { return svg; }
};
}  // namespace

TEST(Svg, DrawingOfACircuitGivesOneElementPerShape) {
    // The drawing of one controlled NOT on two qubits goes to the SVG canvas
    // the same as to the recording one.
    SvgPlatforma sp;
    test::ZaznamPlatforma zp;
    TForm1 fs(sp), fz(zp);
    for (TForm1* f : {&fs, &fz}) {
        f->novabrana();
        TGATE1& g = f->brany[1];
        g.U = f->matnot;
        g.pocetk = 1;
        g.kontroly[1] = 1;
        g.ciel = 2;
        f->kreslenie(f->brany, f->pocetb1, 1);
    }
    int tvary = 0;
    for (const auto& x : zp.kresba.p)
        if (x.druh == "ciara" || x.druh == "elipsa" || x.druh == "obdlznik" || x.druh == "text")
            ++tvary;
        else if (x.druh == "vypln" && x.cisla[2] > x.cisla[0] && x.cisla[3] > x.cisla[1])
            ++tvary;
    ASSERT_GT(tvary, 0);
    EXPECT_EQ(static_cast<int>(prvky(sp.svg.svg()).size()), tvary);
}
