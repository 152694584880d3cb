// morvelan-losses: prints, as CSV, the numbers behind the catch-loss charts
// for the observation file in the current folder.
#include <cstdio>
#include <cstring>
#include <string>

#include "losses.h"

namespace {

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: morvelan-losses [--gauge NAME] [--period two-month|half-year|year]\n"
                 "Reads MORVELAN.VSs in the current folder with the catch-loss charts' own pass and\n"
                 "prints one CSV line per mark the charts draw: period length, the dates of the\n"
                 "record that opened the period and of the one that ended it, gauge, valid days of\n"
                 "the gauge and of the ground-level gauge, both sums in mm, the loss in mm and in\n"
                 "per cent (empty when the ground-level sum is 0).\n"
                 "Gauges: R4t R4 R4N R15 R15N R235 R232 (annual marks: R4t R4 R15 R235 R232;\n"
                 "half-year marks: R4t R4 R15).\n");
}

}  // namespace

int main(int argc, char** argv) {
    LossOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        }
        if ((a == "--gauge" || a == "--period") && i + 1 < argc) {
            const std::string v = argv[++i];
            if (a == "--gauge") {
                options.gauge = GaugeColumn(v);
                if (options.gauge < 1) {
                    std::fprintf(stderr, "morvelan-losses: unknown gauge \"%s\" (see --help)\n", v.c_str());
                    return 2;
                }
            } else {
                for (int l = 0; l < 3; ++l)
                    if (v == LengthName(PeriodLength(l))) options.length = l;
                if (options.length < 0) {
                    std::fprintf(stderr, "morvelan-losses: unknown period \"%s\" (two-month, half-year or year)\n",
                                 v.c_str());
                    return 2;
                }
            }
            continue;
        }
        std::fprintf(stderr, "morvelan-losses: %s \"%s\" (see --help)\n",
                     a == "--gauge" || a == "--period" ? "missing value for" : "unknown argument", a.c_str());
        return 2;
    }
    std::vector<LossRow> rows;
    std::string error;
    const int status = CollectLosses(options, rows, error);
    if (status != 0) {
        std::fprintf(stderr, "morvelan-losses: %s\n", error.c_str());
        return 2;
    }
    WriteLossesCsv(stdout, rows);
    return std::fflush(stdout) == 0 ? 0 : 2;
}
