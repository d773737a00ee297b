// The secondary windows and the up-down control, each on its own.
#include "app/gui/okna.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "tests/gui/pomocne.h"

using namespace qlc;
using namespace qlc::gui;
using qlc::gui::test::PriOtvoreni;

namespace {

QLineEdit* pole(QWidget* w, const char* meno) { return w->findChild<QLineEdit*>(QLatin1String(meno)); }

TEST(Form5, LayoutCaptionAndHint) {
    TOkno5 d(nullptr);
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Matica brány Ln(U)"));
    // The fields of the first three lines stand at x = 112, or further right
    // by the same amount where a caption needs the room; the dialog widens
    // with them and for its caption.
    const int posun = pole(&d, "Edit2")->x() - 112;
    EXPECT_GE(posun, 0);
    EXPECT_EQ(pole(&d, "Edit1")->geometry(), QRect(112 + posun, 8, 17, 21));
    EXPECT_EQ(pole(&d, "Edit2")->geometry(), QRect(112 + posun, 32, 17, 21));
    EXPECT_EQ(pole(&d, "Edit3")->geometry(), QRect(112 + posun, 56, 73, 21));
    EXPECT_EQ(pole(&d, "Edit4")->geometry(), QRect(16, 96, 81, 21));
    EXPECT_EQ(pole(&d, "Edit7")->geometry(), QRect(104, 120, 81, 21));
    EXPECT_GE(d.width(), 205 + posun);
    EXPECT_EQ(d.height(), 217);
    EXPECT_EQ(QFontInfo(d.font()).pixelSize(), 11);
    auto* b = d.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QString::fromUtf8("Ukáz maticu"));
    EXPECT_EQ(b->geometry(), QRect(16, 152, 169, 25));
    EXPECT_EQ(b->toolTip(), QStringLiteral("rozne cisla 1-9 oddelene 1 medzerou"));
    // every field fits into the dialog
    for (const char* m : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7"}) {
        ASSERT_NE(pole(&d, m), nullptr) << m;
        EXPECT_TRUE(d.rect().contains(pole(&d, m)->geometry())) << m;
    }
    const struct {
        const char* meno;
        const char* text;
        QPoint miesto;
    } popisy[] = {{"Label1", "typ:", {88 + posun, 8}},
                  {"Label2", "kontrolovaný qubit", {16, 32}},
                  {"Label3", "kontrolujúce qubity", {16, 56}},
                  {"Label4", "Matica U z U(2):", {16, 80}}};
    for (const auto& p : popisy) {
        auto* l = d.findChild<QLabel*>(QLatin1String(p.meno));
        ASSERT_NE(l, nullptr) << p.meno;
        EXPECT_EQ(l->text(), QString::fromUtf8(p.text));
        EXPECT_EQ(l->pos(), p.miesto) << p.meno;
    }
}

TEST(Form5, ShowsTheModelTextsAndReturnsTrueOnUkazMaticu) {
    TOkno5 d(nullptr);
    TForm5 f;  // the first-time texts: a NOT gate on qubit 1
    QStringList videne;
    PriOtvoreni a([&](QWidget* w) {
        for (const char* m : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7"})
            videne.push_back(pole(w, m)->text());
        pole(w, "Edit1")->setText(QStringLiteral("2"));
        pole(w, "Edit3")->setText(QStringLiteral("1 3"));
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    EXPECT_TRUE(d.ukaz(f));
    EXPECT_TRUE(a.hotovo);
    EXPECT_EQ(videne, QStringList({"0", "1", "2", "0+0i", "1+0i", "1+0i", "0+0i"}));
    EXPECT_EQ(f.Edit1, "2");
    EXPECT_EQ(f.Edit2, "1");
    EXPECT_EQ(f.Edit3, "1 3");
    EXPECT_EQ(f.Edit7, "0+0i");
}

TEST(Form5, ClosedOtherwiseReturnsFalseAndKeepsTheTypedTexts) {
    TOkno5 d(nullptr);
    TForm5 f;
    f.Edit4 = "0.5+0.5i";
    QString videne;
    PriOtvoreni a([&](QWidget* w) {
        videne = pole(w, "Edit4")->text();
        pole(w, "Edit2")->setText(QStringLiteral("3"));
        QTest::keyClick(w, Qt::Key_Escape);
    });
    EXPECT_FALSE(d.ukaz(f));
    EXPECT_TRUE(a.hotovo);
    EXPECT_EQ(videne, QStringLiteral("0.5+0.5i"));
    EXPECT_EQ(f.Edit2, "3");
    // shown again, the dialog starts from the kept texts
    PriOtvoreni b([&](QWidget* w) {
        videne = pole(w, "Edit2")->text();
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    EXPECT_TRUE(d.ukaz(f));
    EXPECT_EQ(videne, QStringLiteral("3"));
}

TEST(Form4, HelpTextLinesExactly) {
    TOkno4 d(nullptr);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Form4"));
    EXPECT_EQ(d.size(), QSize(561, 474));
    EXPECT_EQ(d.Memo1->geometry(), QRect(8, 8, 537, 393));
    const QStringList r = d.Memo1->toPlainText().split(QLatin1Char('\n'));
    // the described lines, then the sections on the other methods, the
    // settings, the qubit numbers and the legend of the drawing
    ASSERT_GT(r.size(), 40);
    EXPECT_EQ(r[0], QStringLiteral("Program sluzi na rozklad unitarnych matic rozmerov (2^n)x(2^n) do QLC"));
    EXPECT_EQ(r[1], QString());
    EXPECT_EQ(r[3], QStringLiteral("-----------------"));
    EXPECT_EQ(r[6],
              QStringLiteral("Pocet qubitov neodporucam nastavovat na 4 a 5 (viac nie je povolene), pretoze "
                             "takyto vypocet moze trvat aj "));
    EXPECT_EQ(r[10], QStringLiteral("Tlacidlom "));
    EXPECT_EQ(r[11],
              QStringLiteral(" DEKOMPOZICIA spustime samotny rozklad po skonceny ktoreho sa na obrazovke "
                             "zobrazi vysledna QLC."));
    EXPECT_EQ(r[14], QString());
    EXPECT_EQ(r[17], QStringLiteral("rozkladu."));
    EXPECT_EQ(r[21], QStringLiteral("sposoby pad algoritmu, pri momentalnom nastaveni epsilonovej chyby.."));
    const auto pocet = [&r](const QString& zaciatok) {
        return std::count_if(r.begin() + 22, r.end(), [&](const QString& x) { return x.startsWith(zaciatok); });
    };
    // the other methods and every setting by their captions
    for (const char* p : {" min. CNOT bran - ", " najkratsia siet - ", " Vykonať optimalizáciu - ",
                          " Kontrola po jednotlivých optim. krokoch - ", " Zobraz optim. kroky - ",
                          " Zuzenie zobrazenia - "})
        EXPECT_EQ(pocet(QString::fromUtf8(p)), 1) << p;
    EXPECT_EQ(pocet(QStringLiteral("Cisla qubitov:")), 1);
    // every letter of a boxed gate is explained
    for (const char* p : {" U - ", " D - ", " P - ", " E - ", " F - ", " A - "})
        EXPECT_EQ(pocet(QLatin1String(p)), 1) << p;
    // long lines wrap at the memo's edge instead of running past it
    EXPECT_EQ(d.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    d.show();
    QApplication::processEvents();
    EXPECT_EQ(d.Memo1->horizontalScrollBar()->maximum(), 0);
    d.hide();
    auto* b = d.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QStringLiteral("OK"));
    EXPECT_EQ(b->geometry(), QRect(168, 408, 185, 25));
}

TEST(Form3, AboutWindowWithItsPictureAndOk) {
    TOkno3 d(nullptr);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Info o programe"));
    EXPECT_EQ(d.size(), QSize(520, 418));
    EXPECT_EQ(d.obrazok().size(), QSize(512, 384));
    auto* l = d.findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->geometry(), QRect(0, 0, 512, 384));
    // a picture, not an empty area: many colours, and dark strokes of the motif
    const QImage o = d.obrazok().toImage();
    QSet<QRgb> farby;
    int tmave = 0;
    for (int y = 0; y < o.height(); y += 2)
        for (int x = 0; x < o.width(); x += 2) {
            farby.insert(o.pixel(x, y));
            if (qGray(o.pixel(x, y)) < 60) ++tmave;
        }
    EXPECT_GT(farby.size(), 20);
    EXPECT_GT(tmave, 200);
    auto* b = d.findChild<QPushButton*>(QStringLiteral("Button1"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->text(), QStringLiteral("OK"));
    EXPECT_EQ(b->geometry(), QRect(200, 344, 113, 25));
    PriOtvoreni a([](QWidget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    EXPECT_EQ(d.exec(), QDialog::Accepted);
}

TEST(UpDown, ArrowsMoveWithinTheRange) {
    TQtUpDown u(nullptr);
    std::vector<int> nove;
    u.pozmene = [&](int v) { nove.push_back(v); };
    u.nastav(0, 5, 2);
    QTest::mouseClick(u.vpravo, Qt::LeftButton);
    QTest::mouseClick(u.vlavo, Qt::LeftButton);
    EXPECT_EQ(nove, (std::vector<int>{3, 1}));
    // the control reports; the position it shows is the one it is given back
    EXPECT_EQ(u.pozicia(), 2);
    nove.clear();
    u.nastav(0, 5, 5);
    QTest::mouseClick(u.vpravo, Qt::LeftButton);  // at the maximum
    u.nastav(0, 5, 0);
    QTest::mouseClick(u.vlavo, Qt::LeftButton);  // at the minimum
    u.nastav(1, 0, 1);                           // no gates: maximum below minimum
    QTest::mouseClick(u.vpravo, Qt::LeftButton);
    QTest::mouseClick(u.vlavo, Qt::LeftButton);
    EXPECT_TRUE(nove.empty());
    // a position left outside the range is brought into it
    u.nastav(0, 5, 9);
    QTest::mouseClick(u.vlavo, Qt::LeftButton);
    EXPECT_EQ(nove, (std::vector<int>{5}));
}

}  // namespace
