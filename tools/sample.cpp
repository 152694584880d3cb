// The synthetic sample observation file.
//
// A made-up but realistic comparison: a daily weather series (temperature,
// wind, wet and dry spells with a seasonal cycle, snow in cold spells) makes
// the day's true precipitation; each gauge then catches that amount less its
// own losses, which grow with the wind, more for a rim at 150 cm than at
// 40 cm, less behind a Nipher shield, and far more for snow than for rain.
// Every gauge reports only over its period of observation and misses a few
// days; outside its period and on a missing day its cell is four blanks and
// the flag "9".
//
// Only +, -, *, / and comparisons of doubles are used, together with a small
// PRNG of our own, so the bytes do not depend on the library or the machine.
#include "sample.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// --- Deterministic arithmetic ------------------------------------------------

// SplitMix64: small, fast and fully specified.
struct Prng {
    std::uint64_t s;
    std::uint64_t Next() {
        std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in (0, 1).
    double U() { return (double(Next() >> 11) + 0.5) * (1.0 / 9007199254740992.0); }
    // Approximately standard normal (Irwin-Hall with 12 terms).
    double N() {
        double t = 0;
        for (int i = 0; i < 12; ++i) t += U();
        return t - 6.0;
    }
};

constexpr double kPi = 3.14159265358979323846;
constexpr double kLn2 = 0.69314718055994530942;

// Natural logarithm of u > 0 by range reduction and the atanh series.
double Ln(double u) {
    int k = 0;
    while (u < 0.5) { u *= 2; ++k; }
    while (u >= 1.0) { u *= 0.5; --k; }
    const double z = (u - 1.0) / (u + 1.0), z2 = z * z;
    double term = z, sum = 0;
    for (int n = 1; n < 60; n += 2) {
        sum += term / n;
        term *= z2;
    }
    return 2.0 * sum - k * kLn2;
}

// Cosine by reduction to [-pi, pi] and its Taylor series.
double Cos(double x) {
    while (x > kPi) x -= 2 * kPi;
    while (x < -kPi) x += 2 * kPi;
    const double x2 = x * x;
    double term = 1, sum = 1;
    for (int n = 1; n < 20; ++n) {
        term *= -x2 / ((2.0 * n - 1) * (2.0 * n));
        sum += term;
    }
    return sum;
}

double Exp1(Prng& r) { return -Ln(r.U()); }  // exponential, mean 1

double Clamp(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

// Nearest whole number, halves away from zero (only for values in int range).
int Round(double v) { return v >= 0 ? int(v + 0.5) : -int(-v + 0.5); }

// --- Calendar --------------------------------------------------------------------

bool Leap(int y) { return y % 4 == 0; }  // enough for 1941-1971
int MonthLength(int y, int m) {
    static const int len[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return len[m - 1] + (m == 2 && Leap(y) ? 1 : 0);
}
int DayOfYear(int y, int m, int d) {
    int n = d;
    for (int k = 1; k < m; ++k) n += MonthLength(y, k);
    return n;
}
// A date as one number yyyymmdd, for comparing against period limits.
int Ymd(int y, int m, int d) { return y * 10000 + m * 100 + d; }

// --- The gauges --------------------------------------------------------------------

enum Gauge { Rkel, R4t, R4, R4N, R15, R15N, R235, R232, kGauges };

// Period of observation of each gauge, first and last day included.
struct Period {
    int from, to;
};
constexpr Period kPeriod[kGauges] = {
    {19410601, 19711231},  // Rkel: the ground-level reference, the whole series
    {19410601, 19651231},  // R4t: 40 cm read three times a day (Nipher shield from June 1962)
    {19410601, 19620531},  // R4: 40 cm standard
    {19530701, 19711231},  // R4N: 40 cm with Nipher shield
    {19410601, 19571231},  // R15: 150 cm standard
    {19410601, 19551231},  // R15N: 150 cm with Nipher shield
    {19410601, 19571231},  // R235: KNMI station 235 while it stood at the pumping building
    {19410701, 19631231},  // R232: KNMI station 232 at Bakkum
};
constexpr int kR4tNipherFrom = 19620601;

// Chance per day that no gauge is read (the observer away: every reading of
// the day is lost together, so the gauges keep as many valid days as the
// ground-level gauge and their year and half-year losses can be charted),
// that one gauge's reading alone is lost, and that a gap of several days
// starts for one gauge (a gauge away for repair).
constexpr double kMissAll = 0.002;
constexpr double kMissDay[kGauges] = {0.00003, 0.0002, 0.0002, 0.0002, 0.0002, 0.0002, 0.0003, 0.0004};
constexpr double kGapStart[kGauges] = {0.0, 0.00012, 0.0001, 0.0001, 0.0001, 0.0001, 0.00015, 0.0002};

// Loss fraction per m/s of wind, for rain and for snow.
struct Exposure {
    double rain, snow;
};
constexpr Exposure k40{0.010, 0.045};    // rim at 40 cm
constexpr Exposure k150{0.018, 0.075};   // rim at 150 cm
constexpr double kNipherRain = 0.55;     // the shield keeps about half the wind loss away
constexpr double kNipherSnow = 0.50;
constexpr double kThreeReadingsSnow = 0.55;  // snow read three times a day is not blown out

double WindLoss(Exposure e, double factorRain, double factorSnow, double wind, double snowPart) {
    const double rain = e.rain * factorRain * wind * (1 - snowPart);
    const double snow = e.snow * factorSnow * wind * snowPart;
    return Clamp(rain + snow, 0.0, 0.85);
}

// --- Record text -------------------------------------------------------------------

void Put(char* rec, int pos, const char* text, int width) {  // pos counts from 1
    std::memcpy(rec + pos - 1, text, std::size_t(width));
}

void PutNumber(char* rec, int pos, int width, int value) {
    char b[16];
    std::snprintf(b, sizeof b, "%*d", width, value);
    Put(rec, pos, b, width);
}

// Weather code of a term: 0 nothing, 5 drizzle, 6 rain, 7 snow, 8 showers.
char WeatherCode(double amount, double snowPart, bool showery) {
    if (amount <= 0) return '0';
    if (snowPart > 0.5) return '7';
    if (showery) return '8';
    return amount < 0.5 ? '5' : '6';
}

}  // namespace

std::string SampleObservations() {
    constexpr int kRecLen = 101;
    Prng weather{0x4B656C76616E6F6Full};  // the weather series
    Prng gauges{0x1941060119711231ull};   // the readings and the missing days
    Prng terms{0x0814190814190814ull};    // the term columns

    std::string out;
    out.reserve(11171u * kRecLen);

    double tempAnom = 0, windAnom = 0, winterOffset = 0;
    bool wet = false;
    int gapLeft[kGauges] = {};
    int snowDepth = 0;  // cm on the ground

    int y = 1941, m = 6, d = 1;
    while (Ymd(y, m, d) <= 19711231) {
        const int date = Ymd(y, m, d);
        const int doy = DayOfYear(y, m, d);
        const double summer = Cos(2 * kPi * (doy - 196) / 365.25);  // +1 mid July, -1 mid January
        const double autumn = Cos(2 * kPi * (doy - 290) / 365.25);  // +1 mid October, -1 mid April

        // A new winter gets its own character; three were severe.
        if ((m == 10 && d == 1) || date == 19410601) {
            winterOffset = 1.6 * weather.N();
            if (y == 1941 || y == 1946 || y == 1962) winterOffset -= 3.5;
        }
        const double winterWeight = Clamp(-summer, 0.0, 1.0);

        // Temperature and wind: seasonal means with persistent anomalies.
        tempAnom = 0.78 * tempAnom + (1.6 + 0.8 * winterWeight) * weather.N();
        const double temp = 9.6 + 7.4 * summer + tempAnom + winterOffset * winterWeight;
        windAnom = 0.6 * windAnom + 1.5 * weather.N();

        // Wet and dry spells: wet days follow wet days; April is driest, autumn wettest.
        const double pWet = wet ? 0.64 + 0.06 * autumn : 0.31 + 0.08 * autumn;
        wet = weather.U() < pWet;
        const bool showery = wet && weather.U() < 0.25 + 0.3 * Clamp(summer, 0.0, 1.0);
        double precip = 0;
        if (wet) {
            const double mean = 3.8 + 0.8 * summer + 0.7 * autumn + (showery ? 1.5 : 0.0);
            precip = mean * Exp1(weather);
            if (precip > 70) precip = 70 + 0.3 * (precip - 70);
        }
        const double wind = Clamp(4.2 - 1.1 * summer + windAnom + (wet ? 1.2 : 0.0), 0.5, 18.0);
        const double snowPart = precip > 0 ? Clamp((2.5 - temp) / 3.5, 0.0, 1.0) : 0.0;

        // Snow on the ground: grows with snowfall, melts above zero.
        if (snowPart > 0.3) snowDepth += Round(precip * snowPart);
        if (temp > 0.5) snowDepth -= Round(1 + temp);
        snowDepth = int(Clamp(snowDepth, 0, 60));

        // What each gauge catches, in tenths of a millimetre.
        double catchMm[kGauges];
        const double evaporation = precip > 0 ? 0.05 + 0.05 * Clamp(summer, 0.0, 1.0) : 0.0;
        const double wetting = precip > 0 ? 0.08 : 0.0;
        auto standard = [&](double lossFraction) {
            const double c = precip * (1 - lossFraction) * (1 + 0.03 * gauges.N()) - wetting - evaporation;
            return c > 0 ? c : 0.0;
        };
        catchMm[Rkel] = precip * (0.995 + 0.01 * gauges.N());
        {
            const bool nipher = date >= kR4tNipherFrom;
            const double loss = WindLoss(k40, nipher ? kNipherRain : 1.0,
                                         kThreeReadingsSnow * (nipher ? kNipherSnow : 1.0), wind, snowPart);
            // Three readings: more wetting, but hardly any evaporation.
            const double c = precip * (1 - loss) * (1 + 0.03 * gauges.N()) - (precip > 0 ? 0.12 : 0.0);
            catchMm[R4t] = c > 0 ? c : 0.0;
        }
        catchMm[R4] = standard(WindLoss(k40, 1, 1, wind, snowPart));
        catchMm[R4N] = standard(WindLoss(k40, kNipherRain, kNipherSnow, wind, snowPart));
        catchMm[R15] = standard(WindLoss(k150, 1, 1, wind, snowPart));
        catchMm[R15N] = standard(WindLoss(k150, kNipherRain, kNipherSnow, wind, snowPart));
        {
            // Station 235 stood at the pumping building: first sheltered, from
            // autumn 1946 exposed on the roof side, from mid 1954 in between.
            // It is a few hundred metres off, so its rain differs from day to day.
            const double exposure = date < 19460920 ? 0.7 : date < 19540701 ? 1.35 : 1.0;
            const double local = Clamp(1 + 0.12 * gauges.N(), 0.4, 1.8);
            const double c = standard(WindLoss(k40, exposure, exposure, wind, snowPart)) * local;
            catchMm[R235] = c + (showery && gauges.U() < 0.15 ? 2 * Exp1(gauges) : 0.0);
        }
        {
            // Station 232 at Bakkum in the English set-up (rim close to a turf
            // wall): little wind loss, but farther away, so more local difference.
            const double local = Clamp(1 + 0.2 * gauges.N(), 0.3, 2.2);
            const double c = standard(WindLoss(k40, 0.3, 0.35, wind, snowPart)) * local;
            catchMm[R232] = c + (showery && gauges.U() < 0.25 ? 2.5 * Exp1(gauges) : 0.0);
        }

        // Which readings exist.
        bool present[kGauges];
        const bool outage = gauges.U() < kMissAll;
        for (int g = 0; g < kGauges; ++g) {
            const bool inPeriod = date >= kPeriod[g].from && date <= kPeriod[g].to;
            if (gapLeft[g] > 0) --gapLeft[g];
            else if (gauges.U() < kGapStart[g]) gapLeft[g] = 2 + int(9 * gauges.U());
            const bool lost = outage || gapLeft[g] > 0 || gauges.U() < kMissDay[g];
            present[g] = inPeriod && !lost;
        }

        // The record.
        char rec[kRecLen];
        std::memset(rec, ' ', sizeof rec);
        Put(rec, 1, "KLVN", 4);
        char dateText[40];
        std::snprintf(dateText, sizeof dateText, "%04d%02d%02d", y, m, d);
        Put(rec, 6, dateText, 8);

        // Term columns: the three readings of the term gauge (R4t until it was
        // taken away, the ground-level gauge after that) at 14, 19 and 08 h,
        // each with weather code, past weather, state of the ground, snow
        // depth class, and the temperature in tenths of a degree.
        const Gauge termGauge = date <= kPeriod[R4t].to ? R4t : Rkel;
        const int termTotal = Round(catchMm[termGauge] * 10);
        double w1 = terms.U(), w2 = terms.U(), w3 = terms.U();
        const double ws = w1 + w2 + w3;
        int part[3];
        part[0] = int(termTotal * w1 / ws);
        part[1] = int(termTotal * w2 / ws);
        part[2] = termTotal - part[0] - part[1];
        const double termTemp[3] = {temp + 2.4 + 1.6 * Clamp(summer, 0.0, 1.0), temp + 0.3,
                                    temp - 2.0 - 0.8 * Clamp(summer, 0.0, 1.0)};
        const char ground = snowDepth > 0 ? '7' : temp < -1 ? '3' : precip > 2 ? '2' : precip > 0 ? '1' : '0';
        const char depth = char('0' + (snowDepth == 0 ? 0 : snowDepth < 5 ? 1 : snowDepth < 10 ? 2 : 3 + snowDepth / 12));
        char past = '0';
        for (int t = 0; t < 3; ++t) {
            const int pos = 17 + 15 * t;
            const double termAmount = part[t] / 10.0;
            if (present[termGauge] && precip > 0) PutNumber(rec, pos, 5, part[t]);
            const char now = WeatherCode(termAmount, snowPart, showery);
            const char wwes[5] = {' ', now, past, ground, depth};
            Put(rec, pos + 5, wwes, 5);
            PutNumber(rec, pos + 10, 5, Round((termTemp[t] + 0.3 * terms.N()) * 10));
            past = now;
        }

        // Gauge cells: amount right-aligned in four characters, then the flag
        // ("1" for a day of mostly snow, "0" otherwise; "9" when there is none).
        for (int g = 0; g < kGauges; ++g) {
            const int pos = 62 + 5 * g;
            if (!present[g]) {
                rec[pos + 3] = '9';
                continue;
            }
            const int tenths = g == termGauge ? termTotal : Round(catchMm[g] * 10);
            PutNumber(rec, pos, 4, tenths > 9999 ? 9999 : tenths);
            rec[pos + 3] = snowPart > 0.5 && precip > 0 ? '1' : '0';
        }
        out.append(rec, sizeof rec);

        if (++d > MonthLength(y, m)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
    return out;
}
