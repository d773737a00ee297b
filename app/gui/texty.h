#pragma once
// Every caption and fixed text of the desktop windows, in one place. The
// messages of the algorithms are not here: the model writes them itself.
#include <array>

namespace qlc::gui::texty {

// ---- main window Form1 ------------------------------------------------------------
inline constexpr const char* FORM1 = "Dekompozícia unitárnych matíc  do QLS";  // two blanks before "do"
inline constexpr const char* LABEL1 = "Qubitov:";
inline constexpr const char* BUTTON3 = "Dekompozícia";
inline constexpr const char* LABEL18 = "do:";
// Items 0..2 are the depths of the decomposition; 3 to 5 the methods
// (METODA_QSD, METODA_NAJLEPSIA, METODA_HLADANIE of the model).
inline constexpr std::array<const char*, 6> COMBOBOX1 = {"element. bran",  "L1(U) bran",      "zovseob.Toffoli bran",
                                                         "min. CNOT bran", "najkratsia siet", "numericke hladanie"};
inline constexpr const char* BUTTON1 = "A";
inline constexpr const char* BUTTON5 = "Generuj";
inline constexpr const char* LABEL2 = "Brány od:";
inline constexpr const char* LABEL4 = "do:";
inline constexpr const char* LABEL10 = "z:";
inline constexpr const char* LABEL6 = "ZOOM:";
inline constexpr const char* LABEL9 = "Aktualna brana:";
inline constexpr const char* LABEL16 = "U:";
// Appended to the caption while a command runs and input is refused.
inline constexpr const char* BEZI = " – prebieha výpočet, vstup je zablokovaný";

// ---- main menu MainMenu1 ----------------------------------------------------------
inline constexpr const char* SUBOR = "Súbor";
inline constexpr const char* OTVORI1 = "Otvorit";
inline constexpr const char* ULOI1 = "Uložit";
inline constexpr const char* ULOZOBRAZOK = "Uložiť obrázok siete";
inline constexpr const char* ULOZQASM3 = "Uložiť sieť ako OpenQASM 3";
inline constexpr const char* ULOZQASM2 = "Uložiť sieť ako OpenQASM 2.0";
inline constexpr const char* KONIEC1 = "Koniec";
inline constexpr const char* NASTROJE = "Nástroje";
inline constexpr const char* OPTIMALIZOVA1 = "Matica brány";
inline constexpr const char* NASTAVENIA = "Nastavenia";
inline constexpr const char* ROBOPTIM = "Vykonať optimalizáciu";
inline constexpr const char* KONTROLPTIMKROK1 = "Kontrola po jednotlivých optim. krokoch";
inline constexpr const char* ZOBROPTIMKROKY = "Zobraz optim. kroky";
inline constexpr const char* ZUZENIEZOBRAZENIA1 = "Zuzenie zobrazenia";
inline constexpr const char* HELP = "Help";
inline constexpr const char* NVOD2 = "Návod";
inline constexpr const char* NVOD1 = "Info o programe";

// ---- the legend of the drawing -----------------------------------------------------
inline constexpr const char* ZNACKY = "Značky";
inline constexpr const char* ZNACKY_TIP = "Značky v obrázku siete";
inline constexpr const char* LEGENDA = "Značky v obrázku siete";

// ---- saving the picture of the circuit --------------------------------------------
inline constexpr const char* OBRAZOK_TITUL = "Uloženie obrázka siete";
inline constexpr const char* OBRAZOK_MENO = "siet.png";
inline constexpr const char* OBRAZOK_FILTER = "Obrázky PNG|*.png|Všetky súbory|*.*";
inline constexpr const char* OBRAZOK_CHYBA = "Obrázok sa nepodarilo uložiť do súboru ";
// The log line after the picture was saved, as after the other saves.
inline constexpr const char* OBRAZOK_ZAPISANY = "Obrazok siete bol zapisany do suboru ";

// ---- about window Form3 ------------------------------------------------------------
inline constexpr const char* FORM3 = "Info o programe";
inline constexpr const char* OK = "OK";

// ---- help window Form4 -------------------------------------------------------------
inline constexpr const char* FORM4 = "Form4";
inline constexpr std::array NAVOD = {
    "Program sluzi na rozklad unitarnych matic rozmerov (2^n)x(2^n) do QLC",
    "",
    "Ovladacie prvky:",
    "-----------------",
    "Tlacidlom A si mozeme pozriet rozkladanu maticu.",
    "V comboboxe si mozeme vybrat stupen rozkladu do QLC.",
    "Pocet qubitov neodporucam nastavovat na 4 a 5 (viac nie je povolene), pretoze takyto vypocet moze trvat "
    "aj ",
    "niekolko hodin",
    "Pre 3 qubity by mal program skoncit do 2 minut na beznych pocitacoch",
    "",
    "Tlacidlom ",
    " DEKOMPOZICIA spustime samotny rozklad po skonceny ktoreho sa na obrazovke zobrazi vysledna QLC.",
    " Pomocou posuvadiel si mozeme lepsie prezerat QLC.",
    " Generuj vygeneruje nahodne unitarnu mat. pre nastaveny pocet qubitov",
    "",
    "Toto este nie je vysledna verzia programu.",
    "Stale pracujem na jeho vyvoji hlavne po stranke algoritmov tykajucich sa optimalizacie QLC a samotneho ",
    "rozkladu.",
    "Mozu sa preto vyskytnut chyby a neosetrene situacie v uzivatelskom interface.",
    "Taktiez sa mozu vyskytnut hlasenia upozornujuce na nejaku udalost, ktora nastla pri rozklade.",
    "Prakticky my vsak nie je znama ziadna unitarna matica spravnych rozmerov, ktora po korektnom nacitani ",
    "sposoby pad algoritmu, pri momentalnom nastaveni epsilonovej chyby..",
    "",
    "Ine metody rozkladu (dalsie polozky comboboxu):",
    "-----------------------------------------------",
    " min. CNOT bran - synteza siete s malym poctom CNOT bran: zname struktury matice (skalar, tenzorovy "
    "sucin, diagonala) sa rozlozia priamo, ostatne rekurzivne az na dvojqubitove bloky s najviac 3 CNOT "
    "branami. Vysledkom su jednoqubitove brany a CNOT brany.",
    " najkratsia siet - urobi rozklad do element. bran aj min. CNOT bran a ponecha siet s mensim poctom "
    "CNOT bran (pri rovnosti tu s mensim poctom bran).",
    " Numericke hladanie (ak je v zozname) hlada siet s co najmensim poctom CNOT bran numerickym "
    "dosadzovanim uhlov; jeho cas je obmedzeny a ponecha sa len presna siet.",
    "",
    "Nastavenia:",
    "-----------",
    " Vykonať optimalizáciu - po kazdom stupni rozkladu sa brany presuvaju a zlucuju, aby bola siet kratsia.",
    " Kontrola po jednotlivých optim. krokoch - kazda vymena a kazde zlucenie bran sa overi celou maticou "
    "(pomale).",
    " Zobraz optim. kroky - kazdy krok optimalizacie sa nakresli a popise v okne; zrusenie okna vypis zastavi.",
    " Zuzenie zobrazenia - brany na roznych qubitoch sa v obrazku posunu do spolocneho stlpca.",
    "",
    "Cisla qubitov:",
    "--------------",
    " Qubity su cislovane od 1. Qubit 1 je horna ciara obrazku a najvyssi bit cisla stavu: pri 3 qubitoch "
    "je stav 1 = 000, stav 2 = 001, ..., stav 8 = 111 (popisy riadkov a stlpcov matice).",
    " Cislo pod pasom obrazku je cislo jeho prvej brany.",
    "",
    "Znacky v obrazku siete (tlacidlo Znacky vedla obrazku):",
    "--------------------------------------------------------",
    " U - vseobecna brana",
    " D - diagonalna brana",
    " P - diagonalna brana z.I (obe cisla na diagonale rovnake)",
    " E - diagonalna brana diag(1, z)",
    " F - diagonalna brana diag(z, 1), aj jednotkova matica",
    " A - antidiagonalna brana (ina ako NOT)",
    " Kruh s krizikom je NOT, stvorcek je Z, plne bodky su kontrolujuce qubity; modry ramcek je aktualna brana.",
    " Cervena brana je vyradena.",
    " Mys nad branou ukaze jej cislo, qubity, meno (X, Y, Z, H, S, T, Rx, Ry, Rz, phase, CNOT) a maticu;",
    " klik na branu z nej urobi aktualnu branu.",
};

// ---- gate matrix dialog Form5 ------------------------------------------------------
inline constexpr const char* FORM5 = "Matica brány Ln(U)";
inline constexpr const char* FORM5_LABEL1 = "typ:";
inline constexpr const char* FORM5_LABEL2 = "kontrolovaný qubit";
inline constexpr const char* FORM5_LABEL3 = "kontrolujúce qubity";
inline constexpr const char* FORM5_LABEL4 = "Matica U z U(2):";
inline constexpr const char* FORM5_BUTTON1 = "Ukáz maticu";
inline constexpr const char* FORM5_HINT = "rozne cisla 1-9 oddelene 1 medzerou";
// Tooltips of the dialog's fields.
inline constexpr const char* FORM5_TYP =
    "typ = počet kontrolujúcich qubitov brány: 0 až 4, najviac počet qubitov − 1;\n"
    "pri type 0 sa pole kontrolujúce qubity nečíta";
inline constexpr const char* FORM5_CIEL = "kontrolovaný (cieľový) qubit: 1 až počet qubitov, 1 je horný qubit";
inline constexpr const char* FORM5_KONTROLY = "toľko čísel, koľko udáva typ, napr. pre typ 2: 1 3";
inline constexpr const char* FORM5_PRVOK = " matice U, komplexné číslo v tvare a+bi, napr. 0.7071-0.7071i";

}  // namespace qlc::gui::texty
