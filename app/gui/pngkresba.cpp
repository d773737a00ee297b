#include "pngkresba.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <memory>

#include "app/gui/qtplatforma.h"
#include "core/chyby.h"

namespace qlc::gui {

std::string pngbajty(const QImage& obraz) {
    QByteArray bajty;
    QBuffer b(&bajty);
    if (!b.open(QIODevice::WriteOnly) || !obraz.save(&b, "PNG") || bajty.isEmpty())
        throw ChybaBehu("Obrazok sa nepodarilo zakodovat ako PNG");
    return bajty.toStdString();
}

std::string kreslipng(const std::function<void(Platno&)>& kresli) {
    return kreslipngvelkosti(kresli, TQtPlatno::SIRKA, TQtPlatno::VYSKA);
}

std::string kreslipngvelkosti(const std::function<void(Platno&)>& kresli, int sirka, int vyska) {
    std::unique_ptr<QGuiApplication> app;
    static int argc = 1;
    static char nazov[] = "qlc";
    static char* argv[] = {nazov, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        // No display is needed to paint into a picture.
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    TQtPlatno platno(sirka, vyska);
    kresli(platno);
    return pngbajty(platno.obraz());
}

}  // namespace qlc::gui
