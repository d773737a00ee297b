// The main window over the model: its start state, the commands as a user
// gives them (typing, clicking, the menus), and a window that keeps
// repainting but refuses input while a command runs.
#include <gtest/gtest.h>

#include <sstream>

#include "api/qlc.h"
#include "app/gui/pngkresba.h"
#include "app/qlc/qlc.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/okna.h"
#include "app/gui/okno1.h"
#include "app/gui/qtplatforma.h"
#include "app/gui/texty.h"
#include "tests/gui/pomocne.h"

using namespace qlc;
using namespace qlc::gui;
using qlc::gui::test::PriOtvoreni;

namespace {

const std::string NEEXISTUJUCA = "Ziadas vykreslenie brany s neexistujucim cislom, preto nezobrazujem";

struct Box {
    TDruhBoxu druh;
    std::string text;
};

struct Okno : ::testing::Test {
    std::unique_ptr<TOkno1> o;
    std::vector<Box> boxy;
    std::deque<bool> odpovede;                             // OK/Cancel answers; OK when they run out
    std::function<void(const Box&)> pribox;                // looks at the window while a box is open
    std::deque<std::optional<std::string>> subory;         // answers of the file dialogs
    std::vector<std::pair<std::string, QString>> dialogy;  // titles and filters the dialogs got

    void SetUp() override {
        o = std::make_unique<TOkno1>();
        o->platforma().automat = [this](TDruhBoxu d, const std::string& t) {
            boxy.push_back({d, t});
            if (pribox) pribox(boxy.back());
            if (d != TDruhBoxu::OkCancel || odpovede.empty()) return true;
            const bool a = odpovede.front();
            odpovede.pop_front();
            return a;
        };
        o->platforma().automatsuborov = [this](bool, const std::string& titul, const std::string&,
                                               const QString& filter) -> std::optional<std::string> {
            dialogy.emplace_back(titul, filter);
            if (subory.empty()) return std::nullopt;
            auto s = subory.front();
            subory.pop_front();
            return s;
        };
        o->platforma().interval = 0;
        o->show();
    }

    template <typename T>
    T* w(const char* meno) {
        T* x = o->findChild<T*>(QLatin1String(meno));
        EXPECT_NE(x, nullptr) << meno;
        return x;
    }
    QAction* akcia(const char* meno) { return w<QAction>(meno); }
    QString popis(const char* meno) { return w<QLabel>(meno)->text(); }
    QTableWidget* mriezka() { return w<QTableWidget>("StringGrid1"); }
    bool viditelny(const char* meno) { return !w<QWidget>(meno)->isHidden(); }
    // The place of a control in the client area below the menu.
    QRect vklientovi(QWidget* x) { return {x->mapTo(o->centralWidget(), QPoint(0, 0)), x->size()}; }
    QRect vklientovi(const char* meno) { return vklientovi(w<QWidget>(meno)); }
    // The controls: the drawing and the grid in the splitter's upper pane,
    // the row of controls and the log in the lower one.
    std::vector<QWidget*> ovladace() {
        std::vector<QWidget*> v;
        for (const char* pane : {"horny", "dolny"})
            for (QWidget* x : w<QWidget>(pane)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) v.push_back(x);
        return v;
    }

    // Replaces the text of the qubit field as a user would: select all, type.
    void napis(const QString& t) {
        QLineEdit* e = w<QLineEdit>("Edit1");
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, t);
    }
    void klikni(const char* meno) { QTest::mouseClick(w<QWidget>(meno), Qt::LeftButton); }

    std::vector<std::string> riadky() {
        std::vector<std::string> r;
        for (QTextBlock b = w<QPlainTextEdit>("Memo1")->document()->begin(); b.isValid(); b = b.next())
            r.push_back(b.text().toStdString());
        return r;
    }
    bool malog(const std::string& t) {
        for (const auto& r : riadky())
            if (r == t) return true;
        return false;
    }
    // Every cell of the grid, captions included.
    std::vector<std::string> bunky() {
        std::vector<std::string> v;
        for (int r = 0; r <= mriezka()->rowCount(); ++r)
            for (int c = 0; c <= mriezka()->columnCount(); ++c) v.push_back(o->bunka(c, r));
        return v;
    }
    QImage platno() { return o->platforma().qtplatno().obraz(); }
};

// ---- start state -------------------------------------------------------------------

TEST_F(Okno, StartCaptionSizeGridAndFirstLogLine) {
    EXPECT_EQ(o->windowTitle().toStdString(), "Dekompozícia unitárnych matíc  do QLS");
    EXPECT_EQ(o->size(), QSize(1020, 735));
    ASSERT_EQ(mriezka()->columnCount(), 4);  // 5 x 5 with the fixed row and column
    ASSERT_EQ(mriezka()->rowCount(), 4);
    const char* popisy[] = {"00", "01", "10", "11"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(o->bunka(i, 0), popisy[i - 1]);
        EXPECT_EQ(o->bunka(0, i), popisy[i - 1]);
    }
    // the start matrix: -i on the anti-diagonal above, i below, zeros empty
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c) {
            const std::string cakana = r + c != 5 ? "" : r < 3 ? "-1.00i" : "1.00i";
            EXPECT_EQ(o->bunka(c, r), cakana) << r << "," << c;
        }
    EXPECT_TRUE(viditelny("StringGrid1"));
    EXPECT_FALSE(viditelny("Image1"));
    const auto r = riadky();
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r.front(), NEEXISTUJUCA);
    EXPECT_TRUE(boxy.empty());
}

TEST_F(Okno, StartValuesOfTheControls) {
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), QStringLiteral("2"));
    EXPECT_TRUE(w<QPushButton>("Button3")->isEnabled());
    auto* c = w<QComboBox>("ComboBox1");
    ASSERT_EQ(c->count(), 6);
    EXPECT_EQ(c->itemText(0), QStringLiteral("element. bran"));
    EXPECT_EQ(c->itemText(1), QStringLiteral("L1(U) bran"));
    EXPECT_EQ(c->itemText(2), QStringLiteral("zovseob.Toffoli bran"));
    EXPECT_EQ(c->itemText(METODA_QSD), QStringLiteral("min. CNOT bran"));
    EXPECT_EQ(c->itemText(METODA_NAJLEPSIA), QStringLiteral("najkratsia siet"));
    EXPECT_EQ(c->itemText(METODA_HLADANIE), QStringLiteral("numericke hladanie"));
    EXPECT_EQ(c->currentIndex(), 0);
    auto* t1 = w<QSlider>("TrackBar1");
    EXPECT_EQ(t1->minimum(), 1);
    EXPECT_EQ(t1->maximum(), 50);
    EXPECT_EQ(t1->tickInterval(), 2);
    EXPECT_EQ(t1->value(), 1);
    auto* t2 = w<QSlider>("TrackBar2");
    EXPECT_EQ(t2->minimum(), 45);
    EXPECT_EQ(t2->maximum(), 200);
    EXPECT_EQ(t2->tickInterval(), 10);
    EXPECT_EQ(t2->value(), 125);  // moved there by the window's creation
    EXPECT_EQ(popis("Label3"), QStringLiteral("1"));
    EXPECT_EQ(popis("Label5"), QStringLiteral("200"));
    EXPECT_EQ(popis("Label7"), QStringLiteral("1,00"));
    EXPECT_EQ(popis("Label8"), QStringLiteral("0"));
    EXPECT_EQ(popis("Label11"), QStringLiteral("0"));
    EXPECT_EQ(popis("Label2"), QString::fromUtf8("Brány od:"));
    // each caption on one line with its number: "Brány od: 1", "do: 200", "z: 0"
    for (const auto& [a, b] : {std::pair{"Label2", "Label3"}, {"Label4", "Label5"}, {"Label10", "Label11"}}) {
        EXPECT_EQ(w<QLabel>(a)->y(), w<QLabel>(b)->y()) << a;
        EXPECT_LT(w<QLabel>(a)->geometry().right(), w<QLabel>(b)->x()) << a;
        EXPECT_EQ(w<QLabel>(a)->height(), w<QLabel>("Label4")->height()) << a;
    }
    EXPECT_FALSE(viditelny("ProgressBar1"));
    EXPECT_TRUE(akcia("roboptim")->isChecked());
    EXPECT_FALSE(akcia("Kontrolptimkrok1")->isChecked());
    EXPECT_FALSE(akcia("Zobroptimkroky")->isChecked());
    EXPECT_TRUE(akcia("Zuzeniezobrazenia1")->isChecked());
    for (const char* m : {"roboptim", "Kontrolptimkrok1", "Zobroptimkroky", "Zuzeniezobrazenia1"})
        EXPECT_TRUE(akcia(m)->isCheckable()) << m;
}

TEST_F(Okno, ControlsFitTheWindowAndCaptionsEndBeforeTheirNeighbours) {
    // Every control lies within the client area below the menu, so none is
    // cut off by the window's height.
    QWidget* klient = o->centralWidget();
    ASSERT_GE(ovladace().size(), 30u);
    for (QWidget* x : ovladace())
        EXPECT_TRUE(klient->rect().contains(vklientovi(x))) << x->objectName().toStdString();
    // A caption with a fixed place must not run into the control after it.
    const std::pair<const char*, const char*> susedia[] = {{"Label1", "Edit1"},    {"Label18", "ComboBox1"},
                                                           {"Label10", "Label11"}, {"Label6", "Label7"},
                                                           {"Label9", "Label8"},   {"Label16", "Label12"}};
    for (const auto& [popis, dalsi] : susedia)
        EXPECT_LE(w<QWidget>(popis)->geometry().right(), w<QWidget>(dalsi)->x()) << popis;
    EXPECT_EQ(w<QLabel>("Label1")->font().pixelSize(), 15);  // fitted by spacing, not by size
    // the grid lies exactly over the picture and above it
    EXPECT_EQ(w<QWidget>("StringGrid1")->geometry(), w<QWidget>("Image1")->geometry());
    const auto deti = w<QWidget>("horny")->children();
    EXPECT_GT(deti.indexOf(w<QWidget>("StringGrid1")), deti.indexOf(w<QWidget>("Image1")));
    EXPECT_GE(deti.indexOf(w<QWidget>("Image1")), 0);
    // its fixed row and column have the size of its cells, 70 x 35
    EXPECT_EQ(mriezka()->horizontalHeader()->height(), mriezka()->rowHeight(0));
    EXPECT_EQ(mriezka()->verticalHeader()->width(), mriezka()->columnWidth(0));
    EXPECT_EQ(mriezka()->columnWidth(0), 70);
    EXPECT_EQ(mriezka()->rowHeight(0), 35);
    EXPECT_EQ(w<QPushButton>("Button3")->text(), QString::fromUtf8("Dekompozícia"));
    EXPECT_EQ(w<QPushButton>("Button5")->text(), QStringLiteral("Generuj"));
}

TEST_F(Okno, MenusInTheirOrder) {
    const QList<QAction*> menu = o->menuBar()->actions();
    ASSERT_EQ(menu.size(), 4);
    const char* nazvy[] = {"Súbor", "Nástroje", "Nastavenia", "Help"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(menu[i]->text(), QString::fromUtf8(nazvy[i]));
    const auto polozky = [&](int i) {
        QStringList t;
        for (QAction* a : menu[i]->menu()->actions())
            if (!a->isSeparator()) t.push_back(a->text());
        return t;
    };
    EXPECT_EQ(polozky(0), QStringList({"Otvorit", QString::fromUtf8("Uložit"),
                                       QString::fromUtf8("Uložiť obrázok siete"),
                                       QString::fromUtf8("Uložiť sieť ako OpenQASM 3"),
                                       QString::fromUtf8("Uložiť sieť ako OpenQASM 2.0"), "Koniec"}));
    EXPECT_EQ(polozky(1), QStringList({QString::fromUtf8("Matica brány")}));
    EXPECT_EQ(polozky(2), QStringList({QString::fromUtf8("Vykonať optimalizáciu"),
                                       QString::fromUtf8("Kontrola po jednotlivých optim. krokoch"),
                                       "Zobraz optim. kroky", "Zuzenie zobrazenia"}));
    EXPECT_EQ(polozky(3), QStringList({QString::fromUtf8("Návod"), "Info o programe"}));
}

// ---- qubit count, "A", "Generuj" -----------------------------------------------------

TEST_F(Okno, TypingThreeGivesANineByNineGridOfANewMatrix) {
    napis(QStringLiteral("3"));
    EXPECT_TRUE(boxy.empty());
    EXPECT_EQ(o->model().pocetq, 3);
    ASSERT_EQ(mriezka()->columnCount(), 8);
    ASSERT_EQ(mriezka()->rowCount(), 8);
    const char* popisy[] = {"000", "001", "010", "011", "100", "101", "110", "111"};
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(o->bunka(i, 0), popisy[i - 1]);
        EXPECT_EQ(o->bunka(0, i), popisy[i - 1]);
    }
    // what the grid shows is the model's new matrix
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 8; ++c)
            EXPECT_EQ(o->bunka(c, r), o->model().StringGrid1.bunka(c, r)) << r << "," << c;
    int plne = 0;
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 8; ++c) plne += !o->bunka(c, r).empty();
    EXPECT_GT(plne, 32);  // a random unitary matrix, not the start one
    EXPECT_TRUE(malog("Nahodne bola vygenerovana unitarna matica."));
    EXPECT_TRUE(viditelny("StringGrid1"));
    EXPECT_FALSE(viditelny("ProgressBar1"));
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), QStringLiteral("3"));
}

TEST_F(Okno, TypingSixShowsTheBoxAndKeepsTheCount) {
    const auto pred = bunky();
    napis(QStringLiteral("6"));
    ASSERT_EQ(boxy.size(), 1u);
    EXPECT_EQ(boxy[0].druh, TDruhBoxu::Info);
    EXPECT_EQ(boxy[0].text, "Pocet Qubitov musi byt mensi ako  5.");
    EXPECT_EQ(o->model().pocetq, 2);
    EXPECT_EQ(bunky(), pred);
    // clearing the field first gives the other box; a digit then counts again
    boxy.clear();
    napis(QString());
    QTest::keyClick(w<QLineEdit>("Edit1"), Qt::Key_Backspace);
    ASSERT_EQ(boxy.size(), 1u);
    EXPECT_EQ(boxy[0].text, "Pocet Qubitov musi byt prirodzene cislo > 1");
    QTest::keyClicks(w<QLineEdit>("Edit1"), QStringLiteral("2"));
    EXPECT_EQ(boxy.size(), 1u);
    EXPECT_EQ(o->model().pocetq, 2);
    EXPECT_EQ(mriezka()->columnCount(), 4);
}

TEST_F(Okno, ButtonATwiceReturnsToTheSameView) {
    const auto pred = bunky();
    const bool obraz = viditelny("Image1");
    klikni("Button1");
    EXPECT_FALSE(viditelny("StringGrid1"));
    EXPECT_EQ(viditelny("Image1"), obraz);
    klikni("Button1");
    EXPECT_TRUE(viditelny("StringGrid1"));
    EXPECT_EQ(viditelny("Image1"), obraz);
    EXPECT_EQ(bunky(), pred);
    EXPECT_TRUE(boxy.empty());
}

TEST_F(Okno, TextTypedIntoTheGridStaysUntilTheModelRewritesIt) {
    mriezka()->item(0, 0)->setText(QStringLiteral("x"));
    // a command that does not touch the grid leaves the typed text
    w<QSlider>("TrackBar2")->setValue(100);
    EXPECT_EQ(o->bunka(1, 1), "x");
    klikni("Button1");
    klikni("Button1");  // "A" writes A into the grid again
    EXPECT_EQ(o->bunka(1, 1), "");
}

TEST_F(Okno, GenerujMakesANewMatrixOfTheSameSize) {
    const auto pred = bunky();
    klikni("Button5");
    EXPECT_EQ(mriezka()->columnCount(), 4);
    EXPECT_NE(bunky(), pred);
    EXPECT_EQ(o->bunka(1, 0), "00");
    EXPECT_TRUE(malog("Nahodne bola vygenerovana unitarna matica."));
}

// ---- settings -------------------------------------------------------------------------

TEST_F(Okno, CheckItemsToggleTheModelSettings) {
    const struct {
        const char* meno;
        bool TForm1::*hodnota;
    } polozky[] = {{"roboptim", &TForm1::roboptim},
                   {"Kontrolptimkrok1", &TForm1::Kontrolptimkrok1},
                   {"Zobroptimkroky", &TForm1::Zobroptimkroky},
                   {"Zuzeniezobrazenia1", &TForm1::Zuzeniezobrazenia1}};
    for (const auto& p : polozky) {
        const bool pred = o->model().*p.hodnota;
        akcia(p.meno)->trigger();
        EXPECT_EQ(o->model().*p.hodnota, !pred) << p.meno;
        EXPECT_EQ(akcia(p.meno)->isChecked(), !pred) << p.meno;
        akcia(p.meno)->trigger();
        EXPECT_EQ(o->model().*p.hodnota, pred) << p.meno;
    }
    // the model unchecks an item itself: the menu follows
    o->vykonaj([this] { o->model().Zobroptimkroky = true; });
    o->vykonaj([this] {
        o->model().Zobroptimkroky = false;
        o->model().zmena(Ovladac::Zobroptimkroky);
    });
    EXPECT_FALSE(akcia("Zobroptimkroky")->isChecked());
    o->vykonaj([this] { o->model().ComboBox1 = 2; });
    EXPECT_EQ(w<QComboBox>("ComboBox1")->currentIndex(), 2);
    w<QComboBox>("ComboBox1")->setCurrentIndex(1);
    EXPECT_EQ(o->model().ComboBox1, 1);
}

// ---- gate matrix dialog ---------------------------------------------------------------

TEST_F(Okno, GateDialogDefaultsShowTheNotMatrixOnQubitOne) {
    bool obrazpriboxe = false, mriezkapriboxe = true;
    pribox = [&](const Box& b) {
        if (b.text != "Ziadas maticu tejto brany.") return;
        obrazpriboxe = viditelny("Image1");
        mriezkapriboxe = viditelny("StringGrid1");
    };
    PriOtvoreni a([](QWidget* d) {
        ASSERT_NE(dynamic_cast<TOkno5*>(d), nullptr);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    akcia("Optimalizova1")->trigger();
    EXPECT_TRUE(a.hotovo);
    ASSERT_EQ(boxy.size(), 1u);
    EXPECT_EQ(boxy[0].text, "Ziadas maticu tejto brany.");
    EXPECT_TRUE(obrazpriboxe);  // the drawn gate stands behind the box
    EXPECT_FALSE(mriezkapriboxe);
    EXPECT_GT(test::nebiele(platno()), 0);
    EXPECT_TRUE(viditelny("StringGrid1"));
    EXPECT_FALSE(viditelny("Image1"));
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c) {
            const bool jedna =
                (r == 1 && c == 3) || (r == 2 && c == 4) || (r == 3 && c == 1) || (r == 4 && c == 2);
            EXPECT_EQ(o->bunka(c, r), jedna ? "1.00" : "") << r << "," << c;
        }
    EXPECT_EQ(o->bunka(1, 0), "00");
    // A is unchanged: "A" twice shows the start matrix again
    klikni("Button1");
    klikni("Button1");
    EXPECT_EQ(o->bunka(4, 1), "-1.00i");
}

TEST_F(Okno, GateDialogCancelledChangesNothing) {
    const auto pred = bunky();
    PriOtvoreni a([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
    akcia("Optimalizova1")->trigger();
    EXPECT_TRUE(a.hotovo);
    EXPECT_TRUE(boxy.empty());
    EXPECT_EQ(bunky(), pred);
}

TEST_F(Okno, GateDialogWithABadTargetGivesTheErrorBox) {
    PriOtvoreni a([](QWidget* d) {
        d->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("x"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    akcia("Optimalizova1")->trigger();
    ASSERT_EQ(boxy.size(), 1u);
    EXPECT_EQ(boxy[0].druh, TDruhBoxu::Chyba);
    // the described text, then the field that is wrong
    EXPECT_EQ(boxy[0].text,
              "Chyba pri vyrabani zadanej brany = zle zadane parametre!!!\rPole kontrolovany qubit musi byt 1 az 2.");
    EXPECT_EQ(o->model().Form5.Edit2, "x");  // the dialog keeps what was typed
}

// ---- matrix files ---------------------------------------------------------------------

TEST_F(Okno, SavedMatrixOpensAgainAndTheQubitFieldFollowsTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string subor = QDir(dir.path()).filePath(QStringLiteral("start.mat")).toStdString();
    const auto start = bunky();
    subory.push_back(subor);
    akcia("Uloi1")->trigger();
    ASSERT_EQ(dialogy.size(), 1u);
    EXPECT_EQ(dialogy[0].first, "Uloženie matice A");
    EXPECT_EQ(dialogy[0].second,
              QString::fromUtf8("Súbory matíc (*.mat);;Textové súbory (*.txt);;Všetky súbory (*.*)"));
    napis(QStringLiteral("3"));
    ASSERT_EQ(mriezka()->columnCount(), 8);
    subory.push_back(subor);
    akcia("Otvori1")->trigger();
    ASSERT_EQ(dialogy.size(), 2u);
    EXPECT_EQ(dialogy[1].first, "Otvorit súbor s maticou");
    EXPECT_EQ(dialogy[1].second,
              QString::fromUtf8("Subory matíc (*.mat);;Textové súbory (*.txt);;Všetky súbory (*.*);;"
                                "Súbory NumPy (*.npy)"));
    EXPECT_TRUE(boxy.empty());
    // the model set the field to 2 itself; the window shows it without
    // running the change a second time
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), QStringLiteral("2"));
    EXPECT_EQ(o->model().pocetq, 2);
    EXPECT_EQ(bunky(), start);
    // a cancelled dialog does nothing
    akcia("Otvori1")->trigger();
    EXPECT_EQ(bunky(), start);
}

TEST_F(Okno, RunTimeErrorEndsTheCommandWithTheErrorBox) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string subor = QDir(dir.path()).filePath(QStringLiteral("zly.mat")).toStdString();
    {
        std::ofstream f(subor);
        f << "nic\r\n";
    }
    subory.push_back(subor);
    akcia("Otvori1")->trigger();
    ASSERT_EQ(boxy.size(), 1u);
    EXPECT_EQ(boxy[0].druh, TDruhBoxu::Chyba);
    EXPECT_FALSE(boxy[0].text.empty());
    // the window goes on: the next command runs
    klikni("Button1");
    EXPECT_FALSE(viditelny("StringGrid1"));
}

// ---- a long command ---------------------------------------------------------------------

TEST_F(Okno, DuringACommandTheWindowRepaintsButRefusesInput) {
    bool casovac = false, dalsi = false, zatvorene = true, tlacidlo = true;
    // The input must not even reach the controls (no pressed button, no
    // edited text), not only be kept from starting a command.
    bool stlacene = false, upravene = false;
    QObject::connect(w<QPushButton>("Button1"), &QPushButton::pressed, o.get(), [&] { stlacene = true; });
    QObject::connect(w<QLineEdit>("Edit1"), &QLineEdit::textEdited, o.get(), [&] { upravene = true; });
    const bool ok = o->vykonaj([&] {
        TForm1& m = o->model();
        // user input posted to the main window, and a non-input event
        QWidget* a = w<QWidget>("Button1");
        const QPointF stred(a->width() / 2.0, a->height() / 2.0);
        QCoreApplication::postEvent(a, new QMouseEvent(QEvent::MouseButtonPress, stred, a->mapToGlobal(stred),
                                                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(
            a, new QMouseEvent(QEvent::MouseButtonRelease, stred, a->mapToGlobal(stred), Qt::LeftButton,
                               Qt::NoButton, Qt::NoModifier));
        QTimer::singleShot(0, [&] { casovac = true; });
        m.progresstart(3);
        m.progreskrok();  // the progress bar's change lets the events through
        EXPECT_TRUE(casovac);
        EXPECT_TRUE(viditelny("ProgressBar1"));
        EXPECT_EQ(w<QProgressBar>("ProgressBar1")->value(), 1);
        // a direct click is refused as well
        QTest::mouseClick(a, Qt::LeftButton);
        QTest::keyClick(w<QLineEdit>("Edit1"), Qt::Key_5);
        // no second command starts, and the window does not close
        dalsi = o->vykonaj([&] { dalsi = true; });
        zatvorene = o->close();
        tlacidlo = w<QWidget>("Button3")->isEnabled();
        m.progresskry();
    });
    EXPECT_TRUE(ok);
    QCoreApplication::processEvents();
    EXPECT_FALSE(stlacene);
    EXPECT_FALSE(upravene);
    EXPECT_FALSE(dalsi);
    EXPECT_FALSE(zatvorene);
    EXPECT_TRUE(o->isVisible());
    EXPECT_TRUE(tlacidlo);                  // only the decomposition disables its button
    EXPECT_TRUE(viditelny("StringGrid1"));  // "A" was never pressed
    EXPECT_EQ(w<QLineEdit>("Edit1")->text(), QStringLiteral("2"));
    EXPECT_TRUE(boxy.empty());
    // after the command input counts again
    klikni("Button1");
    EXPECT_FALSE(viditelny("StringGrid1"));
    EXPECT_TRUE(o->close());
}

TEST_F(Okno, BoxesOfACommandAreAnsweredAndTheErrorBoxEndsIt) {
    odpovede = {false};
    bool potom = false;
    const bool ok = o->vykonaj([&] {
        EXPECT_FALSE(o->model().platforma.okcancelbox("Optim.: Tah vlavo:\r\rx"));
        EXPECT_TRUE(o->model().platforma.okcancelbox("y"));
        throw ChybaBehu("chyba v prikaze");
        potom = true;
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(potom);
    ASSERT_EQ(boxy.size(), 3u);
    EXPECT_EQ(boxy[0].druh, TDruhBoxu::OkCancel);
    EXPECT_EQ(boxy[2].druh, TDruhBoxu::Chyba);
    EXPECT_EQ(boxy[2].text, "chyba v prikaze");
    EXPECT_FALSE(o->bezi());
}

// ---- decomposition and navigation ------------------------------------------------------

TEST_F(Okno, DecompositionDrawsTheCircuitAndSetsTheNavigation) {
    // The start matrix of two qubits: the same circuit on every run.
    ASSERT_EQ(o->model().pocetq, 2);
    w<QComboBox>("ComboBox1")->setCurrentIndex(0);
    klikni("Button1");  // hide the grid; the decomposition shows the canvas itself
    bool zakazane = false;
    QObject::connect(w<QPlainTextEdit>("Memo1"), &QPlainTextEdit::textChanged, o.get(), [&] {
        if (!w<QPushButton>("Button3")->isEnabled()) zakazane = true;
    });
    klikni("Button3");
    EXPECT_TRUE(zakazane);  // disabled while the decomposition wrote its log
    EXPECT_TRUE(w<QPushButton>("Button3")->isEnabled());
    EXPECT_TRUE(boxy.empty()) << (boxy.empty() ? "" : boxy[0].text);
    EXPECT_TRUE(malog("Zacala sa dekompozicia."));
    EXPECT_TRUE(malog("Kompozicia siete z elementarnych bran dala povodnu unitarnu maticu."));
    const int n = o->model().pocetb1;
    ASSERT_GE(n, 4);
    EXPECT_EQ(popis("Label11"), QString::number(n));
    EXPECT_EQ(w<QSlider>("TrackBar1")->maximum(), n);
    EXPECT_EQ(w<QSlider>("TrackBar1")->tickInterval(), n / 50);
    EXPECT_TRUE(viditelny("Image1"));
    EXPECT_FALSE(viditelny("StringGrid1"));
    EXPECT_FALSE(viditelny("ProgressBar1"));
    EXPECT_EQ(popis("Label3"), QStringLiteral("1"));
    EXPECT_GT(popis("Label5").toInt(), 1);
    const QImage po = platno();
    EXPECT_GT(test::nebiele(po), 1000);

    // the first-gate slider: drawn from gate 3, which is current
    w<QSlider>("TrackBar1")->setValue(3);
    EXPECT_EQ(popis("Label3"), QStringLiteral("3"));
    EXPECT_EQ(popis("Label8"), QStringLiteral("3"));
    EXPECT_FALSE(popis("Label12").isEmpty());
    EXPECT_NE(platno(), po);
    // the up-down moves the current gate only
    QTest::mouseClick(w<TQtUpDown>("UpDown1")->vpravo, Qt::LeftButton);
    EXPECT_EQ(popis("Label8"), QStringLiteral("4"));
    EXPECT_EQ(popis("Label3"), QStringLiteral("3"));
    // the zoom slider
    w<QSlider>("TrackBar2")->setValue(45);
    EXPECT_EQ(popis("Label7"), QStringLiteral("0.45"));
    EXPECT_TRUE(boxy.empty());
}

TEST_F(Okno, CanvasSavedAsPng) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PriOtvoreni a([](QWidget* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    akcia("Optimalizova1")->trigger();  // draws the NOT gate
    const QString cesta = QDir(dir.path()).filePath(QStringLiteral("siet.png"));
    subory.push_back(cesta.toStdString());
    akcia("Ulozobrazok1")->trigger();
    ASSERT_EQ(dialogy.size(), 1u);
    EXPECT_EQ(dialogy[0].second, QString::fromUtf8("Obrázky PNG (*.png);;Všetky súbory (*.*)"));
    QImage nacitany(cesta);
    ASSERT_FALSE(nacitany.isNull());
    EXPECT_EQ(nacitany.convertToFormat(QImage::Format_RGB32), platno());
    EXPECT_GT(test::nebiele(nacitany), 0);
    // the log says so, as after the other saves
    EXPECT_EQ(riadky().back(), "Obrazok siete bol zapisany do suboru " + cesta.toStdString() + ".");
    const std::size_t riadkovpred = riadky().size();
    // a place that cannot be written: the error box names the file
    const std::string zle = QDir(dir.path()).filePath(QStringLiteral("nie/je/tu.png")).toStdString();
    subory.push_back(zle);
    const std::size_t pred = boxy.size();
    akcia("Ulozobrazok1")->trigger();
    ASSERT_EQ(boxy.size(), pred + 1);
    EXPECT_EQ(boxy.back().druh, TDruhBoxu::Chyba);
    EXPECT_EQ(boxy.back().text, "Obrázok sa nepodarilo uložiť do súboru " + zle);
    // the log has the reason, and no line of a saved picture
    for (std::size_t i = riadkovpred; i < riadky().size(); ++i)
        EXPECT_EQ(riadky()[i].rfind("Obrazok siete bol zapisany", 0), std::string::npos) << riadky()[i];
}

// `qlc draw` paints with the window's canvas: its PNG of a circuit is the
// window's picture after "Otvorit" and "Dekompozícia" of the same file.
TEST_F(Okno, QlcDrawGivesTheWindowsPicture) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string mat = QDir(dir.path()).filePath(QStringLiteral("m.mat")).toStdString();
    const std::string png = QDir(dir.path()).filePath(QStringLiteral("m.png")).toStdString();
    auto qlc = [](std::vector<std::string> a) {
        a.insert(a.begin(), "qlc");
        std::vector<char*> argv;
        for (auto& s : a) argv.push_back(s.data());
        std::ostringstream out, err;
        return cli::hlavny(static_cast<int>(argv.size()), argv.data(), out, err, false);
    };
    ASSERT_EQ(qlc({"random", "--qubits", "3", "--seed", "5", "-o", mat}), 0);
    api::nastavpng(gui::kreslipng);
    ASSERT_EQ(qlc({"draw", mat, png}), 0);
    subory.push_back(mat);
    akcia("Otvori1")->trigger();
    klikni("Button3");
    const QImage obraz(QString::fromStdString(png));
    ASSERT_FALSE(obraz.isNull());
    EXPECT_GT(test::nebiele(obraz), 0);
    // The window's canvas holds the whole drawing frame; the PNG is its
    // visible part at the window's default size.
    ASSERT_EQ(obraz.size(), QSize(TQtPlatno::SIRKA, TQtPlatno::VYSKA));
    EXPECT_EQ(obraz.convertToFormat(QImage::Format_RGB32),
              platno().copy(0, 0, TQtPlatno::SIRKA, TQtPlatno::VYSKA).convertToFormat(QImage::Format_RGB32));
}

TEST_F(Okno, CircuitSavedAsOpenQasm) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString cesta = QDir(dir.path()).filePath(QStringLiteral("siet.qasm"));
    subory.push_back(cesta.toStdString());
    akcia("UlozQasm3")->trigger();
    ASSERT_EQ(dialogy.size(), 1u);
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("OPENQASM 3.0;"));
    EXPECT_EQ(akcia("UlozQasm2")->text(), QString::fromUtf8("Uložiť sieť ako OpenQASM 2.0"));
}

TEST_F(Okno, HelpAndAboutOpenFromTheMenu) {
    QString titul;
    PriOtvoreni a([&](QWidget* d) {
        titul = d->windowTitle();
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    akcia("Nvod2")->trigger();
    EXPECT_TRUE(a.hotovo);
    EXPECT_EQ(titul, QStringLiteral("Form4"));
    PriOtvoreni b([&](QWidget* d) {
        titul = d->windowTitle();
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
    });
    akcia("Nvod1")->trigger();
    EXPECT_TRUE(b.hotovo);
    EXPECT_EQ(titul, QStringLiteral("Info o programe"));
}

// ---- feedback and room --------------------------------------------------------------------

TEST_F(Okno, ACommandShowsTheBusyCursorAndALongOneSaysSoInTheCaption) {
    const QString titul = QString::fromUtf8(texty::FORM1);
    bool caka = false, zaneprazdnene = false, sipka = false;
    QString titulbox;
    o->platforma().automat = nullptr;
    PriOtvoreni a([&](QWidget* d) {
        const QCursor* k = QGuiApplication::overrideCursor();
        sipka = k && k->shape() == Qt::ArrowCursor;  // the box waits for the user
        titulbox = d->windowTitle();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    const bool ok = o->vykonaj([&] {
        const QCursor* k = QGuiApplication::overrideCursor();
        caka = k && k->shape() == Qt::WaitCursor;
        EXPECT_EQ(o->windowTitle(), titul);  // nothing said before the window repaints
        TForm1& m = o->model();
        m.progresstart(2);
        m.progreskrok();  // the window repaints: the command is a long one
        zaneprazdnene = o->windowTitle() == titul + QString::fromUtf8(texty::BEZI);
        m.info("Ziadas maticu tejto brany.");
        m.progresskry();
    });
    EXPECT_TRUE(ok);
    EXPECT_TRUE(a.hotovo);
    EXPECT_TRUE(caka);
    EXPECT_TRUE(zaneprazdnene);
    EXPECT_TRUE(sipka);
    EXPECT_EQ(titulbox, titul);  // boxes carry the window's caption
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(o->windowTitle(), titul);
    // a command that ends with an error gives the cursor back as well
    o->platforma().automat = [](TDruhBoxu, const std::string&) { return true; };
    EXPECT_FALSE(o->vykonaj([] { throw ChybaBehu("x"); }));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Okno, ALargerWindowGivesItsRoomToTheCanvasTheGridAndTheLog) {
    const QRect button3 = vklientovi("Button3");
    const QRect memo = vklientovi("Memo1");
    o->resize(1280, 800);
    QCoreApplication::processEvents();
    ASSERT_EQ(o->size(), QSize(1280, 800));
    // 260 pixels wider, 65 taller: the width to the drawing and the log,
    // the height to the drawing or the log
    const QRect obraz = vklientovi("Image1");
    EXPECT_EQ(obraz.topLeft(), QPoint(7, 6));
    EXPECT_EQ(obraz.width(), 995 + 260);
    EXPECT_GE(obraz.height(), 594);
    EXPECT_EQ(vklientovi("StringGrid1"), obraz);
    const int dy = vklientovi("Button3").y() - button3.y();
    EXPECT_EQ(vklientovi("Button3"), button3.translated(0, dy));
    EXPECT_EQ(vklientovi("Memo1").topLeft(), memo.topLeft() + QPoint(0, dy));
    EXPECT_EQ(vklientovi("Memo1").width(), memo.width() + 260);
    // the controls stay right below the drawing, the log no shorter
    EXPECT_EQ(obraz.height() - 594, dy);
    EXPECT_GE(vklientovi("Memo1").height(), memo.height());
    QWidget* klient = o->centralWidget();
    for (QWidget* x : ovladace())
        EXPECT_TRUE(klient->rect().contains(vklientovi(x))) << x->objectName().toStdString();
    // back at the default size every control is where it was laid out
    o->resize(1020, 735);
    QCoreApplication::processEvents();
    EXPECT_EQ(vklientovi("Image1"), QRect(7, 6, 995, 594));
    EXPECT_EQ(vklientovi("Button3"), QRect(80, 608, 109, 22));
    EXPECT_EQ(vklientovi("Memo1"), QRect(720, 606, 284, 66));
}

TEST_F(Okno, KoniecClosesTheWindow) {
    akcia("Koniec1")->trigger();
    EXPECT_FALSE(o->isVisible());
}

}  // namespace
