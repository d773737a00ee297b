// The desktop application: builds the application object and the main
// window, and runs the message loop.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/gui/okno1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    try {
        qlc::gui::TOkno1 okno;
        okno.show();
        return app.exec();
    } catch (const std::exception& e) {
        // The window could not be created.
        QMessageBox::critical(nullptr, QGuiApplication::applicationDisplayName(),
                              QString::fromUtf8(e.what()));
        return 1;
    }
}
