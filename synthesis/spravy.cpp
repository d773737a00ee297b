#include "spravy.h"

#include <cstdio>

namespace qlc::synteza {

std::string vypln(std::string text, const char* znacka, const std::string& hodnota) {
    const std::size_t i = text.find(znacka);
    if (i != std::string::npos) text.replace(i, 2, hodnota);
    return text;
}

std::string cislo(double x) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1e", x);
    return buf;
}

std::string zoznam(const std::vector<int>& qubity) {
    std::string s;
    for (std::size_t i = 0; i < qubity.size(); ++i) s += (i ? "," : "") + std::to_string(qubity[i]);
    return s;
}

}  // namespace qlc::synteza
