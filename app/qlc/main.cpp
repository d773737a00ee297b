#include "qlc.h"

int main(int argc, char** argv) { return qlc::cli::hlavny(argc, argv); }
