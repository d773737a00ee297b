// The main window: its controls and menus, the commands forwarded to the
// model, and the refresh of the controls from the model.
#include "okno1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSplitter>
#include <QStyle>
#include <QTableWidget>
#include <QTranslator>
#include <QWindow>
#include <algorithm>

#include "app/gui/okna.h"
#include "app/gui/pngkresba.h"
#include "app/gui/qtplatforma.h"
#include "app/gui/texty.h"
#include "app/ukazka.h"
#include "app/zapis.h"

namespace qlc::gui {

namespace {

// The window's default size.
constexpr int SIRKAOKNA = 1020;
constexpr int VYSKAOKNA = 735;
// The largest gate number a label of the navigation shows (the store holds
// 400,000 gates): the controls after such a label leave room for it.
constexpr const char* NAJDLHSIECISLO = "400000";
// The default column width of the grid.
constexpr int STLPECMRIEZKY = 70;
// The controls below the drawing start at this height of the default
// layout; the splitter's handle lies just above them.
constexpr int DOLE = 606;
constexpr int DELIC = 6;
// Smallest heights of the drawing's and of the controls' pane, and the
// height of the controls' pane up to which the drawing keeps its default
// height and the log its 66 pixels (at the default size the pane is about
// 107 pixels tall, by the height of the menu bar).
constexpr int HORNYMIN = 200;
constexpr int DOLNYMIN = 72;
constexpr int DOLNYPRAH = 127;
// The log at the default size is 66 pixels tall; its smallest width.
constexpr int VYSKAMEMO = 66;
constexpr int MEMOMIN = 180;
// "Brány od:", "do:" and "z:": the first line's top and the line height.
constexpr int RIADOKOD = 632;
constexpr int RIADOK = 13;

QString q(const char* t) { return QString::fromUtf8(t); }
QString q(const std::string& t) { return QString::fromUtf8(t); }

QFont pismo(const QFont& zaklad, int pixely, bool tucne = false) {
    QFont f = zaklad;
    f.setPixelSize(pixely);
    f.setBold(tucne);
    return f;
}

// The events by which a user starts something; during a command they are
// refused for the main window.
bool vstup(QEvent::Type t) {
    switch (t) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::InputMethod:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

}  // namespace

TOkno1::TOkno1() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(q(texty::FORM1));
    nastavslovencinu();
    // The boxes and file dialogs of the program use the window's font too.
    QApplication::setFont(pismookna());
    setFont(pismookna());
    move(3, 1);

    platforma_ = std::make_unique<TQtPlatforma>(*this);
    vytvorovladace();
    vytvormenu();
    Form5 = new TOkno5(this);
    Form3 = new TOkno3(this);
    Form4 = new TOkno4(this);

    // FormCreate: the model sets its state and writes its first log line.
    model_ = std::make_unique<TForm1>(*platforma_);
    obnovmriezku(true);
    obnovvsetko();
    prepojovladace();
    // Every control and caption whole at the smallest size; the default
    // size is the one the controls were laid out for.
    setMinimumSize(minimalnavelkost());
    resize(SIRKAOKNA, VYSKAOKNA);
    rozloz();
    qApp->installEventFilter(this);
}

QFont TOkno1::pismookna() {
    // The controls' places were laid out for a narrow sans serif of 8
    // points; a wide one would run captions into the neighbouring controls.
    // Liberation Sans has the widths of Arial, the nearest of the fonts
    // Debian ships; DejaVu Sans Condensed is the narrow fallback.
    QFont f;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans Condensed")});
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(11);
    return f;
}

namespace {

// Qt's Slovak translation names the standard buttons (OK, Zrušiť, Uložiť,
// ...) in the context of the button box, where Qt 6 asks for them in the
// context of the platform theme: the one is looked up for the other.
class TPreklad : public QTranslator {
  public:
    using QTranslator::QTranslator;
    QString translate(const char* kontext, const char* text, const char* rozlisenie, int n) const override {
        QString t = QTranslator::translate(kontext, text, rozlisenie, n);
        if (t.isEmpty() && kontext && qstrcmp(kontext, "QPlatformTheme") == 0)
            t = QTranslator::translate("QDialogButtonBox", text, rozlisenie, n);
        return t;
    }
};

}  // namespace

void TOkno1::nastavslovencinu() {
    static QPointer<QTranslator> preklad;
    if (preklad || !qApp) return;
    auto* t = new TPreklad(qApp);
    if (t->load(QLocale(QLocale::Slovak, QLocale::Slovakia), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(t))
        preklad = t;
    else
        delete t;  // no translation installed: Qt's texts stay English
}

void TOkno1::zaneprazdnene() {
    if (!bezi_ || zaneprazdnene_) return;
    zaneprazdnene_ = true;
    setWindowTitle(q(texty::FORM1) + q(texty::BEZI));
}

void TOkno1::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    rozloz();
}

void TOkno1::rozloz() {
    if (!Splitter1) return;
    QWidget* klient = centralWidget();
    const int sirka = klient->width();
    Splitter1->setGeometry(0, 6, sirka, std::max(0, klient->height() - 6));
    // Heights of the two panes: the drawing keeps its 594 pixels and the
    // controls' pane the rest, until that pane is taller than DOLNYPRAH; of
    // the room beyond, 2/3 go to the log. A height the user chose with the
    // splitter is kept for the log's pane while it fits.
    const int spolu = Splitter1->height() - DELIC;
    int dolny = 0;
    if (dolnyvyska_ > 0) {
        dolny = dolnyvyska_;
    } else {
        const int navyse = std::max(0, spolu - TQtPlatno::VYSKA - DOLNYPRAH);
        dolny = spolu - TQtPlatno::VYSKA - navyse / 3;
    }
    dolny = std::clamp(dolny, DOLNYMIN, std::max(DOLNYMIN, spolu - HORNYMIN));
    Splitter1->setSizes({spolu - dolny, dolny});
    rozlozpanely();
}

void TOkno1::rozlozpanely() {
    const int sirka = Splitter1->width();
    const int horny = Splitter1->widget(0)->height();
    const int dolny = Splitter1->widget(1)->height();
    Image1->setGeometry(7, 0, sirka - (SIRKAOKNA - TQtPlatno::SIRKA), horny);
    StringGrid1->setGeometry(Image1->geometry());
    // The log reaches the window's right margin. Its height: 66 pixels up
    // to a pane of DOLNYPRAH, then growing twice as fast as the pane until
    // it reaches the pane's bottom margin of 6 pixels.
    const int vyska = std::max(VYSKAMEMO, std::min(dolny - 6, VYSKAMEMO + 2 * (dolny - DOLNYPRAH)));
    Memo1->setGeometry(720, 0, std::max(MEMOMIN, sirka - (SIRKAOKNA - 1004) - 720), vyska);
    prisposobramec();
}

void TOkno1::prisposobramec() {
    if (!Image1 || !model_) return;
    if (bezi_) {
        // the model is in the middle of a command: after it
        ramecneskor_ = true;
        return;
    }
    ramecneskor_ = false;
    // The frame fills the picture control where that is larger than the
    // frame set at creation, less the scroll bars the canvas then needs.
    const int pruh = Image1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Image1);
    int sirka = Image1->width();
    int vyska = Image1->height();
    const TRAMEC zaklad;
    if (zaklad.bottom + zaklad.top > vyska) sirka -= pruh;
    if (zaklad.right + zaklad.left > sirka) vyska -= pruh;
    const TRAMEC r = TForm1::ramecpre(sirka, vyska);
    if (r.right == model_->ramec.right && r.bottom == model_->ramec.bottom) return;
    platforma_->qtplatno().zmenvelkost(r.right + r.left, r.bottom + r.top);
    Image1->obnovvelkost();
    vykonaj([this, r] { model_->nastavramec(r); });
}

TOkno1::~TOkno1() {
    qApp->removeEventFilter(this);
    platforma_->qtplatno().pozmene = nullptr;
}

QLabel* TOkno1::popis(const char* meno, const char* text, int x, int y, int pixely) {
    auto* l = new QLabel(q(text), centralWidget());
    l->setObjectName(QLatin1String(meno));
    if (pixely > 0) l->setFont(pismo(font(), pixely));
    l->move(x, y);
    l->adjustSize();
    return l;
}

void TOkno1::vytvorovladace() {
    auto* w = new QWidget(this);
    w->setObjectName(QStringLiteral("klient"));
    setCentralWidget(w);

    Image1 = new TObrazok(w, platforma_->qtplatno());
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(7, 6, TQtPlatno::SIRKA, TQtPlatno::VYSKA);
    Image1->hide();
    platforma_->qtplatno().pozmene = [this] { Image1->plocha()->update(); };

    // Created after Image1, so it lies on top of it when both are shown.
    StringGrid1 = new QTableWidget(w);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(7, 6, TQtPlatno::SIRKA, TQtPlatno::VYSKA);
    StringGrid1->setFont(pismo(font(), 15));
    StringGrid1->horizontalHeader()->setDefaultSectionSize(STLPECMRIEZKY);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
    StringGrid1->horizontalHeader()->setFixedHeight(35);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StringGrid1->verticalHeader()->setDefaultSectionSize(35);
    StringGrid1->verticalHeader()->setMinimumSectionSize(1);
    StringGrid1->verticalHeader()->setFixedWidth(70);
    StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->setShowGrid(true);
    // The columns are made wide enough for every entry (obnovmriezku).
    StringGrid1->setTextElideMode(Qt::ElideNone);
    StringGrid1->setWordWrap(false);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    // The fixed row and column are sky blue.
    StringGrid1->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: rgb(166, 202, 240); color: black;"
        " border: 0px; border-right: 1px solid gray; border-bottom: 1px solid gray; padding-left: 2px; }"
        "QTableCornerButton::section { background-color: rgb(166, 202, 240); border: 0px;"
        " border-right: 1px solid gray; border-bottom: 1px solid gray; }"));

    // The caption must end before the qubit field at x = 61.
    QLabel* l1 = popis("Label1", texty::LABEL1, 7, 612, 15);
    if (const int sirka = l1->fontMetrics().horizontalAdvance(l1->text()); sirka > 61 - 7 - 1) {
        // Tighter letters rather than a smaller font: the height stays 15 px.
        QFont f = l1->font();
        const auto znaky = static_cast<qreal>(l1->text().size());
        f.setLetterSpacing(QFont::AbsoluteSpacing, std::max<qreal>(-2.0, (61 - 7 - 1 - sirka) / znaky));
        l1->setFont(f);
        l1->adjustSize();
    }
    Edit1 = new QLineEdit(w);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(61, 608, 16, 21);
    Edit1->setTextMargins(0, 0, 0, 0);
    Edit1->setStyleSheet(QStringLiteral("QLineEdit { padding: 0px; }"));

    Button3 = new QPushButton(q(texty::BUTTON3), w);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(80, 608, 109, 22);
    Button3->setFont(pismo(font(), 15, true));

    popis("Label18", texty::LABEL18, 192, 612);
    ComboBox1 = new QComboBox(w);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (const char* t : texty::COMBOBOX1) ComboBox1->addItem(q(t));
    ComboBox1->setGeometry(212, 608, 109, 21);
    {
        // Wide enough for its longest item, up to the zoom slider at x = 343.
        int najdlhsia = 0;
        for (int i = 0; i < ComboBox1->count(); ++i)
            najdlhsia = std::max(najdlhsia, ComboBox1->fontMetrics().horizontalAdvance(ComboBox1->itemText(i)));
        const int chyba = najdlhsia + 2 - textovepole(ComboBox1).width();
        if (chyba > 0) ComboBox1->resize(std::min(109 + chyba, 343 - 1 - 212), 21);
    }

    Button1 = new QPushButton(q(texty::BUTTON1), w);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(8, 642, 33, 22);
    Button1->setFont(pismo(font(), 16));

    Button5 = new QPushButton(q(texty::BUTTON5), w);
    Button5->setObjectName(QStringLiteral("Button5"));
    Button5->setGeometry(42, 642, 48, 22);
    Button5->setFont(pismo(font(), 12));

    TrackBar1 = new QSlider(Qt::Horizontal, w);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    // one pixel right of its described place, which "Generuj" covers
    TrackBar1->setGeometry(90, 642, 176, 26);
    TrackBar1->setTickPosition(QSlider::TicksBelow);

    // "Brány od:", "do:" and "z:" each on one line with its number, the
    // colons one under another and the numbers in one column after them.
    QLabel* l2 = popis("Label2", texty::LABEL2, 271, RIADOKOD);
    const int xcisla = l2->geometry().right() + 4;
    Label3 = popis("Label3", "", xcisla, RIADOKOD);
    QLabel* l4 = popis("Label4", texty::LABEL4, 0, RIADOKOD + RIADOK);
    l4->move(xcisla - 4 - l4->width() + 1, l4->y());
    Label5 = popis("Label5", "", xcisla, RIADOKOD + RIADOK);
    QLabel* l10 = popis("Label10", texty::LABEL10, 0, RIADOKOD + 2 * RIADOK);
    l10->move(xcisla - 4 - l10->width() + 1, l10->y());
    Label11 = popis("Label11", "", xcisla, RIADOKOD + 2 * RIADOK);
    // where the longest gate number ends: the progress bar starts after it
    const int konieccisla = xcisla + Label3->fontMetrics().horizontalAdvance(q(NAJDLHSIECISLO)) + 4;

    TrackBar2 = new QSlider(Qt::Horizontal, w);
    TrackBar2->setObjectName(QStringLiteral("TrackBar2"));
    TrackBar2->setGeometry(343, 606, 121, 26);
    TrackBar2->setTickPosition(QSlider::TicksBelow);
    popis("Label6", texty::LABEL6, 375, 632);
    Label7 = popis("Label7", "", 414, 632);

    popis("Label9", texty::LABEL9, 472, 612);
    Label8 = popis("Label8", "", 556, 612);
    UpDown1 = new TQtUpDown(w);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    // right of the longest current gate number
    UpDown1->setGeometry(std::max(580, 556 + Label8->fontMetrics().horizontalAdvance(q(NAJDLHSIECISLO)) + 3), 607,
                         45, 22);

    popis("Label16", texty::LABEL16, 472, 626);
    Label12 = popis("Label12", "", 488, 633);
    Label13 = popis("Label13", "", 604, 633);
    Label14 = popis("Label14", "", 488, 652);
    Label15 = popis("Label15", "", 604, 652);

    ProgressBar1 = new QProgressBar(w);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    {
        const int x = std::max(348, konieccisla);
        ProgressBar1->setGeometry(x, 655, 348 + 357 - x, 17);
    }
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();

    // The legend of the drawing, right of the current gate's controls.
    Znacky = new QPushButton(q(texty::ZNACKY), w);
    Znacky->setObjectName(QStringLiteral("Znacky"));
    Znacky->setToolTip(q(texty::ZNACKY_TIP));
    {
        // from the up-down to just before the log
        const int x = UpDown1->geometry().right() + 6;
        Znacky->setGeometry(x, 607, 720 - 6 - x, 22);
    }

    Memo1 = new QPlainTextEdit(w);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(720, 606, 284, 66);
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    // The controls were placed in the window's coordinates. The drawing
    // (with the grid over it) and the row of controls with the log now go
    // into the two panes of a splitter, the controls keeping their places
    // relative to the top of their pane.
    Splitter1 = new QSplitter(Qt::Vertical, w);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(DELIC);
    Splitter1->setChildrenCollapsible(false);
    auto* horny = new QWidget;
    horny->setObjectName(QStringLiteral("horny"));
    horny->setMinimumHeight(HORNYMIN);
    auto* dolny = new QWidget;
    dolny->setObjectName(QStringLiteral("dolny"));
    dolny->setMinimumHeight(DOLNYMIN);
    Splitter1->addWidget(horny);
    Splitter1->addWidget(dolny);
    for (QWidget* x : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (x == Splitter1) continue;
        const bool skryty = x->isHidden();
        const QPoint p = x->pos();
        const bool hore = x == Image1 || x == StringGrid1;
        x->setParent(hore ? horny : dolny);
        x->move(p.x(), hore ? 0 : p.y() - DOLE);
        x->setVisible(!skryty);
    }
    for (QWidget* x : dolny->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        pravyokraj_ = std::max(pravyokraj_, x == Memo1 ? 0 : x->geometry().right());
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] {
        dolnyvyska_ = Splitter1->sizes().value(1);
        rozlozpanely();
    });

    Image1->popis = [this](QPoint b) -> QString {
        if (bezi_) return {};
        return textbubliny(model_->popisbrany(model_->branana(b.x(), b.y())));
    };
    Image1->klik = [this](QPoint b) {
        if (bezi_) return;
        if (const int g = model_->branana(b.x(), b.y()); g > 0) vykonaj([this, g] { model_->vyberbranu(g); });
    };
}

QSize TOkno1::minimalnavelkost() const {
    // the row of controls and the log at its smallest beside it; the
    // drawing and the controls' pane at their smallest heights
    const int sirka = std::max(pravyokraj_ + 1, 720) + MEMOMIN + (SIRKAOKNA - 1004);
    const int vyska = menuBar()->sizeHint().height() + 6 + HORNYMIN + DELIC + DOLNYMIN;
    return {sirka, vyska};
}

QAction* TOkno1::polozka(QMenu* menu, const char* meno, const char* text,
                         const std::function<void()>& akcia) {
    QAction* a = menu->addAction(q(text));
    a->setObjectName(QLatin1String(meno));
    connect(a, &QAction::triggered, this, [akcia] { akcia(); });
    return a;
}

QAction* TOkno1::zaskrtavacia(QMenu* menu, const char* meno, const char* text, bool TForm1::*hodnota) {
    QAction* a = menu->addAction(q(text));
    a->setObjectName(QLatin1String(meno));
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, hodnota](bool zaskrtnuta) {
        vykonaj([this, hodnota, zaskrtnuta] { model_.get()->*hodnota = zaskrtnuta; });
    });
    return a;
}

void TOkno1::vytvormenu() {
    QMenuBar* mb = menuBar();
    mb->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* subor = mb->addMenu(q(texty::SUBOR));
    subor->setObjectName(QStringLiteral("Sbor1"));
    polozka(subor, "Otvori1", texty::OTVORI1, [this] { vykonaj([this] { model_->Otvori1Click(); }); });
    polozka(subor, "Uloi1", texty::ULOI1, [this] { vykonaj([this] { model_->Uloi1Click(); }); });
    // Exports of the circuit stand here, after the matrix file commands.
    polozka(subor, "Ulozobrazok1", texty::ULOZOBRAZOK, [this] { ulozobrazok(); });
    polozka(subor, "UlozQasm3", texty::ULOZQASM3, [this] { vykonaj([this] { model_->UlozQasmClick(3); }); });
    polozka(subor, "UlozQasm2", texty::ULOZQASM2, [this] { vykonaj([this] { model_->UlozQasmClick(2); }); });
    subor->addSeparator();
    polozka(subor, "Koniec1", texty::KONIEC1, [this] { close(); });

    QMenu* nastroje = mb->addMenu(q(texty::NASTROJE));
    nastroje->setObjectName(QStringLiteral("Nstroje1"));
    polozka(nastroje, "Optimalizova1", texty::OPTIMALIZOVA1,
            [this] { vykonaj([this] { model_->Optimalizova1Click(); }); });

    QMenu* nastavenia = mb->addMenu(q(texty::NASTAVENIA));
    nastavenia->setObjectName(QStringLiteral("Nastavenia1"));
    roboptim = zaskrtavacia(nastavenia, "roboptim", texty::ROBOPTIM, &TForm1::roboptim);
    Kontrolptimkrok1 =
        zaskrtavacia(nastavenia, "Kontrolptimkrok1", texty::KONTROLPTIMKROK1, &TForm1::Kontrolptimkrok1);
    Zobroptimkroky =
        zaskrtavacia(nastavenia, "Zobroptimkroky", texty::ZOBROPTIMKROKY, &TForm1::Zobroptimkroky);
    Zuzeniezobrazenia1 = zaskrtavacia(nastavenia, "Zuzeniezobrazenia1", texty::ZUZENIEZOBRAZENIA1,
                                      &TForm1::Zuzeniezobrazenia1);

    QMenu* help = mb->addMenu(q(texty::HELP));
    help->setObjectName(QStringLiteral("Help1"));
    polozka(help, "Nvod2", texty::NVOD2, [this] { Nvod2Click(); });
    polozka(help, "Nvod1", texty::NVOD1, [this] { Nvod1Click(); });
}

void TOkno1::ukazlegendu() {
    // Made on first use, then kept: it may stay open beside the drawing.
    if (!legenda_) legenda_ = new TLegenda(this, *model_);
    legenda_->show();
    legenda_->raise();
    legenda_->activateWindow();
}

void TOkno1::prepojovladace() {
    connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& t) {
        const std::string text = t.toStdString();
        vykonaj([this, &text] { model_->nastavEdit1(text); });
    });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
    connect(Button1, &QPushButton::clicked, this, [this] { vykonaj([this] { model_->Button1Click(); }); });
    connect(Button5, &QPushButton::clicked, this, [this] { vykonaj([this] { model_->Button5Click(); }); });
    connect(Znacky, &QPushButton::clicked, this, [this] { ukazlegendu(); });
    connect(ComboBox1, &QComboBox::currentIndexChanged, this,
            [this](int i) { vykonaj([this, i] { model_->ComboBox1 = i; }); });
    connect(TrackBar1, &QSlider::valueChanged, this,
            [this](int v) { vykonaj([this, v] { model_->nastavTrackBar1(v); }); });
    connect(TrackBar2, &QSlider::valueChanged, this,
            [this](int v) { vykonaj([this, v] { model_->nastavTrackBar2(v); }); });
    UpDown1->pozmene = [this](int v) { vykonaj([this, v] { model_->nastavUpDown1(v); }); };
}

// ---- commands ----------------------------------------------------------------------

bool TOkno1::vykonaj(const std::function<void()>& f) {
    if (bezi_) {
        // A control changed while a command runs (not by the user, whose
        // input is refused meanwhile): show the model's value again.
        obnovvsetko();
        return false;
    }
    struct Straz {
        bool& b;
        explicit Straz(bool& x) : b(x) { b = true; }
        ~Straz() { b = false; }
    };
    struct Kurzor {
        Kurzor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
        ~Kurzor() { QGuiApplication::restoreOverrideCursor(); }
    };
    bool ok = false;
    {
        const Kurzor k;
        Straz s(bezi_);
        ok = model_->prikaz(f);
    }
    if (zaneprazdnene_) {
        zaneprazdnene_ = false;
        setWindowTitle(q(texty::FORM1));
    }
    if (!model_->prikaz([this] { obnovvsetko(); })) ok = false;
    // the window changed its size during the command
    if (ramecneskor_) prisposobramec();
    return ok;
}

void TOkno1::Button3Click() {
    if (bezi_) return;
    bezi3_ = true;
    obnov(Ovladac::Button3);
    vykonaj([this] { model_->Button3Click(); });
    bezi3_ = false;
    obnov(Ovladac::Button3);
}

void TOkno1::Nvod2Click() {
    if (!bezi_) Form4->exec();
}

void TOkno1::Nvod1Click() {
    if (!bezi_) Form3->exec();
}

void TOkno1::ulozobrazok() {
    vykonaj([this] {
        const auto meno =
            platforma_->ulozdialog(texty::OBRAZOK_TITUL, texty::OBRAZOK_MENO, texty::OBRAZOK_FILTER);
        if (!meno) return;
        // Encoded first, then written as every file is: a failed write
        // keeps the old picture. The box names the file, the log the reason.
        try {
            zapissubor(*meno, pngbajty(platforma_->qtplatno().obraz()));
        } catch (const ChybaBehu& e) {
            model_->log(e.what());
            throw ChybaBehu(texty::OBRAZOK_CHYBA + bezriadiacich(*meno));
        }
        model_->log(texty::OBRAZOK_ZAPISANY + bezriadiacich(*meno) + ".");
    });
}

void TOkno1::closeEvent(QCloseEvent* e) {
    // The model is in the middle of a command: the window cannot go away
    // under it.
    if (bezi_)
        e->ignore();
    else
        e->accept();
}

bool TOkno1::eventFilter(QObject* o, QEvent* e) {
    // the splitter resized a pane: its contents follow
    if (e->type() == QEvent::Resize && Splitter1 && (o == Splitter1->widget(0) || o == Splitter1->widget(1)))
        rozlozpanely();
    if (!bezi_ || !vstup(e->type())) return false;
    if (o == windowHandle()) return true;
    if (auto* w = qobject_cast<QWidget*>(o); w && w->window() == this) return true;
    return false;
}

// ---- refresh from the model -----------------------------------------------------------

void TOkno1::pridajriadok(const std::string& riadok) { Memo1->appendPlainText(q(riadok)); }

void TOkno1::obnovslider(QSlider* s, const TTrackBar& t) {
    const QSignalBlocker b(s);
    if (t.max < t.min) {
        // An empty range (no gates): the slider names no gate.
        s->setRange(0, 0);
        s->setValue(0);
        s->setEnabled(false);
        return;
    }
    s->setEnabled(true);
    s->setRange(t.min, t.max);
    s->setTickInterval(t.frequency);
    s->setValue(t.position);
}

void TOkno1::obnovmriezku(bool vzdy) {
    const TStringGrid& g = model_->StringGrid1;
    if (!vzdy && mriezkaplatna_ && g.colcount == mriezka_.colcount && g.rowcount == mriezka_.rowcount &&
        g.visible == mriezka_.visible && g.bunky == mriezka_.bunky)
        return;
    mriezka_ = g;
    mriezkaplatna_ = true;
    const int stlpce = std::max(0, g.colcount - 1);
    const int riadky = std::max(0, g.rowcount - 1);
    StringGrid1->setColumnCount(stlpce);
    StringGrid1->setRowCount(riadky);
    QStringList hore, vlavo;
    for (int c = 1; c <= stlpce; ++c) hore.push_back(q(g.bunka(c, 0)));
    for (int r = 1; r <= riadky; ++r) vlavo.push_back(q(g.bunka(0, r)));
    StringGrid1->setHorizontalHeaderLabels(hore);
    StringGrid1->setVerticalHeaderLabels(vlavo);
    for (int r = 1; r <= riadky; ++r)
        for (int c = 1; c <= stlpce; ++c) {
            QTableWidgetItem* it = StringGrid1->item(r - 1, c - 1);
            if (!it) {
                it = new QTableWidgetItem;
                StringGrid1->setItem(r - 1, c - 1, it);
            }
            const QString t = q(g.bunka(c, r));
            if (it->text() != t) it->setText(t);
        }
    // Every column as wide as the widest entry needs, so none is cut or
    // elided: the text of an item stands between margins of the focus frame.
    const QFontMetrics fm(StringGrid1->font());
    const int okraje = 2 * (StringGrid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, StringGrid1) + 1);
    int sirka = STLPECMRIEZKY;
    for (int r = 0; r <= riadky; ++r)
        for (int c = 0; c <= stlpce; ++c)
            if (r > 0 || c > 0) sirka = std::max(sirka, fm.horizontalAdvance(q(g.bunka(c, r))) + okraje + 1);
    for (int c = 0; c < stlpce; ++c) StringGrid1->setColumnWidth(c, sirka);
    StringGrid1->setVisible(g.visible);
}

std::string TOkno1::bunka(int c, int r) const {
    if (c < 0 || r < 0 || c > StringGrid1->columnCount() || r > StringGrid1->rowCount() || (c == 0 && r == 0))
        return {};
    const QTableWidgetItem* it = r == 0   ? StringGrid1->horizontalHeaderItem(c - 1)
                                 : c == 0 ? StringGrid1->verticalHeaderItem(r - 1)
                                          : StringGrid1->item(r - 1, c - 1);
    return it ? it->text().toStdString() : std::string();
}

void TOkno1::obnov(Ovladac o) {
    if (!model_) return;  // the model is still being created; all is read once it exists
    const TForm1& m = *model_;
    const auto text = [](QLabel* l, const std::string& t) {
        l->setText(q(t));
        l->adjustSize();
    };
    switch (o) {
        case Ovladac::Edit1:
            if (Edit1->text() != q(m.Edit1)) {
                const QSignalBlocker b(Edit1);
                Edit1->setText(q(m.Edit1));
            }
            break;
        case Ovladac::Button3:
            Button3->setEnabled(m.Button3enabled && !bezi3_);
            break;
        case Ovladac::ComboBox1: {
            const QSignalBlocker b(ComboBox1);
            ComboBox1->setCurrentIndex(m.ComboBox1 >= 0 && m.ComboBox1 < ComboBox1->count() ? m.ComboBox1
                                                                                            : -1);
            break;
        }
        case Ovladac::TrackBar1:
            obnovslider(TrackBar1, m.TrackBar1);
            break;
        case Ovladac::TrackBar2:
            obnovslider(TrackBar2, m.TrackBar2);
            break;
        case Ovladac::UpDown1:
            UpDown1->nastav(m.UpDown1.min, m.UpDown1.max, m.UpDown1.position);
            break;
        case Ovladac::ProgressBar1: {
            // A maximum of 0 would turn Qt's bar into a busy indicator.
            const int max = std::max(1, m.ProgressBar1.max);
            ProgressBar1->setRange(0, max);
            ProgressBar1->setValue(std::clamp(m.ProgressBar1.position, 0, max));
            ProgressBar1->setVisible(m.ProgressBar1.visible);
            break;
        }
        case Ovladac::StringGrid1:
            obnovmriezku(true);
            break;
        case Ovladac::Image1:
            Image1->setVisible(m.Image1visible);
            break;
        case Ovladac::Label3:
            text(Label3, m.Label3);
            break;
        case Ovladac::Label5:
            text(Label5, m.Label5);
            break;
        case Ovladac::Label7:
            text(Label7, m.Label7);
            break;
        case Ovladac::Label8:
            text(Label8, m.Label8);
            break;
        case Ovladac::Label11:
            text(Label11, m.Label11);
            break;
        case Ovladac::Label12:
            text(Label12, m.Label12);
            break;
        case Ovladac::Label13:
            text(Label13, m.Label13);
            break;
        case Ovladac::Label14:
            text(Label14, m.Label14);
            break;
        case Ovladac::Label15:
            text(Label15, m.Label15);
            break;
        case Ovladac::roboptim:
            roboptim->setChecked(m.roboptim);
            break;
        case Ovladac::Kontrolptimkrok1:
            Kontrolptimkrok1->setChecked(m.Kontrolptimkrok1);
            break;
        case Ovladac::Zobroptimkroky:
            Zobroptimkroky->setChecked(m.Zobroptimkroky);
            break;
        case Ovladac::Zuzeniezobrazenia1:
            Zuzeniezobrazenia1->setChecked(m.Zuzeniezobrazenia1);
            break;
    }
}

void TOkno1::obnovvsetko() {
    if (!model_) return;
    for (Ovladac o : {Ovladac::Edit1,
                      Ovladac::Button3,
                      Ovladac::ComboBox1,
                      Ovladac::TrackBar1,
                      Ovladac::TrackBar2,
                      Ovladac::UpDown1,
                      Ovladac::ProgressBar1,
                      Ovladac::Image1,
                      Ovladac::Label3,
                      Ovladac::Label5,
                      Ovladac::Label7,
                      Ovladac::Label8,
                      Ovladac::Label11,
                      Ovladac::Label12,
                      Ovladac::Label13,
                      Ovladac::Label14,
                      Ovladac::Label15,
                      Ovladac::roboptim,
                      Ovladac::Kontrolptimkrok1,
                      Ovladac::Zobroptimkroky,
                      Ovladac::Zuzeniezobrazenia1})
        obnov(o);
    obnovmriezku(false);
}

}  // namespace qlc::gui
