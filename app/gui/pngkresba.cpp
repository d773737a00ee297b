#include "pngkresba.h"

#include <QFile>
#include <QGuiApplication>
#include <memory>

#include "app/gui/qtplatforma.h"
#include "core/chyby.h"

namespace qlc::gui {

void kreslipng(const std::function<void(Platno&)>& kresli, const std::string& meno) {
    std::unique_ptr<QGuiApplication> app;
    static int argc = 1;
    static char nazov[] = "qlc";
    static char* argv[] = {nazov, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        // No display is needed to paint into a picture.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    TQtPlatno platno;
    kresli(platno);
    if (!platno.obraz().save(QFile::decodeName(QByteArray::fromStdString(meno)), "PNG"))
        throw ChybaSuboru(meno + ": obrazok sa neda zapisat");
}

}  // namespace qlc::gui
