#include "calendar/Ephemeris.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <iterator>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tessaly {
namespace {

#include "calendar/EphSeries.inc"

const std::span<const EarthTerm> kEarth[] = {kEarthL0, kEarthL1, kEarthL2, kEarthL3, kEarthL4, kEarthL5};
const std::span<const MoonTerm> kMoon[] = {kMoonL0, kMoonL1, kMoonL2, kMoonL3};

// ΔT rows: y_k, a0..a3 (seconds); x = 10·(y − y_k)/(y_{k+1} − y_k).
struct DeltaTRow {
    double y, a0, a1, a2, a3;
};
constexpr DeltaTRow kDeltaT[] = {
    {-4000, 108371.7, -13036.8, 392.0, 0},
    {-500, 17201.0, -627.82, 16.17, -0.3413},
    {-150, 12200.6, -346.41, 5.403, -0.1593},
    {150, 9113.8, -328.13, -1.647, 0.0377},
    {500, 5707.5, -391.41, 0.915, 0.3145},
    {900, 2203.4, -283.45, 13.034, -0.1778},
    {1300, 490.1, -57.35, 2.085, -0.0072},
    {1600, 120.0, -9.81, -1.532, 0.1403},
    {1700, 10.2, -0.91, 0.51, -0.037},
    {1800, 13.4, -0.72, 0.202, -0.0193},
    {1830, 7.8, -1.81, 0.416, -0.0247},
    {1860, 8.3, -0.13, -0.406, 0.0292},
    {1880, -5.4, 0.32, -0.183, 0.0173},
    {1900, -2.3, 2.06, 0.169, -0.0135},
    {1920, 21.2, 1.69, -0.304, 0.0167},
    {1940, 24.2, 1.22, -0.064, 0.0031},
    {1960, 33.2, 0.51, 0.231, -0.0109},
    {1980, 51.0, 1.29, -0.026, 0.0032},
    {2000, 63.87, 0.1, 0, 0},
    {2005, 64.7, 0.4, 0, 0},
    {2015, 69.0, 0, 0, 0},  // closes the table
};

// Nutation in longitude: A·sin(φ + ω·t + c·t²), A in 0.01″ (the first
// amplitude also has a t term, added in NutationLon).
struct NutationRow {
    double phi, omega, c, A;
};
constexpr NutationRow kNutation[] = {
    {2.1824, -33.75705, 0.000036, -1720},
    {3.5069, 1256.66393, 0.000011, -132},
    {1.3375, 16799.4182, -0.000051, -23},
    {4.3649, -67.5141, 0.000072, 21},
    {0.04, -628.302, 0, -14},
    {2.36, 8328.691, 0, 7},
    {3.46, 1884.966, 0, -5},
    {5.44, 16833.175, 0, -4},
    {3.69, 25128.11, 0, -3},
    {3.55, 628.362, 0, 2},
};

// A series by column, amplitudes as doubles: the form the sums read two or
// four terms at a time. The Moon's terms have three more columns; the
// Earth's leave them empty.
struct ColumnView {
    const double *A, *phi, *omega;
    const double *c2 = nullptr, *c3 = nullptr, *c4 = nullptr;
};

template <std::size_t N>
struct EarthColumns {
    std::array<double, N> A{}, phi{}, omega{};
    constexpr ColumnView View() const { return {A.data(), phi.data(), omega.data()}; }
};
template <std::size_t N>
constexpr EarthColumns<N> ColumnsOf(const EarthTerm (&terms)[N]) {
    EarthColumns<N> c;
    for (std::size_t j = 0; j < N; ++j) {
        c.A[j] = double(terms[j].A);  // below 2^53: exact
        c.phi[j] = terms[j].phi;
        c.omega[j] = terms[j].omega;
    }
    return c;
}

template <std::size_t N>
struct MoonColumns {
    std::array<double, N> A{}, phi{}, omega{}, c2{}, c3{}, c4{};
    constexpr ColumnView View() const { return {A.data(), phi.data(), omega.data(), c2.data(), c3.data(), c4.data()}; }
};
template <std::size_t N>
constexpr MoonColumns<N> ColumnsOf(const MoonTerm (&terms)[N]) {
    MoonColumns<N> c;
    for (std::size_t j = 0; j < N; ++j) {
        c.A[j] = terms[j].A;
        c.phi[j] = terms[j].phi;
        c.omega[j] = terms[j].omega;
        c.c2[j] = terms[j].c2;
        c.c3[j] = terms[j].c3;
        c.c4[j] = terms[j].c4;
    }
    return c;
}

constexpr auto kEarthC0 = ColumnsOf(kEarthL0);
constexpr auto kEarthC1 = ColumnsOf(kEarthL1);
constexpr auto kEarthC2 = ColumnsOf(kEarthL2);
constexpr auto kEarthC3 = ColumnsOf(kEarthL3);
constexpr auto kEarthC4 = ColumnsOf(kEarthL4);
constexpr auto kEarthC5 = ColumnsOf(kEarthL5);
constexpr ColumnView kEarthColumns[] = {kEarthC0.View(), kEarthC1.View(), kEarthC2.View(),
                                        kEarthC3.View(), kEarthC4.View(), kEarthC5.View()};
constexpr auto kMoonC0 = ColumnsOf(kMoonL0);
constexpr auto kMoonC1 = ColumnsOf(kMoonL1);
constexpr auto kMoonC2 = ColumnsOf(kMoonL2);
constexpr auto kMoonC3 = ColumnsOf(kMoonL3);
constexpr ColumnView kMoonColumns[] = {kMoonC0.View(), kMoonC1.View(), kMoonC2.View(), kMoonC3.View()};

// The time arguments of a sum: the Earth's terms read τ, the Moon's t and
// the powers q2 = t²·1e-4, q3 = t³·1e-8, q4 = t⁴·1e-8.
struct SeriesTime {
    double t, q2 = 0, q3 = 0, q4 = 0;
};

// The argument φ + ω·t (+ c2·q2 + c3·q3 + c4·q4) of term j, added in the
// order the scalar sum adds them.
inline double TermArgument(const ColumnView& c, int j, const SeriesTime& x) {
    double a = c.phi[j] + c.omega[j] * x.t;
    if (c.c2 != nullptr) a = a + c.c2[j] * x.q2 + c.c3[j] * x.q3 + c.c4[j] * x.q4;
    return a;
}

#if defined(__x86_64__)
// glibc's vector cosines (libmvec): of two doubles in the SSE2 calling
// convention every x86-64 has (glibc runs its SSE4.1 code where the
// processor has it), and of four in the AVX2 one. Both agree with the scalar
// cos to 4.5e-16 and cost a third (two doubles) or an eighth (four) of as
// many scalar calls.
extern "C" __m128d _ZGVbN2v_cos(__m128d x);
extern "C" __m256d _ZGVdN4v_cos(__m256d x);

// Σ A·cos(argument) over terms [j, n), two at a time; the odd last term
// through the same cosine.
double SeriesSumSse(const ColumnView& c, int j, int n, const SeriesTime& time) {
    const __m128d t = _mm_set1_pd(time.t);
    const __m128d q2 = _mm_set1_pd(time.q2), q3 = _mm_set1_pd(time.q3), q4 = _mm_set1_pd(time.q4);
    __m128d sum = _mm_setzero_pd();
    for (; j + 2 <= n; j += 2) {
        __m128d x = _mm_add_pd(_mm_loadu_pd(c.phi + j), _mm_mul_pd(_mm_loadu_pd(c.omega + j), t));
        if (c.c2 != nullptr) {
            x = _mm_add_pd(x, _mm_mul_pd(_mm_loadu_pd(c.c2 + j), q2));
            x = _mm_add_pd(x, _mm_mul_pd(_mm_loadu_pd(c.c3 + j), q3));
            x = _mm_add_pd(x, _mm_mul_pd(_mm_loadu_pd(c.c4 + j), q4));
        }
        sum = _mm_add_pd(sum, _mm_mul_pd(_mm_loadu_pd(c.A + j), _ZGVbN2v_cos(x)));
    }
    double lanes[2];
    _mm_storeu_pd(lanes, sum);
    double s = lanes[0] + lanes[1];
    if (j < n) {
        _mm_storeu_pd(lanes, _ZGVbN2v_cos(_mm_set1_pd(TermArgument(c, j, time))));
        s += c.A[j] * lanes[0];
    }
    return s;
}

// The same four at a time; the last one to three terms as above.
__attribute__((target("avx2"))) double SeriesSumAvx2(const ColumnView& c, int n, const SeriesTime& time) {
    const __m256d t = _mm256_set1_pd(time.t);
    const __m256d q2 = _mm256_set1_pd(time.q2), q3 = _mm256_set1_pd(time.q3), q4 = _mm256_set1_pd(time.q4);
    __m256d sum = _mm256_setzero_pd();
    int j = 0;
    for (; j + 4 <= n; j += 4) {
        __m256d x = _mm256_add_pd(_mm256_loadu_pd(c.phi + j), _mm256_mul_pd(_mm256_loadu_pd(c.omega + j), t));
        if (c.c2 != nullptr) {
            x = _mm256_add_pd(x, _mm256_mul_pd(_mm256_loadu_pd(c.c2 + j), q2));
            x = _mm256_add_pd(x, _mm256_mul_pd(_mm256_loadu_pd(c.c3 + j), q3));
            x = _mm256_add_pd(x, _mm256_mul_pd(_mm256_loadu_pd(c.c4 + j), q4));
        }
        sum = _mm256_add_pd(sum, _mm256_mul_pd(_mm256_loadu_pd(c.A + j), _ZGVdN4v_cos(x)));
    }
    double lanes[4];
    _mm256_storeu_pd(lanes, sum);
    return (lanes[0] + lanes[1]) + (lanes[2] + lanes[3]) + SeriesSumSse(c, j, n, time);
}

const bool kHaveAvx2 = __builtin_cpu_supports("avx2");
#endif

// Σ A·cos(argument) over the first n terms, through glibc's vector cosine
// where there is one. The vector sum differs from the scalar one by less
// than 1e-15 of the sum: far below what a printed minute or a day of the
// calendar can show.
double SeriesSum(const ColumnView& c, int n, const SeriesTime& time) {
#if defined(__x86_64__)
    return kHaveAvx2 ? SeriesSumAvx2(c, n, time) : SeriesSumSse(c, 0, n, time);
#else
    double s = 0;
    for (int j = 0; j < n; ++j) s += c.A[j] * std::cos(TermArgument(c, j, time));
    return s;
#endif
}

double Ext(double y) {
    const double u = (y - 1820) / 100;
    return -20 + 31 * u * u;
}

}  // namespace

std::span<const EarthTerm> EarthSeries(int power) { return kEarth[power]; }
std::span<const MoonTerm> MoonSeries(int power) { return kMoon[power]; }

double JdFromDate(int y, int m, double D) {
    const bool gregorian = y * 372.0 + m * 31.0 + std::floor(D) >= 588829;
    int yy = y, mm = m;
    if (m <= 2) {
        yy = y - 1;
        mm = m + 12;
    }
    int b = 0;
    if (gregorian) {
        const int g = yy / 100;  // years ≥ 1582 here: truncation is floor
        b = 2 - g + g / 4;
    }
    return std::floor(365.25 * (yy + 4716)) + std::floor(30.6001 * (mm + 1)) + D + b - 1524.5;
}

JdDate DateFromJd(double jd) {
    double z = std::floor(jd + 0.5);
    const double f = jd + 0.5 - z;
    if (z >= 2299161) {
        const double a = std::floor((z - 1867216.25) / 36524.25);
        z += 1 + a - std::floor(a / 4);
    }
    const double b = z + 1524;
    const double c = std::floor((b - 122.1) / 365.25);
    const double e = std::floor((b - std::floor(365.25 * c)) / 30.601);
    JdDate r{};
    r.day = int(b - std::floor(365.25 * c) - std::floor(30.601 * e));
    r.month = int(e < 14 ? e - 1 : e - 13);
    r.year = int(e < 14 ? c - 4716 : c - 4715);
    const double h = 24 * f;
    r.hour = int(std::floor(h));
    const double mi = 60 * (h - r.hour);
    r.minute = int(std::floor(mi));
    r.second = int(60 * (mi - r.minute));
    return r;
}

double DeltaT(double y) {
    if (y >= 2015) {
        if (y > 2115) return Ext(y);
        return Ext(y) - (2115 - y) * (Ext(2015) - 69.0) / 100;
    }
    const int last = int(std::size(kDeltaT)) - 1;
    int k = 0;
    for (int i = 0; i < last; ++i) {
        if (kDeltaT[i].y <= y) k = i;
    }
    const DeltaTRow& r = kDeltaT[k];
    const double x = 10 * (y - r.y) / (kDeltaT[k + 1].y - r.y);
    return r.a0 + x * (r.a1 + x * (r.a2 + x * r.a3));
}

double DeltaTDays(double d) { return DeltaT(d / 365.2425 + 2000) / 86400; }

double Obliquity(double t) {
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
    return (84381.406 - 46.836769 * t - 0.0001831 * t2 + 0.0020034 * t3 - 5.76e-7 * t4 - 4.34e-8 * t5) / kArcsecPerRad;
}

double NutationLon(double t) {
    const double t2 = t * t;
    double s = 0;
    for (const NutationRow& r : kNutation) {
        const double A = (&r == kNutation) ? r.A - 1.742 * t : r.A;
        s += A * std::sin(r.phi + r.omega * t + r.c * t2);
    }
    return s * 0.01 / kArcsecPerRad;
}

int EarthTermsUsed(int n, int power) {
    const int N = int(kEarth[power].size());
    if (n < 0) return N;
    const int N0 = int(kEarth[0].size());
    int k = int(std::floor(3.0 * n * N / N0 + 0.5));
    if (power > 0) k += 3;
    const int c = int(std::ceil(k / 3.0));
    return c < N ? c : N;
}

double EarthLon(double t, int n) {
    const double tau = t / 10;
    double L = 0, tp = 1;
    for (int i = 0; i < 6; ++i) {
        L += tp * SeriesSum(kEarthColumns[i], EarthTermsUsed(n, i), {tau});
        tp *= tau;
    }
    L /= 1e10;
    const double tau2 = tau * tau;
    L += (-0.0728 - 2.7702 * tau - 1.1019 * tau2 - 0.0996 * tau2 * tau) / kArcsecPerRad;
    return L;
}

int MoonTermsUsed(int n, int power) {
    const int N = int(kMoon[power].size());
    if (n < 0) return N;
    const int N0 = int(kMoon[0].size());
    int k = 6 * n * N / N0;  // integer arithmetic
    if (power > 0) k += 6;
    const int c = int(std::ceil(k / 6.0));
    return c < N ? c : N;
}

double MoonLon(double t, int n) {
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
    const double q2 = t2 * 1e-4, q3 = t3 * 1e-8, q4 = t4 * 1e-8;
    double v = 0, tp = 1;
    for (int i = 0; i < 4; ++i) {
        v += tp * SeriesSum(kMoonColumns[i], MoonTermsUsed(n, i), {t, q2, q3, q4});
        tp *= t;
    }
    v += 5028.792262 * t + 1.1124406 * t2 + 0.00007699 * t3 - 0.000023479 * t4 - 1.78e-8 * t5;
    v += (3.81034409 + 8399.684730072 * t - 0.00003319 * t2 + 3.11e-8 * t3 - 2.033e-10 * t4) * kArcsecPerRad;
    if (t > 10) v += (t - 10) * 1.43 - 0.866 + 0.054 * (t - 10) * (t - 10);
    return v / kArcsecPerRad;
}

double SunAberration(double t) {
    const double v = 628.301955 * t - 0.043126 - 0.000002732 * t * t;
    const double e = 0.016708634 - 0.000042037 * t - 0.0000001267 * t * t;
    return -20.49552 * (1 + e * std::cos(v)) / kArcsecPerRad;
}

double SunApparentLon(double t, int n) { return EarthLon(t, n) + NutationLon(t) + SunAberration(t) + kPi; }

double MoonSunElongation(double t, int nMoon, int nSun) {
    return MoonLon(t, nMoon) + MoonAberration() - (EarthLon(t, nSun) + SunAberration(t) + kPi);
}

double EarthSpeed(double t) {
    const double v = 628.307585 * t;
    return 628.332 + 21 * std::sin(1.527 + v) + 0.44 * std::sin(1.48 + 2 * v) + 0.129 * t * std::sin(5.82 + v) +
           0.00055 * t * t * std::sin(4.21 + v);
}

double MoonSpeed(double t) {
    double v = 8399.71 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t);
    v -= 179 * std::sin(2.543 + 15542.7543 * t) + 160 * std::sin(0.1874 + 7214.0629 * t) +
         62 * std::sin(3.14 + 16657.3828 * t) + 34 * std::sin(4.827 + 16866.9323 * t) +
         22 * std::sin(4.9 + 23871.4457 * t) + 12 * std::sin(2.59 + 14914.4523 * t) +
         7 * std::sin(0.23 + 6585.7609 * t) + 5 * std::sin(0.9 + 25195.624 * t) + 5 * std::sin(2.32 - 7700.3895 * t) +
         5 * std::sin(3.88 + 8956.9934 * t) + 5 * std::sin(0.49 + 7771.3771 * t);
    return v;
}

double TimeOfSunLon(double W) {
    double t = (W - 1.75347 - kPi) / 628.3319653318;
    t += (W - SunApparentLon(t, 10)) / EarthSpeed(t);
    t += (W - SunApparentLon(t, -1)) / EarthSpeed(t);
    return t;
}

double TimeOfElongation(double W) {
    double t = (W + 1.08472) / 7771.37714500204;
    t += (W - MoonSunElongation(t, 3, 3)) / 7771.37714500204;
    const double v = MoonSpeed(t) - EarthSpeed(t);
    t += (W - MoonSunElongation(t, 20, 10)) / v;
    t += (W - MoonSunElongation(t, -1, 60)) / v;
    return t;
}

double TimeOfSunLonFast(double W) {
    constexpr double kV = 628.3319653318;
    double t = (W - 1.75347 - kPi) / kV;
    const double v = 628.307585 * t;
    t -= (0.0334166 * std::cos(4.669257 + v) + 5.297e-6 * t * t + 0.0002061 * t * std::cos(2.67823 + v)) / kV;
    t += (W - EarthLon(t, 8) - kPi + (17.2 * std::sin(2.1824 - 33.75705 * t) + 20.5) / kArcsecPerRad) / kV;
    return t;
}

double TimeOfElongationFast(double W) {
    constexpr double kV = 7771.37714500204;
    double t = (W + 1.08472) / kV;
    t -= (-0.00003309 * t * t + 0.10976 * std::cos(0.784758 + 8328.6914246 * t + 0.000152292 * t * t) +
          0.02224 * std::cos(0.1874 + 7214.0628654 * t - 0.00021848 * t * t) -
          0.03342 * std::cos(4.669257 + 628.307585 * t)) /
         kV;
    const double L = MoonLon(t, 20) - (4.8950632 + 628.3319653318 * t + 5.297e-6 * t * t +
                                       0.0334166 * std::cos(4.669257 + 628.307585 * t) +
                                       0.0002061 * t * std::cos(2.67823 + 628.307585 * t) +
                                       0.000349 * std::cos(4.6261 + 1256.61517 * t) - 20.5 / kArcsecPerRad);
    const double v = 7771.38 - 914 * std::sin(0.7848 + 8328.691425 * t + 0.0001523 * t * t) -
                     179 * std::sin(2.543 + 15542.7543 * t) - 160 * std::sin(0.1874 + 7214.0629 * t);
    t += (W - L) / v;
    return t;
}

double StandardJdOfTd(double t) {
    const double d = t * kDaysPerCentury;
    return d + kJ2000 + 1.0 / 3 - DeltaTDays(d);
}

double EquationOfTimeDays(double t) {
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
    const double L = (1753470142 + 628331965331.8 * t + 5296.74 * t2 + 0.432 * t3 - 0.1124 * t4 - 0.00009 * t5) * 1e-9 +
                     kPi - 20.5 / kArcsecPerRad;
    const double node = 2.1824 - 33.75705 * t;
    const double dpsi = -17.2 * std::sin(node) / kArcsecPerRad;
    const double deps = 9.2 * std::cos(node) / kArcsecPerRad;
    const double eps = Obliquity(t) + deps;
    const double lon = EarthLon(t, 50) + kPi + SunAberration(t) + dpsi;
    const double lat = -(2796 * std::cos(3.1987 + 8433.46616 * t) + 1016 * std::cos(5.4225 + 550.75532 * t) +
                         804 * std::cos(3.88 + 522.3694 * t)) *
                       1e-9;
    Equatorial q = EclipticToEquatorial(lon, lat, eps);
    q.ra -= dpsi * std::cos(eps);
    return NormalizeAngleSigned(L - q.ra) / kPi2;
}

Equatorial EclipticToEquatorial(double lon, double lat, double obliquity) {
    const double se = std::sin(obliquity), ce = std::cos(obliquity);
    const double ra = std::atan2(std::sin(lon) * ce - std::tan(lat) * se, std::cos(lon));
    return {NormalizeAngle(ra), std::asin(ce * std::sin(lat) + se * std::cos(lat) * std::sin(lon))};
}

double NormalizeAngle(double x) {
    x -= kPi2 * std::trunc(x / kPi2);
    if (x < 0) x += kPi2;
    return x;
}

double NormalizeAngleSigned(double x) {
    x -= kPi2 * std::trunc(x / kPi2);
    if (x <= -kPi) x += kPi2;
    else if (x > kPi) x -= kPi2;
    return x;
}

}  // namespace tessaly
