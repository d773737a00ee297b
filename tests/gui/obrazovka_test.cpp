// The main window on a real X server (run under xvfb-run by CTest), as a
// user sees it: its font, every caption within its control, the whole text
// of every grid cell, the canvas while a step box is open, no stale gate
// numbers after the circuit is discarded, and Slovak dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeView>
#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
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

QString q(const char* t) { return QString::fromUtf8(t); }

// Room of a text in a control: the text's width by the control's own font
// metrics against the width the control gives it.
::testing::AssertionResult zmesti(const QWidget* w, const QString& text, int miesto) {
    const int sirka = w->fontMetrics().horizontalAdvance(text);
    if (sirka <= miesto) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << w->objectName().toStdString() << ": \"" << text.toStdString()
                                         << "\" needs " << sirka << " px, has " << miesto << " (font "
                                         << QFontInfo(w->font()).family().toStdString() << " "
                                         << QFontInfo(w->font()).pixelSize() << " px)";
}

int obsahtlacidla(const QPushButton* b) {
    QStyleOptionButton o;
    o.initFrom(b);
    o.text = b->text();
    return b->style()->subElementRect(QStyle::SE_PushButtonContents, &o, b).width();
}

struct Obrazovka : ::testing::Test {
    std::unique_ptr<TOkno1> o;
    std::vector<std::string> boxy;
    std::deque<bool> odpovede;               // answers of the OK/Cancel boxes; OK when they run out
    std::function<void()> pribox;            // looks at the window while a box is open
    std::deque<std::string> subory;          // names the file dialogs return

    void SetUp() override {
        if (qEnvironmentVariableIsSet("QLC_BEZ_XVFB"))
            GTEST_SKIP() << "xvfb-run is not installed: the window is not tested on an X server";
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        o = std::make_unique<TOkno1>();
        automat(true);
        o->platforma().interval = 0;
        o->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(o.get()));
    }
    // Boxes and file dialogs answered by the test (true) or shown (false).
    void automat(bool zapnuty) {
        if (!zapnuty) {
            o->platforma().automat = nullptr;
            o->platforma().automatsuborov = nullptr;
            return;
        }
        o->platforma().automat = [this](TDruhBoxu d, const std::string& t) {
            boxy.push_back(t);
            if (pribox) pribox();
            if (d != TDruhBoxu::OkCancel || odpovede.empty()) return true;
            const bool a = odpovede.front();
            odpovede.pop_front();
            return a;
        };
        o->platforma().automatsuborov = [this](bool, const std::string&, const std::string&,
                                               const QString&) -> std::optional<std::string> {
            if (subory.empty()) return std::nullopt;
            std::string s = subory.front();
            subory.pop_front();
            return s;
        };
    }
    template <typename T = QWidget>
    T* w(const char* meno) {
        T* x = o->findChild<T*>(QLatin1String(meno));
        EXPECT_NE(x, nullptr) << meno;
        return x;
    }
    void napis(const QString& t) {
        QLineEdit* e = w<QLineEdit>("Edit1");
        e->setFocus();
        e->selectAll();
        QTest::keyClicks(e, t);
    }
    void klikni(const char* meno) { QTest::mouseClick(w(meno), Qt::LeftButton); }
    std::vector<std::string> riadky() {
        std::vector<std::string> r;
        for (QTextBlock b = w<QPlainTextEdit>("Memo1")->document()->begin(); b.isValid(); b = b.next())
            r.push_back(b.text().toStdString());
        return r;
    }
    QString popis(const char* meno) { return w<QLabel>(meno)->text(); }
    // Every entry of the grid shown whole: not elided within the room the
    // item gives its text (the column less the focus frame's margins).
    void mriezkaukazujecelytext(const std::string& co) {
        auto* g = w<QTableWidget>("StringGrid1");
        const QFontMetrics fm(g->font());
        const int okraje = 2 * (g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1);
        EXPECT_EQ(g->textElideMode(), Qt::ElideNone) << co;
        int zle = 0;
        for (int r = 0; r < g->rowCount(); ++r)
            for (int c = 0; c < g->columnCount(); ++c) {
                const QString t = g->item(r, c)->text();
                const int miesto = g->columnWidth(c) - okraje;
                if (fm.elidedText(t, Qt::ElideRight, miesto) != t || fm.horizontalAdvance(t) > miesto) {
                    if (++zle <= 3)
                        ADD_FAILURE() << co << ": cell " << r + 1 << "," << c + 1 << " \"" << t.toStdString()
                                      << "\" needs " << fm.horizontalAdvance(t) << " px, has " << miesto;
                }
            }
        EXPECT_EQ(zle, 0) << co;
    }
};

// ---- fonts and captions ----------------------------------------------------------------------

TEST_F(Obrazovka, WindowFontIsAnEightPointSansSerif) {
    const QFontInfo f(o->font());
    EXPECT_EQ(f.pixelSize(), 11);  // 8 points at 96 dpi
    EXPECT_FALSE(f.fixedPitch());
    // Liberation Sans (scripts/setup.sh installs it), or the narrow fallback
    EXPECT_TRUE(f.family() == QStringLiteral("Liberation Sans") ||
                f.family() == QStringLiteral("DejaVu Sans Condensed"))
        << f.family().toStdString();
    EXPECT_EQ(QFontInfo(QApplication::font()).pixelSize(), 11);  // the boxes and file dialogs too
    EXPECT_EQ(QFontInfo(o->form5okno().font()).pixelSize(), 11);
    // the default size still shows every control where it was laid out
    EXPECT_EQ(o->size(), QSize(1020, 735));
    EXPECT_EQ(w("Image1")->geometry(), QRect(7, 6, 995, 594));
    EXPECT_EQ(w("Memo1")->geometry(), QRect(720, 606, 284, 66));
    EXPECT_EQ(w("Button3")->geometry(), QRect(80, 608, 109, 22));
}

TEST_F(Obrazovka, EveryCaptionFitsItsControl) {
    // The number labels at their longest: six-digit gate numbers and the
    // longest four-decimal entries.
    o->vykonaj([this] {
        TForm1& m = o->model();
        m.Label3 = m.Label5 = m.Label8 = m.Label11 = "400000";
        m.Label12 = m.Label13 = m.Label14 = m.Label15 = "-0.7071-0.7071i";
        m.Label7 = "2.00";
    });
    ASSERT_EQ(popis("Label8"), QStringLiteral("400000"));

    // Labels on one line are as wide as their text; the two-line "Brány od:"
    // holds each of its words.
    for (QLabel* l : o->findChildren<QLabel*>()) {
        if (l->text().isEmpty() || !l->isVisibleTo(o.get())) continue;
        if (l->wordWrap()) {
            for (const QString& s : l->text().split(QLatin1Char(' '))) EXPECT_TRUE(zmesti(l, s, l->width()));
        } else {
            EXPECT_TRUE(zmesti(l, l->text(), l->width()));
        }
    }
    // A caption ends before the control that follows it on its line.
    const std::pair<const char*, const char*> susedia[] = {
        {"Label1", "Edit1"},    {"Label18", "ComboBox1"}, {"Label3", "Label5"},  {"Label3", "Label4"},
        {"Label5", "Label6"},   {"Label10", "Label11"},   {"Label6", "Label7"},  {"Label9", "Label8"},
        {"Label8", "UpDown1"},  {"Label16", "Label12"},   {"Label12", "Label13"}, {"Label14", "Label15"},
        {"Label13", "Memo1"},   {"Label15", "Memo1"},     {"ComboBox1", "TrackBar2"}};
    for (const auto& [a, b] : susedia) {
        const QRect ra = w(a)->geometry(), rb = w(b)->geometry();
        // only neighbours whose lines overlap can run into each other
        if (ra.bottom() < rb.top() || rb.bottom() < ra.top()) continue;
        EXPECT_LT(ra.right(), rb.left()) << a << " runs into " << b;
    }
    // "od:" on the second line of "Brány od:" ends before its number
    auto* l2 = w<QLabel>("Label2");
    EXPECT_LT(l2->x() + l2->fontMetrics().horizontalAdvance(QStringLiteral("od:")), w("Label3")->x());

    for (const char* b : {"Button1", "Button3", "Button5"}) {
        auto* t = w<QPushButton>(b);
        EXPECT_TRUE(zmesti(t, t->text(), obsahtlacidla(t)));
    }
    auto* c = w<QComboBox>("ComboBox1");
    ASSERT_EQ(c->count(), 6);
    for (int i = 0; i < c->count(); ++i) EXPECT_TRUE(zmesti(c, c->itemText(i), textovepole(c).width()));

    // menus and their check items
    for (QAction* m : o->menuBar()->actions()) {
        QMenu* menu = m->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(zmesti(o->menuBar(), m->text(), o->menuBar()->actionGeometry(m).width()));
        menu->popup(o->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) EXPECT_TRUE(zmesti(menu, a->text(), menu->actionGeometry(a).width()));
        menu->hide();
    }

    // the gate matrix dialog: captions before their fields, and room for
    // its caption in the title bar
    TOkno5& d = o->form5okno();
    const std::pair<const char*, const char*> dsusedia[] = {
        {"Label1", "Edit1"}, {"Label2", "Edit2"}, {"Label3", "Edit3"}};
    for (const auto& [a, b] : dsusedia) {
        auto* l = d.findChild<QLabel*>(QLatin1String(a));
        auto* e = d.findChild<QLineEdit*>(QLatin1String(b));
        ASSERT_TRUE(l && e) << a;
        EXPECT_TRUE(zmesti(l, l->text(), e->x() - l->x() - 1)) << a;
        EXPECT_LE(e->geometry().right(), d.width()) << b;
    }
    auto* b1 = d.findChild<QPushButton*>(QStringLiteral("Button1"));
    EXPECT_TRUE(zmesti(b1, b1->text(), obsahtlacidla(b1)));
    for (QWidget* okno : {static_cast<QWidget*>(&d), static_cast<QWidget*>(&o->form3okno()),
                          static_cast<QWidget*>(&o->form4okno())}) {
        EXPECT_GE(okno->width(),
                  okno->fontMetrics().horizontalAdvance(okno->windowTitle()) * TITULPISMO + TITULREZERVA)
            << okno->objectName().toStdString();
        for (auto* t : okno->findChildren<QPushButton*>()) EXPECT_TRUE(zmesti(t, t->text(), obsahtlacidla(t)));
    }
}

// ---- the grid ------------------------------------------------------------------------------------

TEST_F(Obrazovka, EveryGridCellShowsItsWholeText) {
    mriezkaukazujecelytext("2 qubits, start matrix");
    for (int n : {3, 4, 5}) {
        napis(QString::number(n));
        ASSERT_EQ(w<QTableWidget>("StringGrid1")->columnCount(), 1 << n);
        mriezkaukazujecelytext(std::to_string(n) + " qubits, random matrix");
    }
    // entries of the longest form with both signs
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string meno = QDir(dir.path()).filePath(QStringLiteral("pol.mat")).toStdString();
    {
        std::ofstream f(meno, std::ios::binary);
        f << "8\r\n";
        for (int i = 1; i <= 8; ++i) {
            f << (i == 1 ? "{{" : "{");
            for (int j = 1; j <= 8; ++j) f << (j > 1 ? "," : "") << ((i + j) % 2 ? "0.35+0.35i" : "-0.35-0.35i");
            f << (i < 8 ? "}," : "}}") << "\r\n";
        }
    }
    subory.push_back(meno);
    o->findChild<QAction*>(QStringLiteral("Otvori1"))->trigger();
    ASSERT_TRUE(boxy.empty());
    EXPECT_EQ(o->bunka(1, 1), "-0.35-0.35i");
    EXPECT_EQ(o->bunka(2, 1), "0.35+0.35i");
    mriezkaukazujecelytext("file of +-(0.35+0.35i)");
}

// ---- the step display ------------------------------------------------------------------------------

TEST_F(Obrazovka, CanvasIsVisibleWhileAStepBoxIsOpen) {
    // A circuit, the view moved to its last gate, then the grid on top.
    klikni("Button3");
    const int n = o->model().pocetb1;
    ASSERT_GE(n, 4);
    w<QSlider>("TrackBar1")->setValue(n);
    ASSERT_EQ(o->model().zobrazod, n);
    klikni("Button5");
    ASSERT_TRUE(w("StringGrid1")->isVisible());
    o->findChild<QAction*>(QStringLiteral("Zobroptimkroky"))->trigger();
    ASSERT_TRUE(o->model().Zobroptimkroky);

    const std::size_t pred = riadky().size();
    int kroky = 0, viditelne = 0, nakreslene = 0, zhodne = 0;
    pribox = [&] {
        if (boxy.back().rfind("Optim.: Tah", 0) != 0) return;
        ++kroky;
        QApplication::processEvents();
        QWidget* platno = w("Image1");
        if (platno->isVisible() && !w("StringGrid1")->isVisible() && !platno->visibleRegion().isEmpty())
            ++viditelne;
        // what the screen shows of the canvas is not blank
        if (test::nebiele(platno->grab().toImage()) > 100) ++nakreslene;
        if (popis("Label8") == QString::number(o->model().aktualna)) ++zhodne;
    };
    odpovede = {true, true, true, false};  // three steps, then stop the listing
    klikni("Button3");
    EXPECT_EQ(kroky, 4);
    EXPECT_EQ(viditelne, kroky);
    EXPECT_EQ(nakreslene, kroky);
    EXPECT_EQ(zhodne, kroky);
    EXPECT_FALSE(o->model().Zobroptimkroky);
    // no step was refused for a first gate the copy does not have
    const auto r = riadky();
    for (std::size_t i = pred; i < r.size(); ++i) EXPECT_NE(r[i], NEEXISTUJUCA) << i;
    // afterwards the highlighted gate is the one "Aktualna brana:" names
    const TForm1& m = o->model();
    EXPECT_LE(m.aktualna, m.pocetb1);
    EXPECT_EQ(popis("Label8"), QString::number(m.aktualna));
    EXPECT_EQ(w<TQtUpDown>("UpDown1")->pozicia(), m.aktualna);
}

// ---- a discarded circuit -----------------------------------------------------------------------------

TEST_F(Obrazovka, DiscardedCircuitLeavesNoGateNumbers) {
    const auto prazdna = [this](const std::string& co) {
        EXPECT_EQ(popis("Label11"), QStringLiteral("0")) << co;
        auto* t = w<QSlider>("TrackBar1");
        EXPECT_EQ(t->maximum(), 0) << co;
        EXPECT_FALSE(t->isEnabled()) << co;
        EXPECT_EQ(o->model().UpDown1.max, 0) << co;
        EXPECT_FALSE(w<TQtUpDown>("UpDown1")->vpravo->isEnabled()) << co;
        EXPECT_EQ(popis("Label8"), QStringLiteral("0")) << co;
        for (const char* l : {"Label12", "Label13", "Label14", "Label15"}) EXPECT_TRUE(popis(l).isEmpty()) << l;
        EXPECT_EQ(test::nebiele(o->platforma().qtplatno().obraz()), 0) << co;
    };
    klikni("Button3");
    ASSERT_GE(o->model().pocetb1, 4);
    w<QSlider>("TrackBar1")->setValue(3);
    ASSERT_FALSE(popis("Label13").isEmpty() && popis("Label12").isEmpty());
    napis(QStringLiteral("3"));
    prazdna("new qubit count");

    // the identity decomposes into no gates
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string meno = QDir(dir.path()).filePath(QStringLiteral("i.mat")).toStdString();
    {
        std::ofstream f(meno, std::ios::binary);
        f << "4\r\n{{1,0,0,0},\r\n{0,1,0,0},\r\n{0,0,1,0},\r\n{0,0,0,1}}\r\n";
    }
    napis(QStringLiteral("2"));
    klikni("Button3");
    w<QSlider>("TrackBar1")->setValue(2);
    ASSERT_NE(test::nebiele(o->platforma().qtplatno().obraz()), 0);
    subory.push_back(meno);
    o->findChild<QAction*>(QStringLiteral("Otvori1"))->trigger();
    klikni("Button3");
    ASSERT_EQ(o->model().pocetb1, 0);
    prazdna("identity decomposed");
    EXPECT_TRUE(w("Image1")->isVisible());
    // a click on the up-down names no gate
    QTest::mouseClick(w<TQtUpDown>("UpDown1")->vpravo, Qt::LeftButton);
    EXPECT_EQ(popis("Label8"), QStringLiteral("0"));
}

// ---- Slovak dialogs --------------------------------------------------------------------------------

QStringList tlacidla(QWidget* d) {
    QStringList t;
    for (auto* b : d->findChildren<QPushButton*>())
        if (b->isVisible()) t.push_back(b->text().remove(QLatin1Char('&')));
    return t;
}

TEST_F(Obrazovka, FileDialogsAndBoxesAreSlovak) {
    automat(false);
    QStringList otvor, uloz, filtre;
    QString titul;
    PriOtvoreni a([&](QWidget* d) {
        auto* f = qobject_cast<QFileDialog*>(d);
        ASSERT_NE(f, nullptr);
        QTest::qWaitForWindowExposed(f);
        titul = f->windowTitle();
        otvor = tlacidla(f);
        filtre = f->nameFilters();
        for (auto* l : f->findChildren<QLabel*>())
            if (l->isVisible() && !l->text().isEmpty()) otvor.push_back(l->text().remove(QLatin1Char('&')));
        f->reject();
    });
    o->findChild<QAction*>(QStringLiteral("Otvori1"))->trigger();
    ASSERT_TRUE(a.hotovo);
    EXPECT_EQ(titul, q("Otvorit súbor s maticou"));
    EXPECT_TRUE(otvor.contains(q("Otvoriť"))) << otvor.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(otvor.contains(q("Zrušiť"))) << otvor.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(otvor.contains(q("Súbory typu:"))) << otvor.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(otvor.contains(QStringLiteral("Cancel")));
    EXPECT_FALSE(otvor.contains(QStringLiteral("Look in:")));
    EXPECT_EQ(filtre.back(), q("Súbory NumPy (*.npy)"));

    PriOtvoreni b([&](QWidget* d) {
        auto* f = qobject_cast<QFileDialog*>(d);
        ASSERT_NE(f, nullptr);
        QTest::qWaitForWindowExposed(f);
        uloz = tlacidla(f);
        titul = f->windowTitle();
        f->reject();
    });
    o->findChild<QAction*>(QStringLiteral("Uloi1"))->trigger();
    ASSERT_TRUE(b.hotovo);
    EXPECT_EQ(titul, q("Uloženie matice A"));
    EXPECT_TRUE(uloz.contains(q("Uložiť"))) << uloz.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(uloz.contains(q("Zrušiť"))) << uloz.join(QLatin1Char('|')).toStdString();

    // an OK/Cancel box: the window's caption, Slovak buttons, wide enough
    // for the caption in the title bar
    QStringList box;
    int sirka = 0, potrebna = 0;
    PriOtvoreni c([&](QWidget* d) {
        auto* m = qobject_cast<QMessageBox*>(d);
        ASSERT_NE(m, nullptr);
        QTest::qWaitForWindowExposed(m);
        titul = m->windowTitle();
        box = tlacidla(m);
        sirka = m->width();
        potrebna = static_cast<int>(m->fontMetrics().horizontalAdvance(titul) * TITULPISMO) + TITULREZERVA;
        m->button(QMessageBox::Cancel)->click();
    });
    bool odpoved = true;
    o->vykonaj([&] { odpoved = o->model().platforma.okcancelbox("Ziadas maticu tejto brany."); });
    ASSERT_TRUE(c.hotovo);
    EXPECT_FALSE(odpoved);
    EXPECT_EQ(titul, q(texty::FORM1));
    EXPECT_TRUE(box.contains(q("Zrušiť"))) << box.join(QLatin1Char('|')).toStdString();
    EXPECT_GE(sirka, potrebna);
}

// The file list of the Open dialog shows the size, type and date of a
// matrix file in full, and the places at its left are not cut.
TEST_F(Obrazovka, FileDialogShowsWholeColumns) {
    automat(false);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::ofstream(QDir(dir.path()).filePath(QStringLiteral("matica.mat")).toStdString()) << "4\r\n";
    std::vector<int> chyba;  // column, width, width needed
    int stlpcov = 0, miesta = 0, miestapotrebne = 0;
    PriOtvoreni a([&](QWidget* d) {
        auto* f = qobject_cast<QFileDialog*>(d);
        ASSERT_NE(f, nullptr);
        QTest::qWaitForWindowExposed(f);
        auto* model = f->findChild<QFileSystemModel*>();
        auto* t = f->findChild<QTreeView*>(QStringLiteral("treeView"));
        auto* p = f->findChild<QListView*>(QStringLiteral("sidebar"));
        ASSERT_NE(model, nullptr);
        ASSERT_NE(t, nullptr);
        ASSERT_NE(p, nullptr);
        QSignalSpy nacitany(model, &QFileSystemModel::directoryLoaded);
        f->setDirectory(dir.path());
        if (nacitany.isEmpty()) nacitany.wait(5000);
        for (int i = 0; i < 10; ++i) QApplication::processEvents();
        stlpcov = t->header()->count();
        const QAbstractItemView* zoznam = t;  // the width a column's texts need
        for (int c = 1; c < stlpcov; ++c)
            if (t->header()->sectionSize(c) < zoznam->sizeHintForColumn(c))
                chyba.insert(chyba.end(), {c, t->header()->sectionSize(c), zoznam->sizeHintForColumn(c)});
        miesta = p->viewport()->width();
        miestapotrebne = p->sizeHintForColumn(0);
        f->reject();
    });
    o->findChild<QAction*>(QStringLiteral("Otvori1"))->trigger();
    ASSERT_TRUE(a.hotovo);
    EXPECT_EQ(stlpcov, 4);  // name, size, type, date
    EXPECT_TRUE(chyba.empty()) << "column " << chyba.at(0) << ": " << chyba.at(1) << " < " << chyba.at(2);
    EXPECT_GE(miesta, miestapotrebne);
}

// ---- room for the circuit --------------------------------------------------------------------------

TEST_F(Obrazovka, SecondBandOfFiveQubitsCanBeScrolledIntoView) {
    napis(QStringLiteral("5"));
    w<QComboBox>("ComboBox1")->setCurrentIndex(HLBKA_TOFFOLI);
    klikni("Button3");
    ASSERT_GT(o->model().pocetb1, 100);  // more than one band of 21 columns
    auto* s = qobject_cast<QScrollArea*>(w("Image1"));
    ASSERT_NE(s, nullptr);
    QScrollBar* v = s->verticalScrollBar();
    v->setValue(v->maximum());
    QApplication::processEvents();
    // the second band's last qubit line (y = 10 + 350 + 250 on the canvas)
    // lies within the visible part
    const QPoint ciara = s->widget()->mapTo(s->viewport(), QPoint(500, 610));
    EXPECT_TRUE(s->viewport()->rect().contains(ciara)) << ciara.y() << " of " << s->viewport()->height();
    const QImage obraz = s->viewport()->grab().toImage();
    int cierne = 0;
    for (int x = 0; x < obraz.width(); ++x) cierne += (obraz.pixel(x, ciara.y()) & 0xffffffu) == 0;
    EXPECT_GT(cierne, obraz.width() / 2);
}

}  // namespace
