#pragma once
// Degree trigonometry and the numeric conventions of movement and aiming.
#include <cstdint>

namespace vn {

double SinDeg(double degrees);
double CosDeg(double degrees);
// Angle of (x, y) in degrees, -180..180; note the first argument is y.
double Atan2Deg(double y, double x);
// a - b * trunc(a / b): the remainder keeps the sign of a.
double FloatMod(double a, double b);
int32_t AbsInt(int32_t a);
// Real to integer, truncating toward zero (2.9 -> 2, -2.9 -> -2). Values outside
// the int32 range saturate instead of being undefined.
int32_t Trunc(double value);

}  // namespace vn
