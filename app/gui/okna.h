#pragma once
// The secondary windows (the gate matrix dialog Form5, the about window
// Form3, the help window Form4) and the two controls Qt has no equivalent
// for: the picture Image1 and the horizontal up-down UpDown1.
#include <QDialog>
#include <QPixmap>
#include <QWidget>
#include <functional>

#include "app/form1.h"

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

// Image1: shows the canvas of the model.
class TObrazok : public QWidget {
  public:
    TObrazok(QWidget* rodic, TQtPlatno& platno);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    TQtPlatno& platno_;
};

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
