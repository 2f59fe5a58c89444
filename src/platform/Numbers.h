#pragma once
// Conversions of numbers read from files, where any value may turn up.
#include <climits>

// value without its fraction, held inside low..high; 0 (or the nearest bound) for NaN.
int ClampToInt(double value, int low = INT_MIN, int high = INT_MAX);
// value held inside 0..1; 0 for NaN.
double ClampToShare(double value);
