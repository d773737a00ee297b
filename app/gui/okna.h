#pragma once
// The secondary windows (the gate matrix dialog Form5, the about window
// Form3, the help window Form4) and the two controls Qt has no equivalent
// for: the picture Image1 and the horizontal up-down UpDown1.
#include <QDialog>
#include <QPixmap>
#include <QRect>
#include <QScrollArea>
#include <QWidget>
#include <functional>

#include "core/form1.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace qlc::gui {

class TQtPlatno;

// The gate matrix dialog: edits the texts of TForm1::Form5.
class TOkno5 : public QDialog {
  public:
    explicit TOkno5(QWidget* rodic);
    // Shows the dialog modally on the texts of f and writes the texts back
    // however it was closed (the fields keep what was typed, as the
    // dialog's own edit fields would). True when closed by "Ukáz maticu".
    bool ukaz(TForm5& f);

  private:
    QLineEdit* pole(const char* meno, int x, int y, int w);
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLineEdit* Edit6;
    QLineEdit* Edit7;
};

// The about window with its 512 x 384 picture, drawn once at creation.
class TOkno3 : public QDialog {
  public:
    explicit TOkno3(QWidget* rodic);
    const QPixmap& obrazok() const { return obrazok_; }
    static QPixmap nakresliobrazok();

  private:
    QPixmap obrazok_;
};

// The help window.
class TOkno4 : public QDialog {
  public:
    explicit TOkno4(QWidget* rodic);
    QPlainTextEdit* Memo1;
};

// Image1: shows the canvas of the model in a scroll area, so every band of
// the drawing frame can be reached, also those below the visible part.
class TObrazok : public QScrollArea {
  public:
    TObrazok(QWidget* rodic, TQtPlatno& platno);
    // The widget that paints the canvas, inside the scroll area.
    QWidget* plocha() const { return widget(); }
    // The canvas changed its size: the painted area follows it.
    void obnovvelkost();
    // The tooltip at a point of the canvas (empty: none), and a left click
    // at a point of the canvas.
    std::function<QString(QPoint)> popis;
    std::function<void(QPoint)> klik;
};

// The legend of the drawing's symbols, drawn by the drawing's own code.
class TLegenda : public QDialog {
  public:
    TLegenda(QWidget* rodic, const TForm1& model);
    const QImage& obrazok() const { return obrazok_; }

  private:
    QImage obrazok_;
};

// The text of a tooltip, its lines as they are, in a font of fixed width
// (so that the columns of a gate's matrix line up); empty for an empty text.
QString textbubliny(const std::string& text);

// The part of a drop-down list that shows the chosen item's text.
QRect textovepole(const QComboBox* c);

// Room a window manager takes in the title bar beside the caption (icon and
// buttons), and how much larger than the window's font its title font may
// be: a dialog at least this wide shows its whole caption.
inline constexpr int TITULREZERVA = 110;
inline constexpr double TITULPISMO = 1.5;
int sirkaprecaption(const QWidget* okno);

// A horizontal up-down control: two arrow buttons, no text. The left arrow
// lowers the position, the right one raises it, within min..max.
class TQtUpDown : public QWidget {
  public:
    explicit TQtUpDown(QWidget* rodic);
    void nastav(int min, int max, int pozicia);
    int pozicia() const { return pozicia_; }
    // Called with the new position when an arrow moves it.
    std::function<void(int)> pozmene;
    QToolButton* vlavo;
    QToolButton* vpravo;

  private:
    void krok(int o);
    int min_ = 0, max_ = 0, pozicia_ = 0;
};

}  // namespace qlc::gui
