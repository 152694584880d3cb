// The synthetic sample observation file: its layout, its calendar, the
// periods of the gauges, and that it looks like a gauge comparison.
#include <cstdint>
#include <string>

#include "UNTPROGDELEN.h"
#include "sample.h"
#include "support.h"

namespace {

const std::string& Sample() {
    static const std::string s = SampleObservations();
    return s;
}

std::string_view Rec(std::size_t i) { return std::string_view(Sample()).substr(i * 101, 101); }
std::size_t Count() { return Sample().size() / 101; }

// Record positions count from 1.
std::string_view Field(std::string_view rec, int pos, int n) { return rec.substr(std::size_t(pos - 1), std::size_t(n)); }
int Ymd(std::string_view rec) { return HEELGETAL(Field(rec, 6, 8)); }
std::string_view Amount(std::string_view rec, int g) { return Field(rec, 57 + 5 * g, 4); }
char Flag(std::string_view rec, int g) { return rec[std::size_t(60 + 5 * g)]; }
bool Valid(std::string_view rec, int g) { return Flag(rec, g) < '9'; }
double Tenths(std::string_view rec, int g) { return REEELGETAL(Amount(rec, g)); }

struct GaugePeriod {
    const char* name;
    int g;
    int from, to;  // first and last day, yyyymmdd
};
const GaugePeriod kPeriods[] = {
    {"Rkel", 1, 19410601, 19711231}, {"R4t", 2, 19410601, 19651231},  {"R4", 3, 19410601, 19620531},
    {"R4N", 4, 19530701, 19711231},  {"R15", 5, 19410601, 19571231},  {"R15N", 6, 19410601, 19551231},
    {"R235", 7, 19410601, 19571231}, {"R232", 8, 19410701, 19631231},
};

TEST(Sample, SizeAndCalendar) {
    ASSERT_EQ(Sample().size(), 1128271u);
    ASSERT_EQ(Count(), 11171u);
    EXPECT_EQ(Field(Rec(0), 6, 8), "19410601");
    EXPECT_EQ(Field(Rec(Count() - 1), 6, 8), "19711231");
    // One record per day without gaps: the day number of record n is that of
    // 1 June 1941 plus n, which is what the scatter comparison relies on.
    for (std::size_t i = 0; i < Count(); ++i) {
        const auto r = Rec(i);
        const std::string yymmdd = std::string(Field(r, 8, 6));
        ASSERT_EQ(DAGNUMMER(yymmdd), 14762 + std::int32_t(i)) << "record " << i << ": " << r;
        ASSERT_EQ(Field(r, 6, 2), "19") << "record " << i;
    }
    // Record 30 is 1 July 1941.
    EXPECT_EQ(Field(Rec(30), 6, 8), "19410701");
}

TEST(Sample, FieldsAreWellFormed) {
    for (std::size_t i = 0; i < Count(); ++i) {
        const auto r = Rec(i);
        SCOPED_TRACE("record " + std::to_string(i) + ": " + std::string(r));
        ASSERT_NE(Field(r, 1, 4), "    ");
        ASSERT_EQ(r[4], ' ');
        ASSERT_EQ(Field(r, 14, 3), "   ");
        for (unsigned char c : r) ASSERT_TRUE(c >= 0x20 && c < 0x7F);
        for (int g = 1; g <= 8; ++g) {
            const auto a = Amount(r, g);
            if (!Valid(r, g)) {
                ASSERT_EQ(Flag(r, g), '9');
                ASSERT_EQ(a, "    ");
                continue;
            }
            // Tenths of a millimetre, right-aligned in four characters.
            const double v = Tenths(r, g);
            ASSERT_GE(v, 0);
            char want[8];
            std::snprintf(want, sizeof want, "%4d", int(v));
            ASSERT_EQ(a, want);
        }
        // Term columns: numbers right-aligned in their 5-character cells, or blank.
        for (int c = 0; c < 9; ++c) {
            const auto cell = Field(r, 17 + 5 * c, 5);
            ASSERT_EQ(cell[0], ' ');
            if (cell != "     ") {
                ASSERT_NE(cell[4], ' ');
            }
        }
    }
}

TEST(Sample, EveryGaugeReportsOverItsPeriodOnly) {
    for (const auto& p : kPeriods) {
        SCOPED_TRACE(p.name);
        int inside = 0, valid = 0, firstValid = 0, lastValid = 0;
        for (std::size_t i = 0; i < Count(); ++i) {
            const auto r = Rec(i);
            const int d = Ymd(r);
            if (d < p.from || d > p.to) {
                ASSERT_EQ(Flag(r, p.g), '9') << d;
                continue;
            }
            ++inside;
            if (Valid(r, p.g)) {
                ++valid;
                if (firstValid == 0) firstValid = d;
                lastValid = d;
            }
        }
        // A few missing days, no more.
        EXPECT_GT(valid, inside * 97 / 100);
        EXPECT_LT(valid, inside);
        // Reports from the first and up to the last week of its period.
        EXPECT_LE(firstValid, p.from + 7);
        EXPECT_GE(lastValid, p.to - 7);
    }
}

// Sum of two gauges over the days both are valid, optionally only on days
// of mostly snow (flag "1" of the reference).
struct Pair {
    double a = 0, b = 0;
    int days = 0;
};
Pair Compare(int ga, int gb, bool snowOnly = false) {
    Pair s;
    for (std::size_t i = 0; i < Count(); ++i) {
        const auto r = Rec(i);
        if (!Valid(r, ga) || !Valid(r, gb)) continue;
        if (snowOnly && Flag(r, 1) != '1') continue;
        s.a += Tenths(r, ga);
        s.b += Tenths(r, gb);
        ++s.days;
    }
    return s;
}

TEST(Sample, LooksLikeAGaugeComparison) {
    // A plausible coastal climate: 600 to 1000 mm a year at the reference.
    const Pair all = Compare(1, 1);
    const double years = all.days / 365.25;
    EXPECT_GT(all.a / 10 / years, 600);
    EXPECT_LT(all.a / 10 / years, 1000);

    // The reference catches most; the higher rim loses more; the shield helps.
    auto ratio = [](int g, bool snow = false) {
        const Pair p = Compare(1, g, snow);
        return p.b / p.a;
    };
    const double r4t = ratio(2), r4 = ratio(3), r4n = ratio(4), r15 = ratio(5), r15n = ratio(6);
    for (double r : {r4t, r4, r4n, r15, r15n}) {
        EXPECT_LT(r, 0.99);
        EXPECT_GT(r, 0.75);
    }
    EXPECT_LT(r15, r4);
    EXPECT_GT(r4n, r4);
    EXPECT_GT(r15n, r15);
    EXPECT_LT(r15n, r4n);

    // Snow: far more loss, less behind a shield, and the gauge read three
    // times a day loses least of the unshielded ones.
    const Pair snowDays = Compare(1, 3, true);
    EXPECT_GT(snowDays.days, 100);
    EXPECT_LT(ratio(3, true), r4 - 0.05);
    EXPECT_LT(ratio(5, true), ratio(3, true));
    EXPECT_GT(ratio(2, true), ratio(3, true));
    EXPECT_GT(ratio(6, true), ratio(5, true));

    // Wet and dry spells: a wet day is more often followed by a wet day.
    int wetWet = 0, wet = 0, dryWet = 0, dry = 0;
    for (std::size_t i = 0; i + 1 < Count(); ++i) {
        const auto r = Rec(i), next = Rec(i + 1);
        if (!Valid(r, 1) || !Valid(next, 1)) continue;
        const bool w = Tenths(r, 1) >= 1, wn = Tenths(next, 1) >= 1;
        (w ? wet : dry)++;
        if (wn) (w ? wetWet : dryWet)++;
    }
    EXPECT_GT(double(wetWet) / wet, double(dryWet) / dry + 0.15);
}

// FNV-1a over the bytes.
std::uint64_t Hash(const std::string& s) {
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : s) h = (h ^ c) * 0x100000001b3ull;
    return h;
}

TEST(Sample, Deterministic) {
    EXPECT_EQ(SampleObservations(), Sample());
    // The same bytes on every machine and library: the generator uses only
    // its own PRNG and plain arithmetic. A deliberate change of the model
    // changes this value.
    EXPECT_EQ(Hash(Sample()), 0x9634e22ed2e5e754ull) << std::hex << Hash(Sample());
}

}  // namespace
