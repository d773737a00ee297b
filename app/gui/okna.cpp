// The secondary windows and the two custom controls of the main window.
#include "okna.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "app/gui/okno1.h"
#include "app/gui/qtplatforma.h"
#include "app/gui/texty.h"

namespace qlc::gui {

namespace {

QString q(const char* t) { return QString::fromUtf8(t); }
QString q(const std::string& t) { return QString::fromUtf8(t); }

QLabel* popis(QWidget* rodic, const char* meno, const char* text, int x, int y) {
    auto* l = new QLabel(q(text), rodic);
    l->setObjectName(QLatin1String(meno));
    l->move(x, y);
    l->adjustSize();
    return l;
}

}  // namespace

// ---- Form5 ---------------------------------------------------------------------------

QLineEdit* TOkno5::pole(const char* meno, int x, int y, int w) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(meno));
    e->setGeometry(x, y, w, 21);
    e->setTextMargins(0, 0, 0, 0);
    return e;
}

TOkno5::TOkno5(QWidget* rodic) : QDialog(rodic) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(q(texty::FORM5));
    setFont(TOkno1::pismookna());
    QLabel* l1 = popis(this, "Label1", texty::FORM5_LABEL1, 88, 8);
    Edit1 = pole("Edit1", 112, 8, 17);
    QLabel* l2 = popis(this, "Label2", texty::FORM5_LABEL2, 16, 32);
    Edit2 = pole("Edit2", 112, 32, 17);
    QLabel* l3 = popis(this, "Label3", texty::FORM5_LABEL3, 16, 56);
    Edit3 = pole("Edit3", 112, 56, 73);
    // The fields of the first three lines stand right of the captions: where
    // a caption is longer than the room before x = 112, they move right and
    // the dialog widens with them.
    const int posun = std::max(0, std::max(l2->geometry().right(), l3->geometry().right()) + 4 - 112);
    for (QWidget* x : {static_cast<QWidget*>(l1), static_cast<QWidget*>(Edit1), static_cast<QWidget*>(Edit2),
                       static_cast<QWidget*>(Edit3)})
        x->move(x->x() + posun, x->y());
    popis(this, "Label4", texty::FORM5_LABEL4, 16, 80);
    Edit4 = pole("Edit4", 16, 96, 81);
    Edit5 = pole("Edit5", 104, 96, 81);
    Edit6 = pole("Edit6", 16, 120, 81);
    Edit7 = pole("Edit7", 104, 120, 81);
    auto* b = new QPushButton(q(texty::FORM5_BUTTON1), this);
    b->setObjectName(QStringLiteral("Button1"));
    b->setGeometry(16, 152, 169, 25);
    b->setToolTip(q(texty::FORM5_HINT));
    // What each field means and how it is written.
    for (QWidget* x : {static_cast<QWidget*>(l1), static_cast<QWidget*>(Edit1)}) x->setToolTip(q(texty::FORM5_TYP));
    for (QWidget* x : {static_cast<QWidget*>(l2), static_cast<QWidget*>(Edit2)}) x->setToolTip(q(texty::FORM5_CIEL));
    for (QWidget* x : {static_cast<QWidget*>(l3), static_cast<QWidget*>(Edit3)})
        x->setToolTip(q(texty::FORM5_HINT) + QLatin1Char('\n') + q(texty::FORM5_KONTROLY));
    const std::pair<QLineEdit*, const char*> prvky[] = {
        {Edit4, "U(1,1)"}, {Edit5, "U(1,2)"}, {Edit6, "U(2,1)"}, {Edit7, "U(2,2)"}};
    for (const auto& [e, meno] : prvky) e->setToolTip(QLatin1String(meno) + q(texty::FORM5_PRVOK));
    b->setAutoDefault(true);
    b->setDefault(true);
    connect(b, &QPushButton::clicked, this, &QDialog::accept);
    // wide enough for its fields and for its caption in the title bar
    setFixedSize(std::max({205 + posun, sirkaprecaption(this)}), 217);
}

bool TOkno5::ukaz(TForm5& f) {
    const std::pair<QLineEdit*, std::string*> polia[] = {
        {Edit1, &f.Edit1}, {Edit2, &f.Edit2}, {Edit3, &f.Edit3}, {Edit4, &f.Edit4},
        {Edit5, &f.Edit5}, {Edit6, &f.Edit6}, {Edit7, &f.Edit7}};
    for (const auto& [e, t] : polia) e->setText(q(*t));
    Edit1->setFocus();
    const bool ok = exec() == QDialog::Accepted;
    for (const auto& [e, t] : polia) *t = e->text().toStdString();
    return ok;
}

// ---- Form3 ---------------------------------------------------------------------------

// A fixed picture: a small circuit of three qubit lines with a one-qubit
// gate, a controlled NOT, a controlled Z and a doubly controlled gate.
QPixmap TOkno3::nakresliobrazok() {
    QPixmap px(512, 384);
    QPainter p(&px);
    QLinearGradient g(0, 0, 0, 384);
    g.setColorAt(0.0, QColor(214, 232, 250));
    g.setColorAt(1.0, QColor(255, 255, 255));
    p.fillRect(px.rect(), g);
    p.setRenderHint(QPainter::Antialiasing, true);

    QFont nadpis;
    nadpis.setPixelSize(22);
    nadpis.setBold(true);
    p.setFont(nadpis);
    p.setPen(QColor(20, 40, 110));
    p.drawText(QRect(0, 24, 512, 34), Qt::AlignCenter, q(texty::FORM1).simplified());

    const int y[] = {130, 190, 250};
    const QPen ciara(Qt::black, 2);
    p.setPen(ciara);
    for (int v : y) p.drawLine(50, v, 462, v);
    QFont pismeno;
    pismeno.setPixelSize(22);
    p.setFont(pismeno);
    const auto box = [&](int x, int v, const char* text) {
        p.setPen(ciara);
        p.setBrush(Qt::white);
        p.drawRect(x - 18, v - 18, 36, 36);
        p.drawText(QRect(x - 18, v - 18, 36, 36), Qt::AlignCenter, QLatin1String(text));
    };
    const auto bod = [&](int x, int v) {
        p.setPen(ciara);
        p.setBrush(Qt::black);
        p.drawEllipse(QPoint(x, v), 7, 7);
    };
    const auto spoj = [&](int x, int v1, int v2) {
        p.setPen(ciara);
        p.drawLine(x, v1, x, v2);
    };
    box(110, y[0], "U");
    spoj(190, y[0], y[2]);
    bod(190, y[0]);
    p.setBrush(Qt::white);
    p.drawEllipse(QPoint(190, y[2]), 16, 16);
    p.drawLine(174, y[2], 206, y[2]);
    p.drawLine(190, y[2] - 16, 190, y[2] + 16);
    spoj(270, y[1], y[2]);
    p.setBrush(Qt::white);
    p.drawRect(262, y[1] - 8, 16, 16);
    p.drawRect(262, y[2] - 8, 16, 16);
    spoj(350, y[0], y[2]);
    bod(350, y[0]);
    bod(350, y[1]);
    box(350, y[2], "E");
    box(420, y[1], "D");

    QFont male;
    male.setPixelSize(13);
    p.setFont(male);
    p.setPen(QColor(60, 60, 60));
    p.drawText(QRect(0, 290, 512, 20), Qt::AlignCenter, QStringLiteral("2 – 5 qubitov"));
    return px;
}

TOkno3::TOkno3(QWidget* rodic) : QDialog(rodic), obrazok_(nakresliobrazok()) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(q(texty::FORM3));
    setFont(TOkno1::pismookna());
    setFixedSize(520, 418);
    auto* l = new QLabel(this);
    l->setObjectName(QStringLiteral("Image1"));
    l->setGeometry(0, 0, 512, 384);
    l->setPixmap(obrazok_);
    auto* b = new QPushButton(q(texty::OK), this);
    b->setObjectName(QStringLiteral("Button1"));
    b->setGeometry(200, 344, 113, 25);
    b->setDefault(true);
    connect(b, &QPushButton::clicked, this, &QDialog::accept);
}

// ---- Form4 ---------------------------------------------------------------------------

TOkno4::TOkno4(QWidget* rodic) : QDialog(rodic) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(q(texty::FORM4));
    setFont(TOkno1::pismookna());
    setFixedSize(561, 474);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setGeometry(8, 8, 537, 393);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    QStringList riadky;
    for (const char* r : texty::NAVOD) riadky.push_back(q(r));
    Memo1->setPlainText(riadky.join(QLatin1Char('\n')));
    auto* b = new QPushButton(q(texty::OK), this);
    b->setObjectName(QStringLiteral("Button1"));
    b->setGeometry(168, 408, 185, 25);
    b->setDefault(true);
    connect(b, &QPushButton::clicked, this, &QDialog::accept);
}

// ---- the legend of the drawing ----------------------------------------------------

TLegenda::TLegenda(QWidget* rodic, const TForm1& model) : QDialog(rodic) {
    setObjectName(QStringLiteral("Legenda"));
    setWindowTitle(q(texty::LEGENDA));
    setFont(TOkno1::pismookna());
    TQtPlatno p(600, 600);
    const auto [sirka, vyska] = model.kreslilegendu(p);
    obrazok_ = p.obraz().copy(0, 0, sirka, vyska);
    auto* l = new QLabel(this);
    l->setObjectName(QStringLiteral("Image1"));
    l->setPixmap(QPixmap::fromImage(obrazok_));
    l->setGeometry(8, 8, sirka, vyska);
    auto* b = new QPushButton(q(texty::OK), this);
    b->setObjectName(QStringLiteral("Button1"));
    b->setGeometry((sirka + 16 - 113) / 2, vyska + 16, 113, 25);
    b->setDefault(true);
    connect(b, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(std::max(sirka + 16, sirkaprecaption(this)), vyska + 16 + 25 + 12);
}

// ---- Image1 --------------------------------------------------------------------------

namespace {

class TPlocha : public QWidget {
  public:
    TPlocha(TObrazok* rodic, TQtPlatno& platno) : QWidget(rodic), obrazok_(rodic), platno_(platno) {
        setObjectName(QStringLiteral("plocha"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(platno.velkost());
    }
    void obnovvelkost() {
        if (size() != platno_.velkost()) setFixedSize(platno_.velkost());
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(0, 0, platno_.obraz());
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip) {
            auto* h = static_cast<QHelpEvent*>(e);
            const QString t = obrazok_->popis ? obrazok_->popis(h->pos()) : QString();
            if (t.isEmpty()) {
                QToolTip::hideText();
                e->ignore();
            } else {
                QToolTip::showText(h->globalPos(), t, this);
            }
            return true;
        }
        return QWidget::event(e);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && obrazok_->klik) obrazok_->klik(e->position().toPoint());
        QWidget::mousePressEvent(e);
    }

  private:
    TObrazok* obrazok_;
    TQtPlatno& platno_;
};

}  // namespace

TObrazok::TObrazok(QWidget* rodic, TQtPlatno& platno) : QScrollArea(rodic) {
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(new TPlocha(this, platno));
}

void TObrazok::obnovvelkost() { static_cast<TPlocha*>(widget())->obnovvelkost(); }

QString textbubliny(const std::string& text) {
    if (text.empty()) return {};
    return QStringLiteral("<pre style=\"margin: 0\">") + QString::fromUtf8(text).toHtmlEscaped() +
           QStringLiteral("</pre>");
}

QRect textovepole(const QComboBox* c) {
    QStyleOptionComboBox o;
    o.initFrom(c);
    o.editable = c->isEditable();
    o.frame = c->hasFrame();
    o.subControls = QStyle::SC_All;
    return c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
}

int sirkaprecaption(const QWidget* okno) {
    const double titul = okno->fontMetrics().horizontalAdvance(okno->windowTitle());
    return static_cast<int>(std::ceil(titul * TITULPISMO)) + TITULREZERVA;
}

// ---- UpDown1 -------------------------------------------------------------------------

TQtUpDown::TQtUpDown(QWidget* rodic) : QWidget(rodic) {
    vlavo = new QToolButton(this);
    vlavo->setObjectName(QStringLiteral("vlavo"));
    vlavo->setArrowType(Qt::LeftArrow);
    vlavo->setAutoRepeat(true);
    vlavo->setGeometry(0, 0, 22, 22);
    vpravo = new QToolButton(this);
    vpravo->setObjectName(QStringLiteral("vpravo"));
    vpravo->setArrowType(Qt::RightArrow);
    vpravo->setAutoRepeat(true);
    vpravo->setGeometry(23, 0, 22, 22);
    connect(vlavo, &QToolButton::clicked, this, [this] { krok(-1); });
    connect(vpravo, &QToolButton::clicked, this, [this] { krok(1); });
}

void TQtUpDown::nastav(int min, int max, int pozicia) {
    min_ = min;
    max_ = max;
    pozicia_ = pozicia;
    // no gates, nothing to move to
    vlavo->setEnabled(max_ > min_);
    vpravo->setEnabled(max_ > min_);
}

void TQtUpDown::krok(int o) {
    // A range whose maximum lies below its minimum (no gates yet) allows no move.
    if (max_ < min_) return;
    const int nova = std::clamp(pozicia_ + o, min_, max_);
    if (nova == pozicia_) return;
    if (pozmene) pozmene(nova);
}

}  // namespace qlc::gui
