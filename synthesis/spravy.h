#pragma once
// Helpers of the log lines that the syntheses write.
#include <string>
#include <vector>

namespace qlc::synteza {

// The text with its first occurrence of znacka (two characters, "%n")
// replaced by hodnota.
std::string vypln(std::string text, const char* znacka, const std::string& hodnota);
// A figure with two significant digits, "1.4e-13".
std::string cislo(double x);
// Qubits as the log lists them, "2,3,4".
std::string zoznam(const std::vector<int>& qubity);

}  // namespace qlc::synteza
