// Pictures of the main window, for looking at the window as a whole (run
// under xvfb-run, with a window manager; tests/gui/snimky.sh makes the
// usual set):
//   gui_snimka [file.png [start | N | mriezka N [WxH | min]]]   (default /tmp/qlc-gui.png, 3)
// start      the window as it starts, with its grid;
// N          after a decomposition of a random N-qubit matrix to elementary
//            gates, with gate 7 as the current gate and the canvas scrolled
//            as far as needed to see the whole second band;
// mriezka N  the grid of a random N-qubit matrix;
// hladanie N after the numerical search on a random N-qubit matrix;
// subor F    after the numerical search on the matrix of file F (opened as
//            "Otvorit" opens it);
// legenda    the legend of the drawing's symbols beside the window;
// box        the box with the program's longest message;
// navod      the help window;
// tip        the tooltip of gate 1 after a 3-qubit decomposition;
// WxH        the window's size (default 1020x735), min its smallest size.
// The picture is the screen within the window's frame, so a window
// manager's title bar is on it. Boxes are answered with OK and written to
// stderr.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
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
    const bool zosuboru = rezim == QStringLiteral("subor");
    const bool hladanie = rezim == QStringLiteral("hladanie") || zosuboru;
    const QString qubity = mriezka || hladanie ? (argc > 3 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("5")) : rezim;
    const QString velkost = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    qlc::gui::TOkno1 o;
    o.platforma().automat = [](qlc::gui::TDruhBoxu, const std::string& t) {
        std::fprintf(stderr, "box: %s\n", t.c_str());
        return true;
    };
    if (velkost == QStringLiteral("min")) {
        o.resize(o.minimumSize());
    } else if (const QStringList r = velkost.split(QLatin1Char('x')); r.size() == 2) {
        o.resize(r[0].toInt(), r[1].toInt());
    }
    o.show();
    int rc = 0;
    const auto uloz = [&] {
        QTimer::singleShot(500, [&] {
            const QRect ram = o.frameGeometry();
            const QPixmap obraz = o.screen()->grabWindow(0, ram.x(), ram.y(), ram.width(), ram.height());
            std::fprintf(stderr, "%s: window %dx%d, frame %dx%d\n", subor.toLocal8Bit().constData(), o.width(),
                         o.height(), ram.width(), ram.height());
            if (obraz.isNull() || !obraz.save(subor, "PNG")) rc = 1;
            app.quit();
        });
    };
    // a window other than the main one, once it is shown
    const auto ulozokno = [&](const char* meno) {
        QTimer::singleShot(500, [&, meno] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) w = o.findChild<QWidget*>(QLatin1String(meno));
            const QRect ram = w ? w->frameGeometry() : QRect();
            if (!w || !o.screen()->grabWindow(0, ram.x(), ram.y(), ram.width(), ram.height()).save(subor, "PNG"))
                rc = 1;
            // a box ends its own loop; the command that opened it then ends the program
            if (QWidget* m = QApplication::activeModalWidget())
                m->close();
            else
                app.quit();
        });
    };
    QTimer::singleShot(100, [&] {
        if (rezim == QStringLiteral("start")) {
            uloz();
            return;
        }
        if (rezim == QStringLiteral("legenda")) {
            o.findChild<QPushButton*>(QStringLiteral("Znacky"))->click();
            ulozokno("Legenda");
            return;
        }
        if (rezim == QStringLiteral("tip")) {
            // the tooltip of gate 1 after a 3-qubit decomposition
            o.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("3"));
            o.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
            const qlc::TForm1& m = o.model();
            const int t = m.brany[1].ciel;
            const QPoint b(m.ramec.left + static_cast<int>(std::nearbyint(36 * m.zoom)),
                           m.ramec.top + static_cast<int>(std::nearbyint(40 * t * m.zoom)));
            QWidget* plocha = o.findChild<qlc::gui::TObrazok*>(QStringLiteral("Image1"))->widget();
            QHelpEvent e(QEvent::ToolTip, b, plocha->mapToGlobal(b));
            QApplication::sendEvent(plocha, &e);
            uloz();
            return;
        }
        if (rezim == QStringLiteral("navod")) {
            ulozokno("Form4");
            o.form4okno().exec();
            app.quit();
            return;
        }
        if (rezim == QStringLiteral("box")) {
            o.platforma().automat = nullptr;
            ulozokno("box");
            o.vykonaj([&] {
                o.model().info("Brana 17 ma 2 kontrolne qubity; OpenQASM 2.0 (qelib1.inc) zapise len brany s "
                               "najviac jednym kontrolnym qubitom, pouzite OpenQASM 3");
            });
            app.quit();
            return;
        }
        if (zosuboru) {
            const std::string cesta = qubity.toStdString();  // the third argument names the file here
            o.platforma().automatsuborov = [cesta](bool, const std::string&, const std::string&, const QString&) {
                return std::optional<std::string>(cesta);
            };
            o.findChild<QAction*>(QStringLiteral("Otvori1"))->trigger();
        } else {
            o.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(qubity);
        }
        if (mriezka) {
            uloz();
            return;
        }
        o.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(hladanie ? qlc::METODA_HLADANIE : 0);
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
