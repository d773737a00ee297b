// Pictures of the main window, for looking at the window as a whole (run
// under xvfb-run; tests/gui/snimky.sh makes the usual set):
//   gui_snimka [file.png [start | N | mriezka N]]     (default /tmp/qlc-gui.png, 3)
// start      the window as it starts, with its grid;
// N          after a decomposition of a random N-qubit matrix to elementary
//            gates, with gate 7 as the current gate and the canvas scrolled
//            as far as needed to see the whole second band;
// mriezka N  the grid of a random N-qubit matrix.
// Boxes are answered with OK and written to stderr.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <cstdio>

#include "app/gui/okna.h"
#include "app/gui/okno1.h"
#include "app/gui/qtplatforma.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString subor = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/qlc-gui.png");
    const QString rezim = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("3");
    const bool mriezka = rezim == QStringLiteral("mriezka");
    const QString qubity = mriezka ? (argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("5")) : rezim;
    qlc::gui::TOkno1 o;
    o.platforma().automat = [](qlc::gui::TDruhBoxu, const std::string& t) {
        std::fprintf(stderr, "box: %s\n", t.c_str());
        return true;
    };
    o.show();
    int rc = 0;
    const auto uloz = [&] {
        QTimer::singleShot(300, [&] {
            if (!o.grab().save(subor, "PNG")) rc = 1;
            app.quit();
        });
    };
    QTimer::singleShot(100, [&] {
        if (rezim == QStringLiteral("start")) {
            uloz();
            return;
        }
        o.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(qubity);
        if (mriezka) {
            uloz();
            return;
        }
        o.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
        o.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
        // the current gate: seven clicks on the up-down's right arrow
        auto* ud = o.findChild<qlc::gui::TQtUpDown*>(QStringLiteral("UpDown1"));
        for (int i = 0; i < 7; ++i) ud->vpravo->click();
        // scrolled just far enough for the second band's bottom to be seen
        const qlc::TForm1& m = o.model();
        const int pas = static_cast<int>(std::nearbyint((m.pocetq + 2) * 40 * m.zoom));
        auto* s = o.findChild<qlc::gui::TObrazok*>(QStringLiteral("Image1"));
        s->verticalScrollBar()->setValue(m.ramec.top + 2 * pas + 5 - s->viewport()->height());
        uloz();
    });
    app.exec();
    return rc;
}
