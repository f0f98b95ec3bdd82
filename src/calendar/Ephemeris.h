// Ephemeris (aka Eph0) — astronomical series and time scales of the calendar.
//
// Julian days, ΔT, nutation, obliquity, aberration, the Earth's heliocentric
// longitude (VSOP87D, truncated), the Moon's geocentric longitude (ELP/MPP02,
// truncated), the Sun's apparent longitude and the Moon–Sun elongation with
// their inverses, and the equation of time.
//
// Units: angles in radians; t = Julian centuries of dynamical time (TD) from
// J2000.0; d = days from J2000.0. The calendar's π is 3.14159265 exactly, and
// every derived constant uses it, so that cumulative angles 2π·k used by the
// inverses land on the same turns as the forward series.
//
// All functions are pure and allocate nothing.
#pragma once

#include <cstdint>
#include <span>

namespace tessaly {

inline constexpr double kPi = 3.14159265;
inline constexpr double kPi2 = 2 * kPi;
inline constexpr double kHalfPi = kPi / 2;
inline constexpr double kArcsecPerRad = 648000 / kPi;
inline constexpr double kDegPerRad = 180 / kPi;
inline constexpr double kJ2000 = 2451545;
inline constexpr double kDaysPerCentury = 36525;

// One term A·cos(φ + ω·τ) of the Earth series.
//   A: 1e-10 rad; phi: rad; omega: rad per Julian millennium.
struct EarthTerm {
    std::int64_t A;
    double phi, omega;
};

// One term A·cos(φ + ω·t + c2·t²·1e-4 + c3·t³·1e-8 + c4·t⁴·1e-8) of the Moon
// series. A: arcsec; phi: rad; omega: rad per Julian century.
struct MoonTerm {
    double A, phi, omega, c2, c3, c4;
};

// The stored series, by power (Earth 0..5, Moon 0..3), leading term first.
std::span<const EarthTerm> EarthSeries(int power);
std::span<const MoonTerm> MoonSeries(int power);

// A moment split into calendar fields; second is truncated to an integer.
struct JdDate {
    int year, month, day, hour, minute, second;
};

// JdFromDate — Julian day of a calendar date.
//   Given:     y (astronomical), m 1..12, D day with fraction
//   Returned:  Julian day. Gregorian from 1582-10-15, Julian before.
double JdFromDate(int y, int m, double D);

// DateFromJd — calendar fields of a Julian day (Julian calendar before
// JD 2299160.5). Seconds are truncated.
JdDate DateFromJd(double jd);

// DeltaT — TD − UT in seconds for a fractional year: table with cubic rows
// up to 2015, a parabola joined to it up to 2115, the parabola beyond.
double DeltaT(double year);
// DeltaTDays — TD − UT in days for d days from J2000.
double DeltaTDays(double d);

// Obliquity — mean obliquity of the ecliptic (IAU 2006), rad.
double Obliquity(double t);
// NutationLon — nutation in longitude, ten-term series, rad.
double NutationLon(double t);

// EarthLon — heliocentric ecliptic longitude of the Earth, equinox of date.
//   Given:     t TD centuries; n terms of the τ⁰ sum (n < 0: all stored);
//              the higher sums are cut in proportion (EarthTermsUsed).
//   Returned:  rad, not reduced to one turn.
//   Reference: Bretagnon & Francou 1988, A&A 202, 309 (VSOP87 version D).
double EarthLon(double t, int n);
// Number of terms EarthLon(t, n) takes from the τ^power sum.
int EarthTermsUsed(int n, int power);

// MoonLon — geocentric ecliptic longitude of the Moon.
//   Given:     t TD centuries; n terms of the t⁰ sum (n < 0: all stored).
//   Returned:  rad, not reduced.
//   Reference: Chapront & Francou 2003, ELP/MPP02 fitted to DE405.
double MoonLon(double t, int n);
// Number of terms MoonLon(t, n) takes from the t^power sum.
int MoonTermsUsed(int n, int power);

// Aberration of the Sun in longitude, rad.
double SunAberration(double t);
// Aberration of the Moon in longitude: a constant −3.4e-6 rad.
constexpr double MoonAberration() { return -3.4e-6; }

// Apparent geocentric longitude of the Sun, rad, not reduced.
double SunApparentLon(double t, int n);
// Apparent Moon longitude minus apparent Sun longitude (nutation cancels).
double MoonSunElongation(double t, int nMoon, int nSun);

// Mean rates of the Sun's apparent longitude and of the Moon's longitude,
// rad per century.
double EarthSpeed(double t);
double MoonSpeed(double t);

// Inverses. W is a cumulative angle (2π·k + λ, counted from J2000 without
// reduction). Returned: t (TD centuries) at which the angle is reached.
double TimeOfSunLon(double W);          // accurate
double TimeOfElongation(double W);      // accurate
double TimeOfSunLonFast(double W);      // one truncated evaluation
double TimeOfElongationFast(double W);  // one truncated evaluation

// Standard-time (UTC+8) Julian day of an inverse's result t.
double StandardJdOfTd(double t);

// Apparent minus mean solar time, in days (positive: true solar time ahead).
double EquationOfTimeDays(double t);

struct Equatorial {
    double ra;   // [0, 2π)
    double dec;  // rad
};
Equatorial EclipticToEquatorial(double lon, double lat, double obliquity);

double NormalizeAngle(double x);        // to [0, 2π)
double NormalizeAngleSigned(double x);  // to (−π, π]

}  // namespace tessaly
