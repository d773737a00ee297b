#pragma once
// The platform of the desktop application: the model's log, boxes, file
// dialogs, gate dialog and canvas, implemented with Qt Widgets.
#include <QBrush>
#include <QElapsedTimer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/platforma.h"

namespace qlc::gui {

class TOkno1;

// Converts a filter list "Name|*.mat|Other|*.txt;*.dat" into Qt's form
// "Name (*.mat);;Other (*.txt *.dat)". A name without its pattern gets "*".
QString qtfilter(const std::string& filter);

// The text of a box: the algorithms break lines with carriage returns
// ("\r", also "\r\n"); Qt breaks them with "\n".
QString textboxu(const std::string& text);

// The text broken into lines at most sirka pixels wide in the font fm: at
// blanks, and within a word only where the word alone is wider. Lines
// already broken stay broken.
QString zalom(const QString& text, const QFontMetrics& fm, int sirka);

// The canvas of Image1: a picture painted with GDI semantics, 995 x 594 as
// the visible part of the window's picture control (and `qlc draw`'s PNG),
// or, in the window, large enough for the whole drawing frame, which its
// scroll area shows.
// Rectangles and ellipses cover l..r-1, t..b-1 (the right and bottom edges
// are outside the figure), are filled with the brush and outlined with the
// pen; text has a transparent background and its top-left corner at (x, y);
// the font height is in pixels.
class TQtPlatno : public Platno {
  public:
    static constexpr int SIRKA = 995;
    static constexpr int VYSKA = 594;
    // The drawing frame (10, 10)-(1000, 750) with the same margin of 10
    // pixels right and below as left and above.
    static constexpr int PLNASIRKA = 1010;
    static constexpr int PLNAVYSKA = 760;

    explicit TQtPlatno(int sirka = SIRKA, int vyska = VYSKA);
    QSize velkost() const { return obraz_.size(); }
    ~TQtPlatno() override;
    TQtPlatno(const TQtPlatno&) = delete;
    TQtPlatno& operator=(const TQtPlatno&) = delete;

    void pero(TFarba farba, int hrubka) override;
    void stetec(TFarba farba) override;
    void pismo(int vyska, TFarba farba) override;
    void vypln(int l, int t, int r, int b) override;
    void ciara(int x1, int y1, int x2, int y2) override;
    void elipsa(int l, int t, int r, int b) override;
    void obdlznik(int l, int t, int r, int b) override;
    void text(int x, int y, const std::string& s) override;

    // A canvas of a new size: what was drawn stays at its place, new room
    // is white.
    void zmenvelkost(int sirka, int vyska);
    // The picture as drawn so far. Ends the painter's open session, so the
    // picture may be shown or saved.
    const QImage& obraz();
    // Called when a primitive changes a picture that was shown since its
    // last change: once per drawing, not once per primitive.
    std::function<void()> pozmene;

  private:
    // Pens, brushes and fonts are kept once made: a drawing alternates
    // between a few of them gate after gate, and a new Qt object per gate
    // would allocate each time.
    static constexpr int MIEST = 8;
    struct TPeroZaznam {
        TFarba farba;
        int hrubka = -1;
        QPen q;
    };
    struct TPismoZaznam {
        int vyska = -1;
        QFont q;
        int ascent = 0;
    };
    QPainter& maliar();
    void zmenene();
    const QPen& qpero(TFarba farba, int hrubka);
    const QBrush& qstetec(TFarba farba);
    const TPismoZaznam& qpismo(int vyska);
    QRect gdiobdlznik(int l, int t, int r, int b) const;

    QImage obraz_;
    QPainter maliar_;
    bool zmenene_ = false;

    TFarba perofarba_ = CIERNA;
    int perohrubka_ = 1;
    TFarba stetecfarba_ = BIELA;
    TFarba pismofarba_ = CIERNA;
    int pismovyska_ = 13;

    std::array<TPeroZaznam, MIEST> pera_{};
    int dalsiepero_ = 0;
    struct TStetecZaznam {
        TFarba farba;
        bool platny = false;
        QBrush q;
    };
    std::array<TStetecZaznam, MIEST> stetce_{};
    int dalsistetec_ = 0;
    std::array<TPismoZaznam, MIEST> pisma_{};
    int dalsiepismo_ = 0;
    QString buf_;
};

// Kinds of the modal boxes.
enum class TDruhBoxu { Info, Chyba, OkCancel };

class TQtPlatforma : public Platforma {
  public:
    explicit TQtPlatforma(TOkno1& okno);

    void memo(const std::string& riadok) override;
    void infobox(const std::string& text) override;
    void chybabox(const std::string& text) override;
    bool okcancelbox(const std::string& text) override;
    void zmena(Ovladac o) override;
    Platno& platno() override { return platno_; }
    TQtPlatno& qtplatno() { return platno_; }
    std::optional<std::string> otvordialog(const std::string& titul, const std::string& filter) override;
    std::optional<std::string> ulozdialog(const std::string& titul, const std::string& meno,
                                          const std::string& filter) override;
    bool form5() override;
    std::uint32_t semienko() override;

    // Lets the window repaint during a long command: processes the pending
    // events (paint events, the boxes' own events; user input to the main
    // window is refused by the window's event filter meanwhile), at most
    // once per `interval` milliseconds. Does nothing outside a command. The
    // first time in a command the window's caption says that it is busy.
    void pumpa();
    int interval = 50;

    // Automatic mode, for tests and unattended runs: when set, a box is not
    // shown; the hook gets its kind and text and returns the button pressed
    // (true = OK).
    std::function<bool(TDruhBoxu, const std::string&)> automat;
    // Automatic mode of the file dialogs: gets whether it is the save dialog,
    // the title, the default name and the filter in Qt's form; returns the
    // chosen name or nothing (cancelled).
    std::function<std::optional<std::string>(bool ulozit, const std::string& titul, const std::string& meno,
                                             const QString& filter)>
        automatsuborov;

  private:
    bool box(TDruhBoxu druh, const std::string& text);
    std::optional<std::string> subor(bool ulozit, const std::string& titul, const std::string& meno,
                                     const std::string& filter);

    TOkno1& okno_;
    TQtPlatno platno_;
    QElapsedTimer casovac_;
};

}  // namespace qlc::gui
