#pragma once
// The one way the system reaches the user. The desktop application, the
// command-line tool and the tests' recording implementation each implement
// it; the core library never includes a toolkit header.
#include <cstdint>
#include <optional>
#include <string>

namespace qlc {

struct TFarba {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const TFarba&) const = default;
};
inline constexpr TFarba CIERNA{0, 0, 0};
inline constexpr TFarba CERVENA{255, 0, 0};
inline constexpr TFarba MODRA{0, 0, 255};
inline constexpr TFarba BIELA{255, 255, 255};

// The canvas of Image1 with the drawing primitives the circuit drawing uses.
// Pen and brush are state; each primitive uses the current state.
class Platno {
public:
    virtual ~Platno() = default;
    virtual void pero(TFarba farba, int hrubka) = 0;    // pen colour and width
    virtual void stetec(TFarba farba) = 0;              // brush colour
    virtual void pismo(int vyska, TFarba farba) = 0;    // font height (pixels) and colour
    virtual void vypln(int l, int t, int r, int b) = 0;  // fill a rectangle with the brush, no outline
    virtual void ciara(int x1, int y1, int x2, int y2) = 0;      // line with the pen
    virtual void elipsa(int l, int t, int r, int b) = 0;         // ellipse: brush inside, pen outline
    virtual void obdlznik(int l, int t, int r, int b) = 0;       // rectangle: brush inside, pen outline
    virtual void text(int x, int y, const std::string& s) = 0;  // top-left corner at (x, y), no background
};

// A canvas that ignores every primitive.
class PrazdnePlatno : public Platno {
public:
    void pero(TFarba, int) override {}
    void stetec(TFarba) override {}
    void pismo(int, TFarba) override {}
    void vypln(int, int, int, int) override {}
    void ciara(int, int, int, int) override {}
    void elipsa(int, int, int, int) override {}
    void obdlznik(int, int, int, int) override {}
    void text(int, int, const std::string&) override {}
};

// The controls of the main window whose value the model changes itself.
// After a change the model calls Platforma::zmena and the front end reads
// the new value from the model.
enum class Ovladac {
    Edit1,
    Button3,
    ComboBox1,
    TrackBar1,
    TrackBar2,
    UpDown1,
    ProgressBar1,
    StringGrid1,
    Image1,
    Label3,
    Label5,
    Label7,
    Label8,
    Label11,
    Label12,
    Label13,
    Label14,
    Label15,
    roboptim,
    Kontrolptimkrok1,
    Zobroptimkroky,
    Zuzeniezobrazenia1,
};

class Platforma {
public:
    virtual ~Platforma() = default;

    // A line appended to the log Memo1.
    virtual void memo(const std::string& riadok) = 0;
    // Modal information box with an OK button.
    virtual void infobox(const std::string& text) = 0;
    // Modal error box with an OK button (run-time errors that end a command).
    virtual void chybabox(const std::string& text) = 0;
    // Modal information box with OK and Cancel; true when OK was pressed.
    virtual bool okcancelbox(const std::string& text) = 0;
    // The model changed the value or visibility of a control.
    virtual void zmena(Ovladac) {}
    // The canvas of Image1.
    virtual Platno& platno() = 0;
    // File dialogs: the chosen file name, or nothing when cancelled.
    virtual std::optional<std::string> otvordialog(const std::string& titul, const std::string& filter) = 0;
    virtual std::optional<std::string> ulozdialog(const std::string& titul, const std::string& meno,
                                                  const std::string& filter) = 0;
    // The gate matrix dialog Form5, modal; true when closed by "Ukáz maticu".
    virtual bool form5() = 0;
    // Seed for the random generator (a performance counter in the desktop
    // application; fixed or given in tests and in qlc --seed).
    virtual std::uint32_t semienko() = 0;
};

}  // namespace qlc
