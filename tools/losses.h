// The numbers behind the catch-loss charts: every two-month period, half-year
// and year that a pass over the observation file meets, with the values its
// mark is drawn from. The pass is the screen's own, run headless.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

enum class PeriodLength { TwoMonth, HalfYear, Year };

struct LossRow {
    PeriodLength length;
    std::string from;   // yyyymmdd of the record that opened the period
    std::string until;  // yyyymmdd of the record that ended it (the next period's first)
    int gauge;          // column 1..7 (R4t .. R232)
    double days, refDays;     // valid days of the gauge and of the ground-level gauge
    double sumMm, refSumMm;   // their amount sums in millimetres
    double lossMm;            // reference minus gauge, millimetres
    bool hasPercent;          // false when the reference sum is 0 (no per-cent mark)
    double lossPercent;       // shortfall in per cent of the reference
};

struct LossOptions {
    int gauge = -1;  // only this column, or all
    int length = -1; // only this PeriodLength, or all
};

// Gauge label of column q (0 Rkel .. 7 R232), and the column of a label
// (case-insensitive), or -1.
const char* GaugeLabel(int q);
int GaugeColumn(const std::string& label);
const char* LengthName(PeriodLength l);

// Runs the catch-loss pass headless over MORVELAN.VSs in the working
// directory and collects the rows the charts draw marks for. Returns 0, or
// the run-time error number with its text in `error`.
int CollectLosses(const LossOptions& options, std::vector<LossRow>& rows, std::string& error);

void WriteLossesCsv(std::FILE* out, const std::vector<LossRow>& rows);
