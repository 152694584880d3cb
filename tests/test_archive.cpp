// The observation file: the numeric field rule, day numbers, and the file
// operations the reading screens rely on.
#include <fcntl.h>
#include <sys/stat.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "UNTPROGDELEN.h"
#include "UNTREGM0.h"
#include "UNTREGM1.h"
#include "morvelan.h"
#include "support.h"

namespace {

// --- Numeric field rule --------------------------------------------------------

struct NumCase {
    const char* text;
    double decimal;        // REEELGETAL
    std::int32_t whole;    // HEELGETAL
};

const NumCase kNumCases[] = {
    {"  12", 12, 12},         // right-aligned gauge amount
    {"12  ", 0, 0},           // trailing blanks spoil both forms
    {"    ", 0, 0},           // blank field
    {"", 0, 0},
    {"  -3", -3, -3},
    {"+5", 5, 5},
    {"-", 0, 0},              // lone sign
    {"+", 0, 0},
    {"  + ", 0, 0},
    {"- 3", 0, 0},            // sign and digits must touch
    {"+5.5", 5.5, 0},         // only the decimal form takes a point
    {"1E1", 10, 0},           // exponent: decimal form only
    {"2e-1", 0.2, 0},
    {"9E99", 9e99, 0},
    {"1E", 0, 0},             // exponent without digits
    {"E5", 0, 0},             // exponent without mantissa
    {"1E400", 0, 0},          // beyond a double: not a number
    {".", 0, 0},              // no digit
    {".5", 0.5, 0},
    {"5.", 5, 0},
    {"\t7", 7, 7},            // leading tab is skipped
    {" \t 8", 8, 8},
    {"7\t", 0, 0},            // trailing tab is not
    {"1 2", 0, 0},
    {"0x1A", 0, 0},
    {"12a", 0, 0},
    {"0012", 12, 12},
    {"2147483647", 2147483647.0, 2147483647},
    {"-2147483648", -2147483648.0, -2147483647 - 1},
    {"2147483648", 2147483648.0, 0},  // beyond 32 bits: whole form gives 0
    {"99999999999999999999", 1e20, 0},
};

TEST(NumericField, DecimalAndWholeFormsOnTraps) {
    for (const auto& c : kNumCases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        EXPECT_EQ(REEELGETAL(c.text), c.decimal);
        EXPECT_EQ(HEELGETAL(c.text), c.whole);
    }
}

TEST(NumericField, LongTextsUpToAStringsLength) {
    // A field text can be as long as a string: 255 characters.
    const std::string zeros(250, '0');
    EXPECT_EQ(REEELGETAL(zeros + "1.5"), 1.5);
    EXPECT_EQ(REEELGETAL(std::string(251, ' ') + "-2.5"), -2.5);
    EXPECT_DOUBLE_EQ(REEELGETAL("." + std::string(253, '0') + "5"), 5e-254);
    EXPECT_EQ(HEELGETAL(zeros + "12345"), 12345);
}

TEST(NumericField, ReadsOnlyTheTextGivenNotWhatFollowsIt) {
    // A field is a view into the record: the character after it must not count.
    const std::string rec = "  12X";
    EXPECT_EQ(REEELGETAL(std::string_view(rec).substr(0, 4)), 12);
    EXPECT_EQ(HEELGETAL(std::string_view(rec).substr(0, 4)), 12);
    EXPECT_EQ(REEELGETAL(std::string_view("5.5E1", 3)), 5.5);
}

// --- Day numbers -----------------------------------------------------------------

struct DayCase {
    const char* date;
    std::int32_t number;
};

const DayCase kDayCases[] = {
    {"010101", 1},       // 1 January 1901
    {"410601", 14762},   // first record of the file
    {"410701", 14792},   // record 30
    {"711231", 25932},   // last day any screen refers to
    {"440228", 15764},
    {"440229", 15765},
    {"440301", 15766},   // leap year: two after 28 February
    {"430228", 15399},
    {"430301", 15400},   // common year: one after
    {"411301", DAGNUMMER("411201")},  // month 13 is December
    {"410001", DAGNUMMER("410101")},  // month 00 is January
    {"410600", 14761},   // day 00 of June is 31 May
    {"410531", 14761},
    {"419901", DAGNUMMER("411201")},  // month 99 as well
    {"41061 ", DAGNUMMER("410600")},  // malformed day reads as 0
    {"41-101", DAGNUMMER("410101")},  // negative month reads as 0, then January
    {"-10601", DAGNUMMER("000601")},  // no "-": the year reads as 0
    {"000101", -364},    // year 00 counts back from 1901
    {"", -365},
};

TEST(DayNumber, Table) {
    for (const auto& c : kDayCases) {
        SCOPED_TRACE(std::string("date \"") + c.date + "\"");
        EXPECT_EQ(DAGNUMMER(c.date), c.number);
    }
}

TEST(DayNumber, CountsEveryRealDayOnce) {
    // Walk the calendar from 1 January 1901 to 31 December 1999.
    static const int len[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::int32_t want = 0;
    for (int y = 1; y <= 99; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= len[m - 1] + (m == 2 && y % 4 == 0 ? 1 : 0); ++d) {
                char t[16];
                std::snprintf(t, sizeof t, "%02d%02d%02d", y, m, d);
                ASSERT_EQ(DAGNUMMER(t), ++want) << t;
            }
}

// --- File operations -------------------------------------------------------------

// Runs `body` headless and returns the run, so that run-time errors show as
// the run's status.
ts::Run Headless(std::function<void()> body) { return ts::Execute({}, std::move(body)); }

TEST(ObservationFile, CountsWholeRecordsOnly) {
    for (int n : {0, 1, 3, 24}) {
        SCOPED_TRACE(n);
        ts::TempDir dir;
        dir.Write("MORVELAN.VSs", ts::Days(1941, 6, 1, n) + std::string(50, 'x'));
        std::int32_t count = -1;
        bool endAfterAll = false;
        auto run = Headless([&] {
            OPENVS();
            count = AANTALVS();
            for (int i = 0; i < n; ++i) LEESVS();
            endAfterAll = EINDEVS();
            LEESVS();  // the 50 bytes are no record
        });
        EXPECT_EQ(count, n);
        EXPECT_TRUE(endAfterAll);
        EXPECT_EQ(run.status, 100) << run.errorText;
    }
}

TEST(ObservationFile, PositionsAndReadsByRecordNumber) {
    ts::TempDir dir;
    const std::string bytes = ts::Days(1941, 6, 1, 1200, [](ts::Day& d) { d.amounts[0] = d.day; });
    dir.Write("MORVELAN.VSs", bytes);
    std::string got[5];
    bool endBefore = true, endAt = false;
    auto run = Headless([&] {
        OPENVS();
        LEESVS();
        got[0] = std::string(SREC.sv());
        ZOEKVS(30);
        LEESVS();
        got[1] = std::string(SREC.DEEL(6, 8));
        ZOEKVS(1199);
        endBefore = EINDEVS();
        LEESVS();
        got[2] = std::string(REC.DATA, RECLEN);
        endAt = EINDEVS();
        ZOEKVS(600);  // back again, beyond what one buffer holds
        LEESVS();
        got[3] = std::string(SREC.sv());
        OPENVS();  // opening again starts at record 0
        LEESVS();
        got[4] = std::string(SREC.DEEL(6, 8));
    });
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_EQ(got[0], bytes.substr(0, 101));
    EXPECT_EQ(got[1], "19410701");  // record 30 is 1 July 1941
    EXPECT_FALSE(endBefore);
    EXPECT_EQ(got[2], bytes.substr(1199 * 101, 101));
    EXPECT_TRUE(endAt);
    EXPECT_EQ(got[3], bytes.substr(600 * 101, 101));
    EXPECT_EQ(got[4], "19410601");
}

TEST(ObservationFile, GaugeCellsByPosition) {
    ts::TempDir dir;
    ts::Day day{1944, 2, 29, {12, 0, -3, 9999, -1000, 5, 40, 77}, "0 9A8123", ""};
    dir.Write("MORVELAN.VSs", ts::Record(day));
    double amount[8] = {};
    char flag[8] = {};
    auto run = Headless([&] {
        OPENVS();
        LEESVS();
        for (int g = 1; g <= 8; ++g) {
            amount[g - 1] = REEELGETAL(SREC.DEEL(57 + 5 * g, 4));
            flag[g - 1] = SREC[61 + 5 * g];
        }
    });
    ASSERT_EQ(run.status, 0) << run.errorText;
    const double wantAmount[8] = {12, 0, -3, 9999, 0, 5, 40, 77};
    for (int g = 0; g < 8; ++g) {
        EXPECT_EQ(amount[g], wantAmount[g]) << "gauge " << g + 1;
        EXPECT_EQ(flag[g], day.flags[g]) << "gauge " << g + 1;
    }
}

TEST(ObservationFile, MissingFileEndsTheProgramWithError2) {
    ts::TempDir dir;  // empty: no observation file
    // Language, menu entry 1.
    auto run = ts::Execute(ts::Keys({"Enter", "Enter", "Enter", "Enter"}), MORVELAN);
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(run.scriptEnded);
    EXPECT_NE(run.errorText.find("Runtime error 2"), std::string::npos) << run.errorText;
    EXPECT_NE(run.errorText.find("MORVELAN.VSs"), std::string::npos) << run.errorText;
    EXPECT_NE(run.errorText.find(dir.path()), std::string::npos) << run.errorText;
    EXPECT_NE(run.errorText.find("No such file"), std::string::npos) << run.errorText;
    // Nothing of the listing was drawn: the last picture is the menu's.
    ASSERT_EQ(run.frames.size(), 2u);
}

TEST(ObservationFile, ADirectoryOfThatNameIsRefused) {
    ts::TempDir dir;
    ASSERT_EQ(mkdir((dir.path() + "/MORVELAN.VSs").c_str(), 0755), 0);
    auto run = ts::ExecuteScreen(ts::Keys({"Enter"}), [] { SCHERMLISTING(1); });
    EXPECT_EQ(run.status, 5) << run.errorText;
    EXPECT_NE(run.errorText.find("MORVELAN.VSs"), std::string::npos) << run.errorText;
}

TEST(ObservationFile, ListingLeavesTheFileUntouched) {
    ts::TempDir dir;
    const std::string bytes = ts::Days(1941, 6, 1, 400);
    dir.Write("MORVELAN.VSs", bytes);
    const std::string path = dir.path() + "/MORVELAN.VSs";
    // An old modification time, so that any write would show.
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);

    // Page around, switch views, leave; then once more through the menu.
    auto run = ts::ExecuteScreen(
        ts::Keys({"Right", "Right", "Enter", "Enter", "Left", "Left", "Left", "Enter", "Right", "Right", "Enter", "Left", "Enter"}),
        [] { SCHERMLISTING(2); });
    ASSERT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded);
    auto menu = ts::Execute(ts::Keys({"Enter", "Enter", "Enter", "Up", "Enter"}), MORVELAN);
    ASSERT_EQ(menu.status, 0) << menu.errorText;

    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);
    std::ifstream in(path, std::ios::binary);
    std::stringstream now;
    now << in.rdbuf();
    EXPECT_EQ(now.str(), bytes);
}

}  // namespace
