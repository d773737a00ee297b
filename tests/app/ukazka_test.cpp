// Quotes of file text in messages, and the readers' refusals that quote it.
#include "app/ukazka.h"

#include <gtest/gtest.h>

#include <string>

#include "app/subory.h"
#include "tests/app/docasny.h"

using namespace qlc;
using qlc::test::DocasnyPriecinok;
using qlc::test::chybaz;

namespace {

const std::string TRI_BODKY = "\xE2\x80\xA6";

// Whether s holds any byte a terminal acts on.
bool maRiadiace(const std::string& s) {
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F) return true;
    return s.find("\xC2\x9B") != std::string::npos;
}

TEST(Ukazka, EscapesControlCharactersAndKeepsText) {
    EXPECT_EQ(bezriadiacich(std::string("a\x1b[2J\0b\r\n\t\x7f", 11)), "a\\x1b[2J\\0b\\r\\n\\t\\x7f");
    EXPECT_EQ(bezriadiacich("\xC2\x9B"
                            "31m"),
              "\\xc2\\x9b31m");  // C1 control (CSI)
    EXPECT_EQ(bezriadiacich("\xFF\xFE"
                            "4"),
              "\\xff\\xfe4");  // no UTF-8
    EXPECT_EQ(bezriadiacich("\xC3\xA1\xC5\xBE"
                            "x"),
              "\xC3\xA1\xC5\xBE"
              "x");                                      // UTF-8 text stays
    EXPECT_EQ(bezriadiacich("\xE2\x82"), "\\xe2\\x82");  // cut sequence
}

TEST(Ukazka, CutsAfterSixtyCharacters) {
    EXPECT_EQ(ukazka("kratky"), "kratky");
    EXPECT_EQ(ukazka(std::string(60, 'a')), std::string(60, 'a'));
    EXPECT_EQ(ukazka(std::string(61, 'a')), std::string(60, 'a') + TRI_BODKY);
    EXPECT_EQ(ukazka(std::string(1 << 20, 'a')), std::string(60, 'a') + TRI_BODKY);
    // escapes count with their length and are never cut in two
    const std::string q = ukazka(std::string(58, 'a') + "\x1b" + "bbb");
    EXPECT_EQ(q, std::string(58, 'a') + TRI_BODKY);
    EXPECT_EQ(ukazkakoniec(std::string(100, 'a') + "xyz"), TRI_BODKY + std::string(57, 'a') + "xyz");
    EXPECT_EQ(ukazkakoniec("xyz"), "xyz");
    // a UTF-8 character is not split: 30 two-byte letters fit, 31 do not
    std::string a;
    for (int k = 0; k < 61; ++k) a += "\xC3\xA1";
    EXPECT_EQ(ukazka(a), a.substr(0, 120) + TRI_BODKY);
}

TEST(Ukazka, SaysWhatKindOfFileItLooksLike) {
    EXPECT_NE(napovedadruhu("\xFF\xFE"
                            "4\0")
                  .find("UTF-16"),
              std::string::npos);
    EXPECT_NE(napovedadruhu("\xFE\xFF\0"
                            "4")
                  .find("UTF-16"),
              std::string::npos);
    EXPECT_NE(napovedadruhu("\x93NUMPX\x01").find("NumPy"), std::string::npos);
    EXPECT_NE(napovedadruhu("xNUMPY\x01").find("NumPy"), std::string::npos);
    EXPECT_NE(napovedadruhu("4\r{{1,0},\r").find("CR"), std::string::npos);
    EXPECT_EQ(napovedadruhu("4\r\n{{1,0"), "");
    EXPECT_EQ(napovedadruhu("x"), "");
}

// The reader's refusals: file text escaped, cut, and the message whole.
TEST(Ukazka, RefusalsOfTheReaderQuoteFileTextSafely) {
    const std::string esc = "\x1b[2J\x1b[31m" + std::string(1 << 20, '9') + "\n";
    const std::string e1 = chybaz([&] { citajtext(esc, "m.mat"); });
    EXPECT_FALSE(maRiadiace(e1)) << e1;
    EXPECT_LT(e1.size(), 200u);
    EXPECT_NE(e1.find("\\x1b[2J\\x1b[31m999"), std::string::npos) << e1;
    // a NUL inside an entry: the message goes on to its closing "]"
    const std::string e2 = chybaz([&] { citajtext(std::string("4\n{{1\0x,0,0,0},\n", 15), "m.mat"); });
    EXPECT_EQ(e2.substr(e2.size() - 4), "\\0x]") << e2;
    EXPECT_NE(e2.find("[1<?>\\0x]"), std::string::npos) << e2;
    // an entry of a megabyte: its quote is short
    const std::string e3 =
        chybaz([&] { citajtext("4\n{{" + std::string(1 << 20, 'q') + ",0,0,0},\n", "m.mat"); });
    EXPECT_LT(e3.size(), 250u) << e3.size();
    // bare CR line ends: one line, quoted short, with a hint
    std::string cr = "4\r";
    for (int i = 0; i < 4; ++i) cr += "{1.0000000000000000,0,0,0},\r";
    const std::string e4 = chybaz([&] { citajtext(cr, "m.mat"); });
    EXPECT_FALSE(maRiadiace(e4)) << e4;
    EXPECT_NE(e4.find(TRI_BODKY), std::string::npos) << e4;
    EXPECT_NE(e4.find("CR"), std::string::npos) << e4;
    // trailing characters after a row
    const std::string e5 = chybaz([&] { citajtext("4\n{{1,0,0,0},\x1b]0;x\x07\n", "m.mat"); });
    EXPECT_FALSE(maRiadiace(e5)) << e5;
    // a file name with control characters is escaped too
    const std::string e6 = chybaz([&] { citajtext("x", "zly\x1b.mat"); });
    EXPECT_EQ(e6.rfind("zly\\x1b.mat, riadok 1", 0), 0u) << e6;
}

TEST(Ukazka, FilesOfOtherKindsAreNamed) {
    DocasnyPriecinok d;
    const std::string u16 = d.zapis("u.mat", std::string("\xFF\xFE"
                                                         "4\0\r\0\n\0{\0{\0",
                                                         12));
    const std::string e1 = chybaz([&] { citajmaticu(u16); });
    EXPECT_NE(e1.find("UTF-16"), std::string::npos) << e1;
    EXPECT_FALSE(maRiadiace(e1)) << e1;
    const std::string np = d.zapis("n.npy", std::string("\x93NUMPZ\x01\x00v\x00{'descr': '<c16', ", 28));
    const std::string e2 = chybaz([&] { citajmaticu(np); });
    EXPECT_NE(e2.find("NumPy"), std::string::npos) << e2;
    EXPECT_FALSE(maRiadiace(e2)) << e2;
}

}  // namespace
