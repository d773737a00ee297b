// Picture of the main window after a decomposition of a random 3-qubit
// matrix to elementary gates, with gate 7 as the current gate, for looking
// at the window as a whole:
//   xvfb-run gui_snimka [file.png [start]]     (default /tmp/qlc-gui.png)
// With "start" the picture shows the window as it starts, with its grid.
// Boxes are answered with OK and written to stderr.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTimer>
#include <cstdio>

#include "app/gui/okna.h"
#include "app/gui/okno1.h"
#include "app/gui/qtplatforma.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString subor = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/qlc-gui.png");
    qlc::gui::TOkno1 o;
    o.platforma().automat = [](qlc::gui::TDruhBoxu, const std::string& t) {
        std::fprintf(stderr, "box: %s\n", t.c_str());
        return true;
    };
    o.show();
    int rc = 0;
    const bool start = argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("start");
    QTimer::singleShot(100, [&] {
        if (start) {
            if (!o.grab().save(subor, "PNG")) rc = 1;
            app.quit();
            return;
        }
        o.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("3"));
        o.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(0);
        o.findChild<QPushButton*>(QStringLiteral("Button3"))->click();
        // the current gate: seven clicks on the up-down's right arrow
        auto* ud = o.findChild<qlc::gui::TQtUpDown*>(QStringLiteral("UpDown1"));
        for (int i = 0; i < 7; ++i) ud->vpravo->click();
        QTimer::singleShot(300, [&] {
            if (!o.grab().save(subor, "PNG")) rc = 1;
            app.quit();
        });
    });
    app.exec();
    return rc;
}
