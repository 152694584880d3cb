// The catch-loss charts: one pass over the observation file that draws the
// losses against the ground-level gauge while it reads.
#pragma once

#include <cstdint>
#include <string_view>

// Chart variant KK3 0..7 in language TAAL (1 Dutch, 2 English, 3 German).
// A missing observation file is run-time error 2 before anything is drawn;
// an empty one gives the empty frame, the beep and the wait for a key.
void TOONVANGVERLIES(std::int16_t TAAL, std::int16_t KK3);

// --- The loss formulas ------------------------------------------------------
//
// The loss of a gauge with the amount sum SQ against the ground-level gauge's
// sum S0 over the same period (both in tenths of a millimetre), as an offset
// in pixels below a panel's baseline, not yet rounded. A positive offset is a
// loss, a negative one a gain. They are computed in extended precision, so
// that an exact half on the scale stays an exact half.

// Per cent: 2 pixels per per cent of S0, (1 - SQ/S0) x 200. There is no loss
// when S0 is 0: the result is then NaN (the charts draw nothing for it).
long double VERLIESPROCENT(double SQ, double S0);
// Two-month millimetres: 2 pixels per millimetre, (S0 - SQ) x 0.2.
long double VERLIES2MM(double SQ, double S0);
// Annual millimetres: 1 pixel per millimetre, (S0 - SQ) x 0.1.
long double VERLIES12MM(double SQ, double S0);

// An offset rounded to whole pixels: the nearest integer, an exact half to
// the even one (5, 15 and 25 tenths of annual loss give 0, 2 and 2 pixels).
// NaN and infinities come back as they are.
long double AFRONDEN(long double X);

// --- Watching the pass --------------------------------------------------------
//
// The run state at a period end, as the marks of that period end are drawn
// from it: before any accumulator is reset and before the record that ends
// the period is added.
struct VANGVERLIESSTAND {
    // The accumulators, ATEL[r - 1][q] for row r = 1..9 and gauge column
    // q = 0..7 (0 the ground-level gauge, then R4t, R4, R4N, R15, R15N, R235,
    // R232). Per period length (two-month rows 1-3, year 4-6, half-year 7-9):
    // valid days of the current period, amount sum of the previous period
    // (-999 while there is none), amount sum of the current period; sums in
    // tenths of a millimetre. A two-month column with a zero sum is not reset,
    // so its days and previous sum run on into the next period.
    const double (*ATEL)[8];
    // Month and day of the record that ends the period ("mmdd"): "0101" also
    // ends a year, "0501" and "1101" a half-year.
    std::string_view SDAT;
    // Number of that record in the file, from 0.
    std::int32_t RECNR;
    // x where the ended two-month period starts: 41 at the first period end,
    // 3 more at every next one. Held in 64 bits, so that no file can make it
    // overflow; marks whose x does not fit 16 bits are not drawn.
    std::int64_t XX;
};

// Called, when set, at every period end of a pass, just before the marks are
// drawn. Null by default; the screen never changes it. The state is valid
// only during the call. A tool that wants the values without a window runs
// the screen on the headless backend with an empty key script: the pass then
// reads the whole file and the run ends where the screen waits for its key.
extern void (*PERIODEEINDE)(const VANGVERLIESSTAND& STAND);
