#include "losses.h"

#include <strings.h>

#include <string_view>

#include "UNTGRAPHICS.h"
#include "UNTREGM0.h"
#include "UNTREGM3.h"
#include "graph.h"
#include "headless.h"

namespace {

constexpr const char* kLabels[8] = {"Rkel", "R4t", "R4", "R4N", "R15", "R15N", "R235", "R232"};

// The gauge columns each period length is charted for: two-month marks for
// every gauge (variants 0 to 4), annual ones for R4t, R4, R15, R235 and R232
// (variants 2 to 6), half-year ones for R4t, R4 and R15 (variant 7).
constexpr bool kCharted[3][8] = {
    {false, true, true, true, true, true, true, true},
    {false, true, true, false, true, false, false, false},
    {false, true, true, false, true, false, true, true},
};

struct Collector {
    LossOptions options;
    std::vector<LossRow>* rows = nullptr;
    std::string from[3];  // start of the current period per length
};
Collector gC;

void add(PeriodLength l, const VANGVERLIESSTAND& s, int daysRow, int sumRow, const std::string& until) {
    const int li = int(l);
    for (int q = 1; q <= 7; ++q) {
        if (!kCharted[li][q]) continue;
        if (gC.options.gauge >= 0 && gC.options.gauge != q) continue;
        const double days = s.ATEL[daysRow - 1][q], refDays = s.ATEL[daysRow - 1][0];
        // The marks' own conditions: a two-month mark needs a valid day, a
        // year or half-year mark as many valid days as the reference.
        if (l == PeriodLength::TwoMonth ? !(days > 0) : days != refDays) continue;
        const double sq = s.ATEL[sumRow - 1][q], s0 = s.ATEL[sumRow - 1][0];
        LossRow r{l, gC.from[li], until, q, days, refDays, sq / 10, s0 / 10, (s0 - sq) / 10, s0 != 0, 0};
        if (r.hasPercent) r.lossPercent = double(VERLIESPROCENT(sq, s0) / 2);
        if (gC.options.length < 0 || gC.options.length == li) gC.rows->push_back(r);
    }
}

void onPeriodEnd(const VANGVERLIESSTAND& s) {
    const std::string until(SREC.DEEL(6, 8));
    add(PeriodLength::TwoMonth, s, 1, 3, until);
    gC.from[0] = until;
    if (s.SDAT == "0101") {
        add(PeriodLength::Year, s, 4, 6, until);
        gC.from[2] = until;
    }
    if (s.SDAT == "0501" || s.SDAT == "1101") {
        add(PeriodLength::HalfYear, s, 7, 9, until);
        gC.from[1] = until;
    }
}

void pass() {
    GRHAALDRIVER();
    dk::SetTextStyle(0, 0, 2);
    OPENVS();
    const std::string first = EINDEVS() ? std::string() : (LEESVS(), std::string(SREC.DEEL(6, 8)));
    for (std::string& f : gC.from) f = first;
    PERIODEEINDE = onPeriodEnd;
    TOONVANGVERLIES(1, 1);
}

}  // namespace

const char* GaugeLabel(int q) { return q >= 0 && q < 8 ? kLabels[q] : "?"; }

int GaugeColumn(const std::string& label) {
    for (int q = 0; q < 8; ++q)
        if (strcasecmp(label.c_str(), kLabels[q]) == 0) return q;
    return -1;
}

const char* LengthName(PeriodLength l) {
    switch (l) {
        case PeriodLength::TwoMonth: return "two-month";
        case PeriodLength::HalfYear: return "half-year";
        case PeriodLength::Year: return "year";
    }
    return "?";
}

int CollectLosses(const LossOptions& options, std::vector<LossRow>& rows, std::string& error) {
    gC = Collector{options, &rows, {}};
    dk::headless::Run run;
    run.captureFrames = false;
    dk::headless::Execute(run, pass);
    PERIODEEINDE = nullptr;
    error = run.errorText;
    return run.status;
}

void WriteLossesCsv(std::FILE* out, const std::vector<LossRow>& rows) {
    std::fprintf(out, "period,from,until,gauge,days,ref_days,sum_mm,ref_sum_mm,loss_mm,loss_percent\n");
    for (const LossRow& r : rows) {
        std::fprintf(out, "%s,%s,%s,%s,%.0f,%.0f,%.2f,%.2f,%.2f,", LengthName(r.length), r.from.c_str(),
                     r.until.c_str(), GaugeLabel(r.gauge), r.days, r.refDays, r.sumMm, r.refSumMm, r.lossMm);
        if (r.hasPercent) std::fprintf(out, "%.3f", r.lossPercent);
        std::fprintf(out, "\n");
    }
}
