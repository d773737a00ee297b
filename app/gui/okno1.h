#pragma once
// The main window of the desktop application: the controls of Form1 at
// their places, the menus, and the commands, each forwarded to the model
// TForm1. The window holds no program state of its own: after every change
// of the model it reads the controls' values back from it.
#include <QFont>
#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/form1.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSplitter;
class QTableWidget;

namespace qlc::gui {

class TLegenda;
class TObrazok;
class TOkno3;
class TOkno4;
class TOkno5;
class TQtPlatforma;
class TQtUpDown;

class TOkno1 : public QMainWindow {
  public:
    TOkno1();
    ~TOkno1() override;
    TOkno1(const TOkno1&) = delete;
    TOkno1& operator=(const TOkno1&) = delete;

    TForm1& model() { return *model_; }
    TQtPlatforma& platforma() { return *platforma_; }
    TOkno5& form5okno() { return *Form5; }
    TOkno3& form3okno() { return *Form3; }
    TOkno4& form4okno() { return *Form4; }

    // Runs one command on the model. While a command runs no other one can
    // start (false); a run-time error ends the command with the error box
    // (false). Afterwards every control is read back from the model.
    bool vykonaj(const std::function<void()>& f);
    bool bezi() const { return bezi_; }

    // Reads one control, or all of them, back from the model.
    void obnov(Ovladac o);
    void obnovvsetko();
    // Appends a line to the log Memo1.
    void pridajriadok(const std::string& riadok);
    // The text the grid shows in column c, row r (row 0 and column 0 are the
    // fixed captions), or "" outside the grid.
    std::string bunka(int c, int r) const;

    // Saves the canvas of Image1 as a PNG picture (menu "Uložiť obrázok siete").
    void ulozobrazok();

    // A command has run long enough to let the window repaint: its caption
    // says that it computes and refuses input, until the command ends.
    void zaneprazdnene();

    // The font of the window and its dialogs: 8 points ("MS Sans Serif" or
    // the closest sans serif installed), 11 pixels on a 96 dpi screen.
    static QFont pismookna();
    // Qt's own texts (the buttons of the boxes, the file dialogs) in Slovak.
    static void nastavslovencinu();

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

  private:
    void vytvorovladace();
    void vytvormenu();
    void prepojovladace();
    QAction* polozka(QMenu* menu, const char* meno, const char* text, const std::function<void()>& akcia);
    QAction* zaskrtavacia(QMenu* menu, const char* meno, const char* text, bool TForm1::*hodnota);
    QLabel* popis(const char* meno, const char* text, int x, int y, int pismo = 0);
    void obnovslider(QSlider* s, const TTrackBar& t);
    // Rewrites the grid from the model: always when forced (the model
    // rewrote it, as its own grid would be), otherwise only when the model's
    // grid differs from the one shown last, so text typed into the cells
    // stays until the model writes the grid again.
    void obnovmriezku(bool vzdy);
    // Places the controls for the window's size: at the default size where
    // they were laid out; a larger window gives its extra room to the
    // drawing (with the grid) and to the log, split by a splitter whose
    // handle lies between them.
    void rozloz();
    // The drawing, the grid and the log within the splitter's panes.
    void rozlozpanely();
    // The drawing frame follows the picture control's size (TForm1::ramecpre).
    void prisposobramec();
    // The smallest size at which every control and caption is whole.
    QSize minimalnavelkost() const;
    // The legend of the drawing's symbols, beside the main window.
    void ukazlegendu();
    void Button3Click();
    void Nvod2Click();
    void Nvod1Click();

    std::unique_ptr<TQtPlatforma> platforma_;
    std::unique_ptr<TForm1> model_;
    bool bezi_ = false;
    bool bezi3_ = false;   // the decomposition runs: Button3 stays disabled
    TStringGrid mriezka_;  // the model's grid as shown last
    bool mriezkaplatna_ = false;
    bool zaneprazdnene_ = false;  // the caption says the window is busy
    int pravyokraj_ = 0;    // right edge of the controls left of the log
    int dolnyvyska_ = 0;    // height of the controls' pane chosen with the splitter (0: none)
    bool ramecneskor_ = false;  // the frame is to follow the window after the command
    TLegenda* legenda_ = nullptr;

    // controls of Form1
    TObrazok* Image1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* Button3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button5 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QSlider* TrackBar2 = nullptr;
    TQtUpDown* UpDown1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QPushButton* Znacky = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QAction* roboptim = nullptr;
    QAction* Kontrolptimkrok1 = nullptr;
    QAction* Zobroptimkroky = nullptr;
    QAction* Zuzeniezobrazenia1 = nullptr;

    // the secondary windows, created hidden with the main window
    TOkno5* Form5 = nullptr;
    TOkno3* Form3 = nullptr;
    TOkno4* Form4 = nullptr;
};

}  // namespace qlc::gui
