// The Qt platform of the desktop application and its canvas.
#include "qtplatforma.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QListView>
#include <QMessageBox>
#include <QScreen>
#include <QStringList>
#include <QTreeView>
#include <chrono>

#include "app/gui/okna.h"
#include "app/gui/okno1.h"
#include "app/gui/texty.h"

namespace qlc::gui {

namespace {

QColor qfarba(TFarba f) { return QColor(f.r, f.g, f.b); }

// Width of the lines of a box's text.
constexpr int SIRKABOXU = 400;

// While a command runs the window shows the busy cursor; a box or dialog the
// command opens waits for the user, so it gets the normal cursor meanwhile.
class TSipka {
  public:
    TSipka() : aktivna_(QGuiApplication::overrideCursor() != nullptr) {
        if (aktivna_) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~TSipka() {
        if (aktivna_) QGuiApplication::restoreOverrideCursor();
    }
    TSipka(const TSipka&) = delete;
    TSipka& operator=(const TSipka&) = delete;

  private:
    bool aktivna_;
};

}  // namespace

QString qtfilter(const std::string& filter) {
    if (filter.empty()) return {};
    const QStringList casti = QString::fromUtf8(filter).split(QLatin1Char('|'));
    QStringList polozky;
    for (qsizetype i = 0; i < casti.size(); i += 2) {
        QString vzor = i + 1 < casti.size() ? casti[i + 1].trimmed() : QString();
        vzor.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (vzor.isEmpty()) vzor = QStringLiteral("*");
        polozky.push_back(casti[i] + QStringLiteral(" (") + vzor + QLatin1Char(')'));
    }
    return polozky.join(QStringLiteral(";;"));
}

QString textboxu(const std::string& text) {
    QString t = QString::fromUtf8(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QString zalom(const QString& text, const QFontMetrics& fm, int sirka) {
    QStringList von;
    for (const QString& odsek : text.split(QLatin1Char('\n'))) {
        QString riadok;
        // a word is the text up to and with its blank; blanks stay as typed
        qsizetype i = 0;
        while (i < odsek.size()) {
            qsizetype k = odsek.indexOf(QLatin1Char(' '), i);
            k = k < 0 ? odsek.size() : k + 1;
            QString slovo = odsek.mid(i, k - i);
            i = k;
            if (!riadok.isEmpty() && fm.horizontalAdvance(riadok + slovo.trimmed()) > sirka) {
                von.push_back(riadok);
                riadok.clear();
            }
            // a word longer than the line is broken where the line is full
            while (fm.horizontalAdvance(riadok + slovo.trimmed()) > sirka && slovo.size() > 1) {
                qsizetype n = 1;
                while (n < slovo.size() && fm.horizontalAdvance(riadok + slovo.left(n + 1)) <= sirka) ++n;
                von.push_back(riadok + slovo.left(n));
                riadok.clear();
                slovo = slovo.mid(n);
            }
            riadok += slovo;
        }
        von.push_back(riadok);
    }
    return von.join(QLatin1Char('\n'));
}

// ---- canvas --------------------------------------------------------------------------

TQtPlatno::TQtPlatno(int sirka, int vyska) : obraz_(sirka, vyska, QImage::Format_RGB32) {
    obraz_.fill(Qt::white);
}

TQtPlatno::~TQtPlatno() {
    if (maliar_.isActive()) maliar_.end();
}

QPainter& TQtPlatno::maliar() {
    if (!maliar_.isActive()) {
        maliar_.begin(&obraz_);
        maliar_.setRenderHint(QPainter::Antialiasing, false);
        maliar_.setBackgroundMode(Qt::TransparentMode);
    }
    return maliar_;
}

void TQtPlatno::zmenene() {
    if (zmenene_) return;
    zmenene_ = true;
    if (pozmene) pozmene();
}

void TQtPlatno::zmenvelkost(int sirka, int vyska) {
    if (QSize(sirka, vyska) == obraz_.size()) return;
    if (maliar_.isActive()) maliar_.end();
    QImage novy(sirka, vyska, QImage::Format_RGB32);
    novy.fill(Qt::white);
    {
        QPainter p(&novy);
        p.drawImage(0, 0, obraz_);
    }
    obraz_ = std::move(novy);
    zmenene_ = false;
    zmenene();
}

const QImage& TQtPlatno::obraz() {
    if (maliar_.isActive()) maliar_.end();
    zmenene_ = false;
    return obraz_;
}

const QPen& TQtPlatno::qpero(TFarba farba, int hrubka) {
    for (const auto& z : pera_)
        if (z.hrubka == hrubka && z.farba == farba) return z.q;
    TPeroZaznam& z = pera_[static_cast<std::size_t>(dalsiepero_)];
    dalsiepero_ = (dalsiepero_ + 1) % MIEST;
    z.farba = farba;
    z.hrubka = hrubka;
    // Width 0 is a one-pixel pen, as in GDI.
    z.q = QPen(qfarba(farba), hrubka < 1 ? 1 : hrubka, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    return z.q;
}

const QBrush& TQtPlatno::qstetec(TFarba farba) {
    for (const auto& z : stetce_)
        if (z.platny && z.farba == farba) return z.q;
    TStetecZaznam& z = stetce_[static_cast<std::size_t>(dalsistetec_)];
    dalsistetec_ = (dalsistetec_ + 1) % MIEST;
    z.farba = farba;
    z.platny = true;
    z.q = QBrush(qfarba(farba));
    return z.q;
}

const TQtPlatno::TPismoZaznam& TQtPlatno::qpismo(int vyska) {
    for (const auto& z : pisma_)
        if (z.vyska == vyska) return z;
    TPismoZaznam& z = pisma_[static_cast<std::size_t>(dalsiepismo_)];
    dalsiepismo_ = (dalsiepismo_ + 1) % MIEST;
    z.vyska = vyska;
    z.q = QFont();
    z.q.setPixelSize(vyska);
    z.ascent = QFontMetrics(z.q).ascent();
    return z;
}

void TQtPlatno::pero(TFarba farba, int hrubka) {
    perofarba_ = farba;
    perohrubka_ = hrubka;
}

void TQtPlatno::stetec(TFarba farba) { stetecfarba_ = farba; }

void TQtPlatno::pismo(int vyska, TFarba farba) {
    pismovyska_ = vyska < 1 ? 1 : vyska;
    pismofarba_ = farba;
}

// GDI figures exclude their right and bottom edges; a QRect outlined with a
// one-pixel pen covers left..left+width, so the width is r - l - 1.
QRect TQtPlatno::gdiobdlznik(int l, int t, int r, int b) const {
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    return QRect(l, t, r - l - 1, b - t - 1);
}

void TQtPlatno::vypln(int l, int t, int r, int b) {
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    if (r == l || b == t) return;
    maliar().fillRect(QRect(l, t, r - l, b - t), qstetec(stetecfarba_));
    zmenene();
}

void TQtPlatno::ciara(int x1, int y1, int x2, int y2) {
    QPainter& p = maliar();
    p.setPen(qpero(perofarba_, perohrubka_));
    p.drawLine(x1, y1, x2, y2);
    zmenene();
}

void TQtPlatno::elipsa(int l, int t, int r, int b) {
    const QRect o = gdiobdlznik(l, t, r, b);
    if (o.width() < 0 || o.height() < 0) return;
    QPainter& p = maliar();
    p.setPen(qpero(perofarba_, perohrubka_));
    p.setBrush(qstetec(stetecfarba_));
    p.drawEllipse(o);
    zmenene();
}

void TQtPlatno::obdlznik(int l, int t, int r, int b) {
    const QRect o = gdiobdlznik(l, t, r, b);
    if (o.width() < 0 || o.height() < 0) return;
    QPainter& p = maliar();
    p.setPen(qpero(perofarba_, perohrubka_));
    p.setBrush(qstetec(stetecfarba_));
    p.drawRect(o);
    zmenene();
}

void TQtPlatno::text(int x, int y, const std::string& s) {
    // The letters and numbers of a drawing are ASCII; the buffer keeps its
    // capacity, so they cost no allocation of their own.
    buf_.resize(0);
    bool ascii = true;
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
        buf_.append(QLatin1Char(c));
    }
    if (!ascii) buf_ = QString::fromUtf8(s);
    const TPismoZaznam& f = qpismo(pismovyska_);
    QPainter& p = maliar();
    p.setFont(f.q);
    p.setPen(qpero(pismofarba_, 1));
    p.drawText(QPoint(x, y + f.ascent), buf_);
    zmenene();
}

// ---- platform --------------------------------------------------------------------------

TQtPlatforma::TQtPlatforma(TOkno1& okno)
    : okno_(okno), platno_(TQtPlatno::PLNASIRKA, TQtPlatno::PLNAVYSKA) {}

void TQtPlatforma::memo(const std::string& riadok) {
    okno_.pridajriadok(riadok);
    pumpa();
}

bool TQtPlatforma::box(TDruhBoxu druh, const std::string& text) {
    if (automat) return automat(druh, text);
    const auto ikona = druh == TDruhBoxu::Chyba ? QMessageBox::Critical : QMessageBox::Information;
    const auto tlacidla =
        druh == TDruhBoxu::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
    // The boxes carry the window's caption (the buttons are Slovak through
    // Qt's translation), and are wide enough to show it whole.
    QMessageBox b(ikona, QString::fromUtf8(texty::FORM1), QString(), tlacidla, &okno_);
    b.setObjectName(QStringLiteral("box"));
    // Wrapped here, at blanks, to lines the box shows whole: Qt's own
    // wrapping sizes the box for fewer lines than a long text takes.
    b.setTextFormat(Qt::PlainText);
    b.setText(zalom(textboxu(text), b.fontMetrics(), std::max(SIRKABOXU, sirkaprecaption(&b))));
    b.setDefaultButton(QMessageBox::Ok);
    b.setEscapeButton(druh == TDruhBoxu::OkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
    b.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(sirkaprecaption(&b)));
    const TSipka s;
    return b.exec() == QMessageBox::Ok;
}

void TQtPlatforma::infobox(const std::string& text) { box(TDruhBoxu::Info, text); }

void TQtPlatforma::chybabox(const std::string& text) { box(TDruhBoxu::Chyba, text); }

bool TQtPlatforma::okcancelbox(const std::string& text) { return box(TDruhBoxu::OkCancel, text); }

void TQtPlatforma::zmena(Ovladac o) {
    okno_.obnov(o);
    if (o == Ovladac::ProgressBar1) pumpa();
}

namespace {

// Qt's dialog opens at a size at which the window's small font still cuts
// the sizes, types and dates of the files short: it gets room for them, the
// columns after the name fit their texts and the name takes the rest.
void rozlozdialog(QFileDialog& d) {
    QSize velkost = d.sizeHint().expandedTo(QSize(860, 480));
    if (const QScreen* o = d.screen()) velkost = velkost.boundedTo(o->availableGeometry().size() * 0.9);
    d.resize(velkost);
    if (auto* t = d.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* h = t->header();
        h->setStretchLastSection(false);
        h->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < h->count(); ++c) h->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    // the places at the left ("Počítač", the home folder) in full
    if (auto* p = d.findChild<QListView*>(QStringLiteral("sidebar")))
        p->setMinimumWidth(p->sizeHintForColumn(0) + 2 * p->frameWidth() + 8);
}

}  // namespace

std::optional<std::string> TQtPlatforma::subor(bool ulozit, const std::string& titul, const std::string& meno,
                                               const std::string& filter) {
    const QString f = qtfilter(filter);
    if (automatsuborov) return automatsuborov(ulozit, titul, meno, f);
    // Qt's own dialog, not the desktop's: it speaks the language of Qt's
    // translation whatever desktop the program runs on.
    QFileDialog d(&okno_, QString::fromUtf8(titul), QString(), f);
    d.setObjectName(ulozit ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
    d.setOption(QFileDialog::DontUseNativeDialog, true);
    d.setAcceptMode(ulozit ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(ulozit ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (ulozit) d.selectFile(QString::fromUtf8(meno));
    rozlozdialog(d);
    const TSipka s;
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
    const QString vyber = d.selectedFiles().front();
    if (vyber.isEmpty()) return std::nullopt;
    // The model opens files by their name in the local encoding.
    return QFile::encodeName(vyber).toStdString();
}

std::optional<std::string> TQtPlatforma::otvordialog(const std::string& titul, const std::string& filter) {
    return subor(false, titul, {}, filter);
}

std::optional<std::string> TQtPlatforma::ulozdialog(const std::string& titul, const std::string& meno,
                                                    const std::string& filter) {
    return subor(true, titul, meno, filter);
}

bool TQtPlatforma::form5() {
    const TSipka s;
    return okno_.form5okno().ukaz(okno_.model().Form5);
}

std::uint32_t TQtPlatforma::semienko() {
    const auto t = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(t) & 0xffffffffu);
}

void TQtPlatforma::pumpa() {
    if (!okno_.bezi()) return;
    if (interval > 0 && casovac_.isValid() && casovac_.elapsed() < interval) return;
    okno_.zaneprazdnene();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    casovac_.start();
}

}  // namespace qlc::gui
