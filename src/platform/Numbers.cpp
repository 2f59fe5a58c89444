#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

int ClampToInt(double value, int low, int high) {
    if (std::isnan(value)) value = 0;
    return static_cast<int>(std::clamp(std::trunc(value), static_cast<double>(low), static_cast<double>(high)));
}

double ClampToShare(double value) {
    return std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 1.0);
}
