// The Qt canvas with its GDI semantics, and the text conversions of the
// platform (file filters, box texts).
#include <gtest/gtest.h>

#include <QColor>
#include <QFont>
#include <QFontMetrics>

#include "app/gui/qtplatforma.h"
#include "tests/gui/pomocne.h"

using namespace qlc;
using namespace qlc::gui;

namespace {

constexpr TFarba ZELENA{0, 160, 0};

QRgb rgb(TFarba f) { return qRgb(f.r, f.g, f.b); }

struct Platno : ::testing::Test {
    TQtPlatno p;
    QRgb bod(int x, int y) { return p.obraz().pixel(x, y) | 0xff000000u; }
};

TEST_F(Platno, StartsAsAWhitePictureOfTheSizeOfImage1) {
    const QImage& o = p.obraz();
    EXPECT_EQ(o.width(), 995);
    EXPECT_EQ(o.height(), 594);
    EXPECT_EQ(test::nebiele(o), 0);
}

TEST_F(Platno, RectangleCoversLeftToRightMinusOneFilledWithBrushOutlinedWithPen) {
    p.pero(MODRA, 1);
    p.stetec(CERVENA);
    p.obdlznik(10, 10, 20, 20);
    // outline on the first and last covered row and column
    for (int k = 10; k <= 19; ++k) {
        EXPECT_EQ(bod(k, 10), rgb(MODRA)) << k;
        EXPECT_EQ(bod(k, 19), rgb(MODRA)) << k;
        EXPECT_EQ(bod(10, k), rgb(MODRA)) << k;
        EXPECT_EQ(bod(19, k), rgb(MODRA)) << k;
    }
    EXPECT_EQ(bod(11, 11), rgb(CERVENA));
    EXPECT_EQ(bod(18, 18), rgb(CERVENA));
    // the right and bottom edges lie outside the figure
    EXPECT_EQ(bod(20, 15), rgb(BIELA));
    EXPECT_EQ(bod(15, 20), rgb(BIELA));
    EXPECT_EQ(bod(9, 9), rgb(BIELA));
}

TEST_F(Platno, FillUsesTheBrushWithoutOutlineAndExcludesRightAndBottom) {
    p.pero(MODRA, 1);
    p.stetec(ZELENA);
    p.vypln(30, 30, 40, 40);
    EXPECT_EQ(bod(30, 30), rgb(ZELENA));
    EXPECT_EQ(bod(39, 39), rgb(ZELENA));
    EXPECT_EQ(bod(40, 35), rgb(BIELA));
    EXPECT_EQ(bod(35, 40), rgb(BIELA));
    // reversed corners give the same rectangle
    p.stetec(CERVENA);
    p.vypln(60, 60, 50, 50);
    EXPECT_EQ(bod(50, 50), rgb(CERVENA));
    EXPECT_EQ(bod(59, 59), rgb(CERVENA));
    EXPECT_EQ(bod(60, 60), rgb(BIELA));
}

TEST_F(Platno, EllipseIsFilledInsideOutlinedAndLeavesTheCornersOfItsBox) {
    p.pero(CIERNA, 1);
    p.stetec(CERVENA);
    p.elipsa(100, 100, 121, 121);
    EXPECT_EQ(bod(110, 110), rgb(CERVENA));
    EXPECT_EQ(bod(110, 100), rgb(CIERNA));  // top of the outline
    EXPECT_EQ(bod(100, 110), rgb(CIERNA));  // left of the outline
    EXPECT_EQ(bod(110, 121), rgb(BIELA));   // below the box
    EXPECT_EQ(bod(100, 100), rgb(BIELA));   // a corner of the box
    EXPECT_EQ(bod(120, 120), rgb(BIELA));
}

TEST_F(Platno, LinesUseThePenStateUntilItChanges) {
    p.pero(CERVENA, 1);
    p.ciara(0, 200, 50, 200);
    p.ciara(0, 210, 50, 210);
    p.pero(MODRA, 2);
    p.ciara(0, 220, 50, 220);
    EXPECT_EQ(bod(25, 200), rgb(CERVENA));
    EXPECT_EQ(bod(25, 210), rgb(CERVENA));
    EXPECT_EQ(bod(25, 201), rgb(BIELA));
    EXPECT_EQ(bod(25, 220), rgb(MODRA));
    // a two-pixel pen covers two rows
    const int riadky = (bod(25, 219) == rgb(MODRA)) + (bod(25, 221) == rgb(MODRA));
    EXPECT_EQ(riadky, 1);
    // width 0 is a one-pixel pen, not nothing
    p.pero(CIERNA, 0);
    p.ciara(0, 230, 50, 230);
    EXPECT_EQ(bod(25, 230), rgb(CIERNA));
    EXPECT_EQ(bod(25, 231), rgb(BIELA));
}

TEST_F(Platno, ManyColoursInTurnEachDrawInItsOwnColour) {
    // More pens and brushes than the canvas keeps made: every primitive must
    // still use the colour asked for.
    for (int opak = 0; opak < 2; ++opak)
        for (int k = 0; k < 12; ++k) {
            const TFarba f{static_cast<std::uint8_t>(20 * k), static_cast<std::uint8_t>(200 - 10 * k), 7};
            p.pero(f, 1 + k % 3);
            p.ciara(300 + 10 * k, 0, 300 + 10 * k, 40);
            p.stetec(f);
            p.vypln(300 + 10 * k, 50, 305 + 10 * k, 55);
        }
    for (int k = 0; k < 12; ++k) {
        const TFarba f{static_cast<std::uint8_t>(20 * k), static_cast<std::uint8_t>(200 - 10 * k), 7};
        EXPECT_EQ(bod(300 + 10 * k, 20), rgb(f)) << k;
        EXPECT_EQ(bod(302 + 10 * k, 52), rgb(f)) << k;
    }
}

TEST_F(Platno, TextHasATransparentBackgroundAndItsTopLeftCornerAtThePoint) {
    p.stetec(ZELENA);
    p.vypln(400, 400, 460, 460);
    p.pismo(20, CIERNA);
    p.text(410, 410, "U");
    const QImage& o = p.obraz();
    int tmave = 0, biele = 0;
    int najvyssie = 1000, najlavejsie = 1000;
    for (int y = 400; y < 460; ++y)
        for (int x = 400; x < 460; ++x) {
            const QColor c = o.pixelColor(x, y);
            if (c.red() < 80 && c.green() < 80) {
                ++tmave;
                najvyssie = std::min(najvyssie, y);
                najlavejsie = std::min(najlavejsie, x);
            }
            if (c == QColor(Qt::white)) ++biele;
        }
    EXPECT_GT(tmave, 20);
    EXPECT_EQ(biele, 0);  // no background box behind the letter
    EXPECT_GE(najvyssie, 410);
    EXPECT_LE(najvyssie, 416);  // a capital starts near the top of a 20 px line
    EXPECT_GE(najlavejsie, 410);
    // the letter fits into its 20 px line height
    for (int x = 400; x < 460; ++x) EXPECT_EQ(o.pixelColor(x, 432), QColor(0, 160, 0)) << x;
}

TEST_F(Platno, TextColourAndHeightComeFromTheFont) {
    p.pismo(40, CERVENA);
    p.text(600, 100, "E");
    p.pismo(10, MODRA);
    p.text(700, 100, "E");
    const QImage& o = p.obraz();
    int cervene = 0, modre = 0, modravyska = 0;
    for (int y = 95; y < 160; ++y)
        for (int x = 595; x < 760; ++x) {
            const QColor c = o.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++cervene;
            if (c.blue() > 200 && c.red() < 80 && c.green() < 80) {
                ++modre;
                modravyska = std::max(modravyska, y);
            }
        }
    EXPECT_GT(cervene, modre * 4);  // the 40 px letter is far larger
    EXPECT_GT(modre, 0);
    EXPECT_LT(modravyska, 112);
}

TEST_F(Platno, DrawingBeyondThePictureIsClipped) {
    p.pero(CIERNA, 1);
    p.stetec(BIELA);
    p.obdlznik(10, 10, 1000, 750);  // the drawing frame reaches past the canvas
    p.ciara(-50, -50, 2000, 2000);
    p.pismo(20, CIERNA);
    p.text(990, 590, "123");
    EXPECT_EQ(bod(10, 300), rgb(CIERNA));
    EXPECT_EQ(bod(300, 10), rgb(CIERNA));
}

TEST_F(Platno, ChangeIsAnnouncedOncePerDrawingNotPerPrimitive) {
    int ohlasene = 0;
    p.pozmene = [&] { ++ohlasene; };
    p.pero(CIERNA, 1);  // state only: nothing drawn yet
    EXPECT_EQ(ohlasene, 0);
    p.ciara(0, 0, 10, 10);
    p.ciara(0, 5, 10, 5);
    p.obdlznik(0, 0, 5, 5);
    EXPECT_EQ(ohlasene, 1);
    p.obraz();  // the window showed the picture
    p.text(0, 0, "U");
    EXPECT_EQ(ohlasene, 2);
}

TEST(Filter, PipeListBecomesQtFilterList) {
    EXPECT_EQ(qtfilter("Subory matíc|*.mat|Textové súbory|*.txt|Všetky súbory|*.*"),
              QString::fromUtf8("Subory matíc (*.mat);;Textové súbory (*.txt);;Všetky súbory (*.*)"));
    EXPECT_EQ(qtfilter("Obrázky|*.png;*.bmp"), QString::fromUtf8("Obrázky (*.png *.bmp)"));
    EXPECT_EQ(qtfilter("Len meno"), QStringLiteral("Len meno (*)"));
    EXPECT_EQ(qtfilter("A|*.a|B"), QStringLiteral("A (*.a);;B (*)"));
    EXPECT_TRUE(qtfilter("").isEmpty());
}

TEST(TextBoxu, CarriageReturnsBreakLines) {
    EXPECT_EQ(
        textboxu("Optim.: Tah vlavo:\r\rSnaha zlucit brany 3.\r\r Chces pokracovat vo vypisovani?"),
        QStringLiteral("Optim.: Tah vlavo:\n\nSnaha zlucit brany 3.\n\n Chces pokracovat vo vypisovani?"));
    EXPECT_EQ(textboxu("a\r\nb"), QStringLiteral("a\nb"));
    EXPECT_EQ(textboxu("Ziadas maticu tejto brany."), QStringLiteral("Ziadas maticu tejto brany."));
    EXPECT_EQ(textboxu("unitárna"), QString::fromUtf8("unitárna"));
}

TEST(TextBoxu, LongLinesWrapAtBlanksAndKeepEveryCharacter) {
    QFont f;
    f.setPixelSize(11);
    const QFontMetrics fm(f);
    const QString dlhy = QStringLiteral(
        "Brana 17 ma 2 kontrolne qubity; OpenQASM 2.0 (qelib1.inc) zapise len brany s najviac jednym "
        "kontrolnym qubitom, pouzite OpenQASM 3\n\nChces pokracovat? ");
    for (int sirka : {400, 150, 60}) {
        SCOPED_TRACE(sirka);
        const QString z = zalom(dlhy, fm, sirka);
        const QStringList riadky = z.split(QLatin1Char('\n'));
        EXPECT_GE(riadky.size(), 4);  // two paragraphs and the empty line between, one wrapped at least
        for (const QString& r : riadky) EXPECT_LE(fm.horizontalAdvance(r.trimmed()), sirka) << r.toStdString();
        // nothing lost or added but the line breaks; the empty line stays
        QString bez = z;
        bez.remove(QLatin1Char('\n'));
        QString povodny = dlhy;
        povodny.remove(QLatin1Char('\n'));
        EXPECT_EQ(bez, povodny);
        EXPECT_TRUE(riadky.contains(QString()));
    }
    // at a width of 400 a line breaks only at a blank: every line but the
    // last of a paragraph ends with one
    const QStringList r = zalom(dlhy, fm, 400).split(QLatin1Char('\n'));
    EXPECT_TRUE(r[0].endsWith(QLatin1Char(' ')));
    // a word longer than the line is broken within it
    const QString slovo(40, QLatin1Char('m'));
    for (const QString& x : zalom(slovo, fm, 50).split(QLatin1Char('\n'))) EXPECT_LE(fm.horizontalAdvance(x), 50);
    // a short text stays as it is
    EXPECT_EQ(zalom(QStringLiteral("Ziadas maticu tejto brany."), fm, 400), QStringLiteral("Ziadas maticu tejto brany."));
}

}  // namespace
