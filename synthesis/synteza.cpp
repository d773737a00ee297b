#include "synteza.h"
