#pragma once
// Helpers of the GUI tests: answering a modal window from inside its own
// event loop, and looking at pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTimer>
#include <functional>

namespace qlc::gui::test {

// Waits, turn by turn of the event loop, for a modal window to open and then
// runs f on it once. Stops with the test, so a window that never opened
// cannot be answered by a later test.
class PriOtvoreni {
  public:
    explicit PriOtvoreni(std::function<void(QWidget*)> f) : f_(std::move(f)) {
        casovac_.setInterval(0);
        QObject::connect(&casovac_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w) return;
            casovac_.stop();
            hotovo = true;
            f_(w);
        });
        casovac_.start();
    }
    ~PriOtvoreni() { casovac_.stop(); }
    bool hotovo = false;

  private:
    std::function<void(QWidget*)> f_;
    QTimer casovac_;
};

// Number of pixels of the picture that are not white.
inline int nebiele(const QImage& obraz) {
    int n = 0;
    for (int y = 0; y < obraz.height(); ++y)
        for (int x = 0; x < obraz.width(); ++x)
            if ((obraz.pixel(x, y) & 0xffffffu) != 0xffffffu) ++n;
    return n;
}

}  // namespace qlc::gui::test
