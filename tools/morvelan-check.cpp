// morvelan-check: reads an observation file and reports what would make the
// screens show something other than the observations: a size that is not a
// whole number of records, dates that do not run one per day from 1 June 1941,
// date fields that are not dates, amounts that read as 0 although they say
// something else, and usable amounts outside a gauge's period. It also counts
// the usable and unusable days of every gauge per year.
//
// Exit status: 0 the file is sound, 1 it has problems, 2 it cannot be read
// (or the command line is wrong).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "UNTPROGDELEN.h"
#include "UNTREGM0.h"
#include "UNTREGM4.h"
#include "text.h"

namespace {

constexpr int kGauges = 8;
constexpr const char* kGaugeName[kGauges] = {"Rkel", "R4t", "R4", "R4N", "R15", "R15N", "R235", "R232"};

// Record positions (from 1) of the fields read here.
constexpr int kDatePos = 6, kDateLen = 8;
constexpr int AmountPos(int g) { return 57 + 5 * g; }  // gauge number g = 1..8, four characters
constexpr int FlagPos(int g) { return 61 + 5 * g; }
// A flag below "9" marks the amount usable, as the catch-loss run counts it.
constexpr bool Usable(char flag) { return static_cast<unsigned char>(flag) < '9'; }

// Lines shown per list in the readable report; the rest is counted.
constexpr std::size_t kShown = 10;

// --- Dates, all by the program's own day numbering --------------------------------

const std::int32_t kFirstDay = DAGNUMMER("410601");  // the day of record 0
const std::int32_t kLastDay = DAGNUMMER("711231");   // the last day any screen refers to
// Day numbers of the years the yymmdd numbering covers, 1901 to 1999.
const std::int32_t kMinDay = DAGNUMMER("010101");
const std::int32_t kMaxDay = DAGNUMMER("991231");

struct Ymd {
    int y, m, d;  // y = 1901..1999
};

std::string Yymmdd(int y, int m, int d) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d%02d%02d", y % 100, m, d);
    return b;
}

// The date of a day number from kMinDay to kMaxDay: the latest year and then
// month whose first day does not lie after it.
Ymd DateOf(std::int32_t dn) {
    int y = 1901;
    while (y < 1999 && DAGNUMMER(Yymmdd(y + 1, 1, 1)) <= dn) ++y;
    int m = 1;
    while (m < 12 && DAGNUMMER(Yymmdd(y, m + 1, 1)) <= dn) ++m;
    return {y, m, int(dn - DAGNUMMER(Yymmdd(y, m, 1)) + 1)};
}

std::string DateText(std::int32_t dn) {
    if (dn < kMinDay || dn > kMaxDay) return "day " + std::to_string(dn);
    const Ymd t = DateOf(dn);
    char b[16];
    std::snprintf(b, sizeof b, "%04d-%02d-%02d", t.y, t.m, t.d);
    return b;
}

// The day number of a date field yyyymmdd, when it is a real date of 1901 to
// 1999: eight digits whose day number leads back to the same date (day 00,
// day 32 or month 13 do not).
std::optional<std::int32_t> FieldDay(std::string_view f) {
    if (f.size() != 8) return std::nullopt;
    for (char c : f)
        if (c < '0' || c > '9') return std::nullopt;
    if (f.substr(0, 2) != "19" || f.substr(2, 2) == "00") return std::nullopt;
    const std::int32_t dn = DAGNUMMER(f.substr(2));
    if (dn < kMinDay || dn > kMaxDay) return std::nullopt;
    const Ymd t = DateOf(dn);
    if (Yymmdd(t.y, t.m, t.d) != f.substr(2)) return std::nullopt;
    return dn;
}

// --- Amounts -------------------------------------------------------------------------

bool Blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// True when the numeric field rule reads the text as 0 although it is neither
// blank nor a number. A number whose value is 0 ("   0", " -0.") keeps its
// shape when its zeros become ones and then reads as something else; a text
// that is not a number stays one that is not.
bool ReadsAsZeroWrongly(std::string_view s) {
    if (Blank(s) || REEELGETAL(s) != 0) return false;
    std::string ones(s);
    for (char& c : ones)
        if (c == '0') c = '1';
    return REEELGETAL(ones) == 0;
}

// --- Texts from the file, shown safely ------------------------------------------------

// A field's bytes (Windows-1252) in double quotes, as UTF-8; control bytes
// and the five unused codes as escapes. `json` selects JSON's escapes.
std::string Quoted(std::string_view s, bool json) {
    std::string out = "\"";
    for (char ch : s) {
        const unsigned char b = static_cast<unsigned char>(ch);
        const char32_t cp = dk::Cp1252ToUnicode(b);
        char e[8];
        if (b == '"' || b == '\\') {
            out += '\\';
            out += ch;
        } else if (b < 0x20 || b == 0x7F || cp == 0xFFFD) {
            std::snprintf(e, sizeof e, json ? "\\u%04x" : "\\x%02x", b);
            out += e;
        } else {
            dk::AppendUtf8(out, cp);
        }
    }
    return out + "\"";
}

// --- The findings ---------------------------------------------------------------------

struct Run {  // records from .. to, both included
    std::int32_t from, to;
};

struct Findings {
    std::string path;
    long long bytes = 0;
    std::int32_t records = 0;
    long long tailBytes = 0;
    std::optional<std::int32_t> firstDay, lastDay;  // dates of the first and last record

    struct Missing { std::int32_t fromDay, toDay, beforeRecord; };  // -1: at the end
    struct Repeat { std::int32_t record, day, firstRecord; };
    struct Disorder { std::int32_t record, day, afterRecord, afterDay; };
    struct OffDay { Run records; std::int32_t offset; };  // days after the record number's day
    struct BadDate { std::int32_t record; std::string text; };
    struct BadAmount { std::int32_t record; int gauge; std::string text; char flag; };
    struct Outside { int gauge; Run records; std::int32_t fromDay, toDay; };

    std::vector<Missing> missing;
    std::vector<Repeat> repeats;
    std::vector<Disorder> disorder;
    std::vector<OffDay> offDay;
    std::vector<BadDate> badDates;
    std::vector<BadAmount> badAmounts;
    std::vector<Outside> outside;

    // Usable and unusable days per year (1901 + index) and gauge.
    std::array<std::array<std::array<std::int32_t, 2>, kGauges>, 99> flags{};
    std::array<bool, 99> yearSeen{};

    // A file without a whole record counts once, whatever its size.
    std::size_t Problems() const {
        return (records == 0 || tailBytes != 0) + missing.size() + repeats.size() + disorder.size() +
               offDay.size() + badDates.size() + badAmounts.size() + outside.size();
    }
};

// Period of each gauge as day numbers: the ground-level gauge over the whole
// series, the others over the periods of the scatter comparison.
struct DayPeriod {
    std::int32_t from, to;
};
std::array<DayPeriod, kGauges> GaugePeriods() {
    std::array<DayPeriod, kGauges> p{};
    p[0] = {kFirstDay, kLastDay};
    for (int g = 2; g <= kGauges; ++g)
        p[g - 1] = {DAGNUMMER(APERIODEN[g - 2].SN), DAGNUMMER(APERIODEN[g - 2].SX)};
    return p;
}

// Goes through the records one by one.
class Checker {
public:
    explicit Checker(Findings& f) : f_(f), periods_(GaugePeriods()) {
        recordOfDay_.assign(std::size_t(kMaxDay + 1), -1);
        for (auto& r : outsideRun_) r = {-1, -1};
    }

    void Record(std::int32_t n, std::string_view rec) {
        SRECTYPE s;
        std::memcpy(s.s, rec.data(), RECLEN);
        s.len = RECLEN;

        // The date.
        const std::string_view field = s.DEEL(kDatePos, kDateLen);
        const std::optional<std::int32_t> day = FieldDay(field);
        if (n == 0) f_.firstDay = day;
        f_.lastDay = day;
        if (!day) {
            f_.badDates.push_back({n, std::string(field)});
        } else {
            Sequence(n, *day);
        }
        // The day the record counts for: its own date, or the one its number stands for.
        const std::int32_t dn = day ? *day : kFirstDay + n;

        // Amounts and flags.
        const bool countable = dn >= kMinDay && dn <= kMaxDay;
        const int yi = countable ? DateOf(dn).y - 1901 : 0;
        if (countable) f_.yearSeen[std::size_t(yi)] = true;
        for (int g = 1; g <= kGauges; ++g) {
            const std::string_view amount = s.DEEL(AmountPos(g), 4);
            const char flag = s[FlagPos(g)];
            if (ReadsAsZeroWrongly(amount)) f_.badAmounts.push_back({n, g, std::string(amount), flag});
            if (countable) ++f_.flags[std::size_t(yi)][std::size_t(g - 1)][Usable(flag) ? 0 : 1];
            const DayPeriod& p = periods_[std::size_t(g - 1)];
            Run& r = outsideRun_[std::size_t(g - 1)];
            if (Usable(flag) && (dn < p.from || dn > p.to)) {
                if (r.from >= 0 && r.to == n - 1) {
                    r.to = n;
                } else {
                    CloseOutside(g);
                    r = {n, n};
                }
            }
        }
    }

    void Finish() {
        CloseOffDay();
        for (int g = 1; g <= kGauges; ++g) CloseOutside(g);
        // Days missing from the series: from 1 June 1941 to the later of the
        // last date in the file and 31 December 1971.
        const std::int32_t last = maxDay_ > kLastDay ? maxDay_ : kLastDay;
        std::int32_t dn = kFirstDay;
        while (dn <= last) {
            if (recordOfDay_[std::size_t(dn)] >= 0) {
                ++dn;
                continue;
            }
            const std::int32_t from = dn;
            while (dn <= last && recordOfDay_[std::size_t(dn)] < 0) ++dn;
            const std::int32_t before = dn <= kMaxDay && dn <= last ? recordOfDay_[std::size_t(dn)] : -1;
            f_.missing.push_back({from, dn - 1, before});
        }
    }

private:
    void Sequence(std::int32_t n, std::int32_t dn) {
        std::int32_t& first = recordOfDay_[std::size_t(dn)];
        if (first >= 0) {
            f_.repeats.push_back({n, dn, first});
        } else {
            first = n;
            if (maxRecord_ >= 0 && dn < maxDay_) f_.disorder.push_back({n, dn, maxRecord_, maxDay_});
        }
        if (maxRecord_ < 0 || dn > maxDay_) {
            maxDay_ = dn;
            maxRecord_ = n;
        }
        // Runs of records that stand at another day than their number's.
        const std::int32_t offset = dn - (kFirstDay + n);
        if (offRun_.from >= 0 && offset == offOffset_) {
            offRun_.to = n;
            return;
        }
        CloseOffDay();
        if (offset != 0) {
            offRun_ = {n, n};
            offOffset_ = offset;
        }
    }

    void CloseOffDay() {
        if (offRun_.from >= 0) f_.offDay.push_back({offRun_, offOffset_});
        offRun_ = {-1, -1};
    }

    void CloseOutside(int g) {
        Run& r = outsideRun_[std::size_t(g - 1)];
        if (r.from >= 0) {
            const DayPeriod& p = periods_[std::size_t(g - 1)];
            f_.outside.push_back({g, r, p.from, p.to});
        }
        r = {-1, -1};
    }

    Findings& f_;
    std::array<DayPeriod, kGauges> periods_;
    std::vector<std::int32_t> recordOfDay_;  // first record of each day number
    std::int32_t maxDay_ = 0, maxRecord_ = -1;
    Run offRun_{-1, -1};
    std::int32_t offOffset_ = 0;
    std::array<Run, kGauges> outsideRun_{};
};

// Reads the file record by record. Returns an error text when it cannot be read.
std::optional<std::string> Check(const std::string& path, Findings& f) {
    f.path = path;
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return "cannot open " + path + ": " + std::strerror(errno);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const int err = errno;
        close(fd);
        return "cannot read " + path + ": " + std::strerror(err);
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        return "cannot read " + path + ": " + (S_ISDIR(st.st_mode) ? "it is a directory" : "it is not a regular file");
    }

    Checker checker(f);
    static char buf[512 * RECLEN];
    std::size_t have = 0;
    std::int32_t n = 0;
    for (;;) {
        const ssize_t got = read(fd, buf + have, sizeof buf - have);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int err = errno;
            close(fd);
            return "cannot read " + path + ": " + std::strerror(err);
        }
        if (got == 0) break;
        f.bytes += got;
        have += std::size_t(got);
        std::size_t at = 0;
        for (; have - at >= std::size_t(RECLEN); at += RECLEN) checker.Record(n++, std::string_view(buf + at, RECLEN));
        std::memmove(buf, buf + at, have - at);
        have -= at;
    }
    close(fd);
    f.records = n;
    f.tailBytes = static_cast<long long>(have);
    checker.Finish();
    return std::nullopt;
}

// --- The readable report ---------------------------------------------------------------

std::string RecordsText(const Run& r) {
    if (r.from == r.to) return "record " + std::to_string(r.from);
    return "records " + std::to_string(r.from) + " to " + std::to_string(r.to);
}

std::string DaysText(std::int32_t from, std::int32_t to) {
    if (from == to) return DateText(from);
    return DateText(from) + " to " + DateText(to);
}

std::string Plural(long long n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

template <class T, class Line>
void List(const char* heading, const std::vector<T>& items, Line line) {
    if (items.empty()) return;
    std::printf("%s (%zu):\n", heading, items.size());
    for (std::size_t i = 0; i < items.size() && i < kShown; ++i) std::printf("  %s\n", line(items[i]).c_str());
    if (items.size() > kShown) std::printf("  ... and %zu more\n", items.size() - kShown);
}

void Readable(const Findings& f) {
    std::printf("%s: %s of %d bytes", f.path.c_str(), Plural(f.records, "record", "records").c_str(), RECLEN);
    if (f.records > 0) {
        std::printf(", dated %s to %s", f.firstDay ? DateText(*f.firstDay).c_str() : "(no date)",
                    f.lastDay ? DateText(*f.lastDay).c_str() : "(no date)");
    }
    std::printf("\n");

    // Flags per year.
    bool any = false;
    for (bool y : f.yearSeen) any = any || y;
    if (any) {
        std::printf("\nUsable/unusable days per year:\n  year");
        for (const char* name : kGaugeName) std::printf(" %9s", name);
        std::printf("\n");
        for (std::size_t y = 0; y < f.flags.size(); ++y) {
            if (!f.yearSeen[y]) continue;
            std::printf("  %4zu", 1901 + y);
            for (const auto& c : f.flags[y]) {
                char cell[32];
                std::snprintf(cell, sizeof cell, "%d/%d", c[0], c[1]);
                std::printf(" %9s", cell);
            }
            std::printf("\n");
        }
    }

    if (f.Problems() == 0) {
        std::printf("\nThe file is sound: one record per day from %s to %s, every date and amount readable.\n",
                    DateText(kFirstDay).c_str(), DateText(f.lastDay.value_or(kLastDay)).c_str());
        return;
    }
    std::printf("\n");
    if (f.records == 0)
        std::printf("Size: %s, not one whole record of %d bytes; the screens have nothing to read.\n",
                    Plural(f.bytes, "byte", "bytes").c_str(), RECLEN);
    else if (f.tailBytes != 0)
        std::printf("Size: %lld bytes are not a whole number of records; the %s after record %d %s never read.\n",
                    f.bytes, Plural(f.tailBytes, "byte", "bytes").c_str(), f.records - 1,
                    f.tailBytes == 1 ? "is" : "are");
    List("Days missing", f.missing, [](const Findings::Missing& m) {
        std::string s = DaysText(m.fromDay, m.toDay);
        if (m.toDay > m.fromDay) s += " (" + std::to_string(m.toDay - m.fromDay + 1) + " days)";
        s += m.beforeRecord >= 0 ? ", before record " + std::to_string(m.beforeRecord) : ", at the end of the file";
        return s;
    });
    List("Dates repeated", f.repeats, [](const Findings::Repeat& r) {
        return "record " + std::to_string(r.record) + " repeats " + DateText(r.day) + " of record " +
               std::to_string(r.firstRecord);
    });
    List("Dates out of order", f.disorder, [](const Findings::Disorder& d) {
        return "record " + std::to_string(d.record) + " (" + DateText(d.day) + ") comes after " + DateText(d.afterDay) +
               " (record " + std::to_string(d.afterRecord) + ")";
    });
    List("Records dated off the day their number stands for", f.offDay,
         [](const Findings::OffDay& o) {
             const std::int32_t k = o.offset < 0 ? -o.offset : o.offset;
             return RecordsText(o.records) + ": dated " + Plural(k, "day", "days") + (o.offset > 0 ? " late" : " early");
         });
    List("Date fields that are not dates", f.badDates, [](const Findings::BadDate& b) {
        return "record " + std::to_string(b.record) + ": " + Quoted(b.text, false);
    });
    List("Amounts that read as 0 but are not blank", f.badAmounts, [](const Findings::BadAmount& b) {
        return "record " + std::to_string(b.record) + ", " + kGaugeName[b.gauge - 1] + ": " + Quoted(b.text, false) +
               (Usable(b.flag) ? " (flagged usable)" : " (flagged unusable)");
    });
    List("Usable amounts outside the gauge's period", f.outside, [](const Findings::Outside& o) {
        return std::string(kGaugeName[o.gauge - 1]) + " (period " + DaysText(o.fromDay, o.toDay) +
               "): " + RecordsText(o.records) + ", " + Plural(o.records.to - o.records.from + 1, "day", "days");
    });
    std::printf("\n%s found.\n", Plural(static_cast<long long>(f.Problems()), "problem", "problems").c_str());
}

// --- The report for scripts --------------------------------------------------------------

std::string JsonDate(std::int32_t dn) { return "\"" + DateText(dn) + "\""; }

void Json(const Findings& f) {
    std::string o = "{\"file\":" + Quoted(f.path, true);
    o += ",\"bytes\":" + std::to_string(f.bytes) + ",\"records\":" + std::to_string(f.records) +
         ",\"tail_bytes\":" + std::to_string(f.tailBytes);
    o += ",\"first_date\":" + (f.firstDay ? JsonDate(*f.firstDay) : "null");
    o += ",\"last_date\":" + (f.lastDay ? JsonDate(*f.lastDay) : "null");
    o += std::string(",\"sound\":") + (f.Problems() == 0 ? "true" : "false");
    o += ",\"problems\":[";
    bool first = true;
    auto item = [&](const std::string& body) {
        o += first ? "{" : ",{";
        o += body + "}";
        first = false;
    };
    auto num = [](const char* k, long long v) { return std::string(",\"") + k + "\":" + std::to_string(v); };
    auto str = [](const char* k, const std::string& v) { return std::string(",\"") + k + "\":" + v; };
    if (f.records == 0) item("\"kind\":\"no-records\"" + num("bytes", f.bytes));
    else if (f.tailBytes != 0)
        item("\"kind\":\"ragged-tail\"" + num("after_record", f.records - 1) + num("bytes", f.tailBytes));
    for (const auto& m : f.missing)
        item("\"kind\":\"missing-days\"" + str("from", JsonDate(m.fromDay)) + str("to", JsonDate(m.toDay)) +
             num("days", m.toDay - m.fromDay + 1) +
             (m.beforeRecord >= 0 ? num("before_record", m.beforeRecord) : str("before_record", "null")));
    for (const auto& r : f.repeats)
        item("\"kind\":\"repeated-date\"" + num("record", r.record) + str("date", JsonDate(r.day)) +
             num("first_record", r.firstRecord));
    for (const auto& d : f.disorder)
        item("\"kind\":\"out-of-order\"" + num("record", d.record) + str("date", JsonDate(d.day)) +
             num("after_record", d.afterRecord) + str("after_date", JsonDate(d.afterDay)));
    for (const auto& x : f.offDay)
        item("\"kind\":\"off-day\"" + num("from_record", x.records.from) + num("to_record", x.records.to) +
             num("days_late", x.offset));
    for (const auto& b : f.badDates)
        item("\"kind\":\"bad-date\"" + num("record", b.record) + str("text", Quoted(b.text, true)));
    for (const auto& b : f.badAmounts)
        item("\"kind\":\"malformed-amount\"" + num("record", b.record) + str("gauge", std::string("\"") +
             kGaugeName[b.gauge - 1] + "\"") + str("text", Quoted(b.text, true)) +
             str("flag", Quoted(std::string_view(&b.flag, 1), true)));
    for (const auto& x : f.outside)
        item("\"kind\":\"usable-outside-period\"" + str("gauge", std::string("\"") + kGaugeName[x.gauge - 1] + "\"") +
             str("period_from", JsonDate(x.fromDay)) + str("period_to", JsonDate(x.toDay)) +
             num("from_record", x.records.from) + num("to_record", x.records.to) +
             num("days", x.records.to - x.records.from + 1));
    o += "],\"gauges\":[";
    for (int g = 0; g < kGauges; ++g) o += std::string(g ? "," : "") + "\"" + kGaugeName[g] + "\"";
    o += "],\"flags\":[";
    first = true;
    for (std::size_t y = 0; y < f.flags.size(); ++y) {
        if (!f.yearSeen[y]) continue;
        o += first ? "" : ",";
        first = false;
        o += "{\"year\":" + std::to_string(1901 + y) + ",\"usable\":[";
        for (int g = 0; g < kGauges; ++g) o += (g ? "," : "") + std::to_string(f.flags[y][std::size_t(g)][0]);
        o += "],\"unusable\":[";
        for (int g = 0; g < kGauges; ++g) o += (g ? "," : "") + std::to_string(f.flags[y][std::size_t(g)][1]);
        o += "]}";
    }
    o += "]}\n";
    std::fputs(o.c_str(), stdout);
}

void Usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: morvelan-check [--json] [FILE]\n"
                 "Checks an observation file (default %.*s in the current folder) and\n"
                 "reports, with record numbers counted from 0:\n"
                 "  - a size that is not a whole number of %d-byte records;\n"
                 "  - dates that do not run one per day from 1 June 1941 to at least\n"
                 "    31 December 1971: missing days, repeated dates, dates out of order, and\n"
                 "    the records that therefore carry another day than their number stands\n"
                 "    for (record 0 is 1 June 1941; the scatter screen finds days by record\n"
                 "    number alone);\n"
                 "  - date fields that are not dates;\n"
                 "  - amounts that the program reads as 0 although they are not blank;\n"
                 "  - amounts flagged usable outside the gauge's period (Rkel 1941-06-01 to\n"
                 "    1971-12-31, the other gauges as on the scatter screen);\n"
                 "and counts the usable and unusable days of every gauge per year.\n"
                 "  --json   one JSON object on standard output, every finding listed\n"
                 "Exit status: 0 the file is sound, 1 it has problems, 2 it cannot be read\n"
                 "or the command line is wrong.\n",
                 int(FILENAAM.size()), FILENAAM.data(), RECLEN);
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    std::optional<std::string> path;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (options && (a == "--help" || a == "-h")) {
            Usage(stdout);
            return 0;
        }
        if (options && a == "--json") {
            json = true;
        } else if (options && a == "--") {
            options = false;
        } else if (options && a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "morvelan-check: unknown option %s (see --help)\n", a.c_str());
            return 2;
        } else if (path) {
            std::fprintf(stderr, "morvelan-check: one file at a time (got \"%s\" and \"%s\")\n", path->c_str(),
                         a.c_str());
            return 2;
        } else {
            path = a;
        }
    }

    Findings f;
    if (const auto error = Check(path.value_or(std::string(FILENAAM)), f)) {
        std::fprintf(stderr, "morvelan-check: %s\n", error->c_str());
        return 2;
    }
    if (json) Json(f);
    else Readable(f);
    return f.Problems() == 0 ? 0 : 1;
}
