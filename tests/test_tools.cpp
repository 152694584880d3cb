// The tools beside the program, run as the processes a user starts: the
// picture taker, the sample writer and the file checker.
#include <png.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "UNTPROGDELEN.h"
#include "UNTREGM4.h"
#include "morvelan.h"
#include "sample.h"
#include "support.h"

namespace {

namespace fs = std::filesystem;

struct Ran {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs a tool in the current folder; arguments hold no single quotes.
Ran Tool(const std::string& name, const std::vector<std::string>& args) {
    std::string cmd = "'" TOOLS_DIR "/" + name + "'";
    for (const auto& a : args) cmd += " '" + a + "'";
    cmd += " >.tool-out 2>.tool-err </dev/null";
    const int rc = std::system(cmd.c_str());
    Ran r;
    r.status = rc != -1 && WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    r.out = Slurp(".tool-out");
    r.err = Slurp(".tool-err");
    fs::remove(".tool-out");
    fs::remove(".tool-err");
    return r;
}

// Names in the current folder, and below it with their folder.
std::set<std::string> Files() {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator("."))
        if (e.is_regular_file()) names.insert(e.path().lexically_relative(".").string());
    return names;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::string& Sample() {
    static const std::string s = SampleObservations();
    return s;
}

// --- Pictures -------------------------------------------------------------------------

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> px;  // 0x00RRGGBB
    std::uint32_t At(int x, int y) const { return px[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

Picture ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture p;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return p;
    p.width = int(image.width);
    p.height = int(image.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        p.px.push_back(std::uint32_t(rgb[i]) << 16 | std::uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
    return p;
}

// The picture shows the frame, each pixel as a scale x scale square.
::testing::AssertionResult Shows(const Picture& p, const ts::Frame& f, int scale) {
    if (p.width != 640 * scale || p.height != 480 * scale)
        return ::testing::AssertionFailure() << "picture is " << p.width << " x " << p.height;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if (p.At(x, y) != (ts::At(f, x / scale, y / scale) & 0xFFFFFF))
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") differs";
    return ::testing::AssertionSuccess();
}

// --- morvelan-shot ----------------------------------------------------------------------

TEST(ShotTool, WritesOnePictureOfTheProgramPerWaitForAKey) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Sample());
    // Language screen, menu, menu with the cursor moved, the gauge set-ups.
    const Ran r = Tool("morvelan-shot", {"Enter", "Down", "Enter"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.err, "4 pictures written")) << r.err;

    const ts::Run same = ts::Execute(ts::Keys({"Enter", "Down", "Enter"}), MORVELAN);
    ASSERT_EQ(same.frames.size(), 4u);
    EXPECT_EQ(Files(), (std::set<std::string>{"MORVELAN.VSs", "shot001.png", "shot002.png", "shot003.png",
                                              "shot004.png"}));
    for (int i = 0; i < 4; ++i) {
        const std::string name = "shot00" + std::to_string(i + 1) + ".png";
        EXPECT_TRUE(Shows(ReadPng(name), *same.frames[std::size_t(i)], 1)) << name;
    }
}

TEST(ShotTool, LastPictureScaledUnderAPrefix) {
    ts::TempDir dir;
    fs::create_directory("pics");
    const Ran r = Tool("morvelan-shot", {"--last", "--scale", "2", "--prefix", "pics/menu", "Enter"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Files(), std::set<std::string>{"pics/menu.png"});
    const ts::Run same = ts::Execute(ts::Keys({"Enter"}), MORVELAN);
    // Every pixel of the menu doubled: a 1280 x 960 picture.
    EXPECT_TRUE(Shows(ReadPng("pics/menu.png"), *same.frames.back(), 2));

    // No keys at all: the language screen.
    ASSERT_EQ(Tool("morvelan-shot", {"--last"}).status, 0);
    const ts::Run first = ts::Execute({}, MORVELAN);
    EXPECT_TRUE(Shows(ReadPng("shot.png"), *first.frames.back(), 1));
}

TEST(ShotTool, ARunTimeErrorOfTheProgramIsStatusOneAfterThePicturesBeforeIt) {
    ts::TempDir dir;  // no observation file: the listing cannot open it
    const Ran r = Tool("morvelan-shot", {"Enter", "Enter"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "Runtime error 2")) << r.err;
    EXPECT_TRUE(Has(r.err, "2 pictures written; the program stopped with run-time error 2")) << r.err;
    EXPECT_EQ(Files(), (std::set<std::string>{"shot001.png", "shot002.png"}));
}

TEST(ShotTool, HelpAndWrongCommandLines) {
    ts::TempDir dir;
    const Ran help = Tool("morvelan-shot", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Has(help.out, "usage: morvelan-shot")) << help.out;
    EXPECT_TRUE(Has(help.out, "PgDn")) << "the key names are listed";

    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"Enter", "Bogus"}, "unknown key \"Bogus\""},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"--scale"}, "--scale needs a value"},
        {{"--scale", "0"}, "--scale takes a whole number from 1 to 8, not \"0\""},
        {{"--scale", "9"}, "--scale takes a whole number from 1 to 8, not \"9\""},
        {{"--scale", "2x"}, "--scale takes a whole number from 1 to 8, not \"2x\""},
        {{"--scale", ""}, "--scale takes a whole number from 1 to 8, not \"\""},
        {{"--prefix"}, "--prefix needs a value"},
        {{"--prefix", ""}, "--prefix needs a non-empty value"},
        {{"--prefix", "no/such/folder/x", "Enter"}, "cannot write no/such/folder/x001.png"},
    };
    for (const Case& c : cases) {
        const Ran r = Tool("morvelan-shot", c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_TRUE(Has(r.err, "morvelan-shot: " + c.message)) << r.err;
        EXPECT_TRUE(Files().empty()) << c.message << ": nothing is written";
    }
}

// --- morvelan-sample ----------------------------------------------------------------------

TEST(SampleTool, WritesTheSampleAndNothingElse) {
    ts::TempDir dir;
    const Ran r = Tool("morvelan-sample", {});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Has(r.out, "wrote MORVELAN.VSs (11171 records of 101 bytes)")) << r.out;
    EXPECT_EQ(Files(), std::set<std::string>{"MORVELAN.VSs"});
    EXPECT_EQ(fs::file_size("MORVELAN.VSs"), 1128271u);
    EXPECT_TRUE(Slurp("MORVELAN.VSs") == Sample());
}

TEST(SampleTool, KeepsAnExistingFileUnlessForced) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", "my own observations");
    const Ran r = Tool("morvelan-sample", {});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.err, "MORVELAN.VSs already exists here; use --force to replace it")) << r.err;
    EXPECT_EQ(Slurp("MORVELAN.VSs"), "my own observations");
    EXPECT_EQ(Files(), std::set<std::string>{"MORVELAN.VSs"}) << "no temporary file is left";

    for (const char* force : {"--force", "-f"}) {
        dir.Write("MORVELAN.VSs", "my own observations");
        ASSERT_EQ(Tool("morvelan-sample", {force}).status, 0) << force;
        EXPECT_TRUE(Slurp("MORVELAN.VSs") == Sample()) << force;
        EXPECT_EQ(Files(), std::set<std::string>{"MORVELAN.VSs"});
    }
}

TEST(SampleTool, HelpAndUnknownArguments) {
    ts::TempDir dir;
    const Ran help = Tool("morvelan-sample", {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(Has(help.out, "usage: morvelan-sample [--force]")) << help.out;
    for (const char* wrong : {"--forse", "extra.VSs"}) {
        const Ran r = Tool("morvelan-sample", {wrong});
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_TRUE(Has(r.err, std::string("unknown argument \"") + wrong + "\"")) << r.err;
    }
    EXPECT_TRUE(Files().empty());
}

// --- morvelan-check -------------------------------------------------------------------------

std::int32_t Day(int y, int m, int d) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d%02d%02d", y % 100, m, d);
    return DAGNUMMER(b);
}
const std::int32_t kFirst = Day(1941, 6, 1);
std::int32_t Rec(int y, int m, int d) { return Day(y, m, d) - kFirst; }

// Period of gauge number g (1..8) as day numbers.
bool InPeriod(int g, std::int32_t dn) {
    if (g == 1) return dn >= kFirst && dn <= Day(1971, 12, 31);
    return dn >= DAGNUMMER(APERIODEN[g - 2].SN) && dn <= DAGNUMMER(APERIODEN[g - 2].SX);
}

// A sound file of n days from 1 June 1941: every gauge reads 1.2 mm flagged
// usable in its period and is blank and flagged "9" outside it.
std::vector<std::string> SoundRecords(int n) {
    std::vector<std::string> recs;
    const std::string all = ts::Days(1941, 6, 1, n, [](ts::Day& d) {
        const std::int32_t dn = Day(d.year, d.month, d.day);
        for (int g = 1; g <= 8; ++g) {
            const bool in = InPeriod(g, dn);
            d.amounts[g - 1] = in ? 12 : -1000;
            d.flags[std::size_t(g - 1)] = in ? '0' : '9';
        }
    });
    for (std::size_t i = 0; i < all.size(); i += 101) recs.push_back(all.substr(i, 101));
    return recs;
}
std::string Join(const std::vector<std::string>& recs) {
    std::string s;
    for (const auto& r : recs) s += r;
    return s;
}
constexpr int kSeries = 11171;  // 1 June 1941 to 31 December 1971

void SetCell(std::string& rec, int g, const std::string& amount, char flag) {
    rec.replace(std::size_t(56 + 5 * g), 4, amount);
    rec[std::size_t(60 + 5 * g)] = flag;
}

TEST(CheckTool, TheSampleIsSound) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Sample());
    const Ran r = Tool("morvelan-check", {});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(Has(r.out, "MORVELAN.VSs: 11171 records of 101 bytes, dated 1941-06-01 to 1971-12-31")) << r.out;
    EXPECT_TRUE(Has(r.out, "The file is sound")) << r.out;
    // In 1941 R4N had not started yet and R232 started on 1 July.
    EXPECT_TRUE(Has(r.out, "  1941     214/0     214/0     211/3     0/214     214/0     214/0     214/0    184/30"))
        << r.out;

    const Ran j = Tool("morvelan-check", {"--json"});
    EXPECT_EQ(j.status, 0);
    EXPECT_TRUE(Has(j.out, "\"sound\":true,\"problems\":[],")) << j.out.substr(0, 300);
    EXPECT_TRUE(Has(j.out, "\"gauges\":[\"Rkel\",\"R4t\",\"R4\",\"R4N\",\"R15\",\"R15N\",\"R235\",\"R232\"]"));
}

// One file with a fault of every kind; each is found where it was planted, and
// nothing else is reported.
TEST(CheckTool, FindsEveryPlantedFault) {
    ts::TempDir dir;
    std::vector<std::string> recs = SoundRecords(kSeries + 2);  // two days into 1972
    const int gap = Rec(1942, 3, 10), repeat = Rec(1943, 5, 5), swap = Rec(1944, 7, 20),
              bad = Rec(1945, 3, 1), amount = Rec(1946, 6, 1), outside = Rec(1956, 1, 10);
    // Positions stay aligned outside gap .. repeat: one record is dropped, one repeated.
    recs[std::size_t(swap)].swap(recs[std::size_t(swap) + 1]);
    recs[std::size_t(bad)].replace(5, 8, "19450230");
    SetCell(recs[std::size_t(amount)], 5, "12  ", '0');               // R15
    SetCell(recs[std::size_t(outside)], 6, "  30", '0');              // R15N after 1955
    SetCell(recs[std::size_t(kSeries)], 1, "  15", '0');              // Rkel in 1972
    SetCell(recs[std::size_t(kSeries + 1)], 1, "   0", '9');          // the same, unusable: fine
    recs.insert(recs.begin() + repeat + 1, recs[std::size_t(repeat)]);  // the repeat
    recs.erase(recs.begin() + gap);                                     // the gap, before it
    dir.Write("MORVELAN.VSs", Join(recs) + std::string(50, 'x'));

    const Ran j = Tool("morvelan-check", {"--json"});
    EXPECT_EQ(j.status, 1);
    const auto n = [](int v) { return std::to_string(v); };
    const std::string want[] = {
        "{\"kind\":\"ragged-tail\",\"after_record\":" + n(kSeries + 1) + ",\"bytes\":50}",
        "{\"kind\":\"missing-days\",\"from\":\"1942-03-10\",\"to\":\"1942-03-10\",\"days\":1,\"before_record\":" +
            n(gap) + "}",
        "{\"kind\":\"missing-days\",\"from\":\"1945-03-01\",\"to\":\"1945-03-01\",\"days\":1,\"before_record\":" +
            n(bad + 1) + "}",
        "{\"kind\":\"repeated-date\",\"record\":" + n(repeat) + ",\"date\":\"1943-05-05\",\"first_record\":" +
            n(repeat - 1) + "}",
        "{\"kind\":\"out-of-order\",\"record\":" + n(swap + 1) + ",\"date\":\"1944-07-20\",\"after_record\":" +
            n(swap) + ",\"after_date\":\"1944-07-21\"}",
        "{\"kind\":\"off-day\",\"from_record\":" + n(gap) + ",\"to_record\":" + n(repeat - 1) + ",\"days_late\":1}",
        "{\"kind\":\"off-day\",\"from_record\":" + n(swap) + ",\"to_record\":" + n(swap) + ",\"days_late\":1}",
        "{\"kind\":\"off-day\",\"from_record\":" + n(swap + 1) + ",\"to_record\":" + n(swap + 1) + ",\"days_late\":-1}",
        "{\"kind\":\"bad-date\",\"record\":" + n(bad) + ",\"text\":\"19450230\"}",
        "{\"kind\":\"malformed-amount\",\"record\":" + n(amount) + ",\"gauge\":\"R15\",\"text\":\"12  \",\"flag\":\"0\"}",
        "{\"kind\":\"usable-outside-period\",\"gauge\":\"R15N\",\"period_from\":\"1941-06-01\",\"period_to\":"
        "\"1955-12-31\",\"from_record\":" + n(outside) + ",\"to_record\":" + n(outside) + ",\"days\":1}",
        "{\"kind\":\"usable-outside-period\",\"gauge\":\"Rkel\",\"period_from\":\"1941-06-01\",\"period_to\":"
        "\"1971-12-31\",\"from_record\":" + n(kSeries) + ",\"to_record\":" + n(kSeries) + ",\"days\":1}",
    };
    std::size_t items = 0;
    for (std::size_t at = 0; (at = j.out.find("{\"kind\"", at)) != std::string::npos; ++at) ++items;
    EXPECT_EQ(items, std::size(want)) << j.out.substr(0, 3000);
    for (const auto& w : want) EXPECT_TRUE(Has(j.out, w)) << "missing " << w;

    // The readable report says the same.
    const Ran r = Tool("morvelan-check", {});
    EXPECT_EQ(r.status, 1);
    const std::string lines[] = {
        "the 50 bytes after record " + n(kSeries + 1) + " are never read",
        "Days missing (2):\n  1942-03-10, before record " + n(gap) + "\n  1945-03-01, before record " + n(bad + 1),
        "record " + n(repeat) + " repeats 1943-05-05 of record " + n(repeat - 1),
        "record " + n(swap + 1) + " (1944-07-20) comes after 1944-07-21 (record " + n(swap) + ")",
        "records " + n(gap) + " to " + n(repeat - 1) + ": dated 1 day late",
        "record " + n(swap + 1) + ": dated 1 day early",
        "record " + n(bad) + ": \"19450230\"",
        "record " + n(amount) + ", R15: \"12  \" (flagged usable)",
        "R15N (period 1941-06-01 to 1955-12-31): record " + n(outside) + ", 1 day",
        "Rkel (period 1941-06-01 to 1971-12-31): record " + n(kSeries) + ", 1 day",
        "\n12 problems found.\n",
    };
    for (const auto& l : lines) EXPECT_TRUE(Has(r.out, l)) << "missing: " << l << "\n" << r.out;
}

TEST(CheckTool, DateFieldsThatAreNotDates) {
    ts::TempDir dir;
    std::vector<std::string> recs = SoundRecords(kSeries);
    const std::string texts[] = {"19410631", "19411301", "19410700", "1941-7-1", "        ", "20410705",
                                 "19410 06", "1941070\x01"};
    for (std::size_t i = 0; i < std::size(texts); ++i) recs[40 + 2 * i].replace(5, 8, texts[i]);
    dir.Write("MORVELAN.VSs", Join(recs));
    const Ran j = Tool("morvelan-check", {"--json"});
    EXPECT_EQ(j.status, 1);
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        std::string shown = texts[i];
        if (i == 7) shown = "1941070\\u0001";
        EXPECT_TRUE(Has(j.out, "{\"kind\":\"bad-date\",\"record\":" + std::to_string(40 + 2 * i) + ",\"text\":\"" +
                                   shown + "\"}"))
            << texts[i];
    }
    std::size_t bad = 0;
    for (std::size_t at = 0; (at = j.out.find("\"bad-date\"", at)) != std::string::npos; ++at) ++bad;
    EXPECT_EQ(bad, std::size(texts)) << "every other date, 29 February 1944 included, is a date";
}

TEST(CheckTool, AmountsThatReadAsZeroButAreNotBlank) {
    ts::TempDir dir;
    struct Case {
        std::string text;
        bool malformed;
    };
    const Case cases[] = {
        {"    ", false}, {"   0", false}, {"  -0", false}, {" 0.0", false}, {"0e12", false}, {"  12", false},
        {"12  ", true},  {" 1 2", true},  {"   .", true},  {"  - ", true},  {" 1e ", true},  {"\t\t\t\t", true},
        {"  x1", true},  {"1,20", true},
    };
    std::vector<std::string> recs = SoundRecords(kSeries);
    for (std::size_t i = 0; i < std::size(cases); ++i) SetCell(recs[100 + i], 3, cases[i].text, '0');  // R4
    dir.Write("MORVELAN.VSs", Join(recs));
    const Ran j = Tool("morvelan-check", {"--json"});
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::string shown = cases[i].text == "\t\t\t\t" ? "\\u0009\\u0009\\u0009\\u0009" : cases[i].text;
        EXPECT_EQ(Has(j.out, "{\"kind\":\"malformed-amount\",\"record\":" + std::to_string(100 + i) +
                                 ",\"gauge\":\"R4\",\"text\":\"" + shown + "\""),
                  cases[i].malformed)
            << "\"" << cases[i].text << "\"";
    }
}

TEST(CheckTool, FlagsPerGaugeAndYear) {
    ts::TempDir dir;
    std::vector<std::string> recs = SoundRecords(kSeries);
    // R4 in 1941: blank and "8" are usable, "9" and "A" are not.
    SetCell(recs[10], 3, "  12", ' ');
    SetCell(recs[11], 3, "  12", '8');
    SetCell(recs[12], 3, "  12", '9');
    SetCell(recs[13], 3, "  12", 'A');
    dir.Write("MORVELAN.VSs", Join(recs));
    const Ran r = Tool("morvelan-check", {"--json"});
    EXPECT_EQ(r.status, 0) << r.out.substr(0, 500);
    EXPECT_TRUE(Has(r.out, "{\"year\":1941,\"usable\":[214,214,212,0,214,214,214,184],"
                           "\"unusable\":[0,0,2,214,0,0,0,30]}"))
        << r.out.substr(r.out.find("\"flags\""), 300);
    EXPECT_TRUE(Has(r.out, "{\"year\":1971,\"usable\":[365,0,0,365,0,0,0,0],"
                           "\"unusable\":[0,365,365,0,365,365,365,365]}"));
}

TEST(CheckTool, LongListsAreCappedButCompleteInJson) {
    ts::TempDir dir;
    std::vector<std::string> recs = SoundRecords(kSeries);
    for (int i = 0; i < 25; ++i) SetCell(recs[std::size_t(200 + i)], 2, "??  ", '0');
    dir.Write("obs.VSs", Join(recs));
    const Ran r = Tool("morvelan-check", {"obs.VSs"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.out, "Amounts that read as 0 but are not blank (25):\n  record 200, R4t: \"??  \"")) << r.out;
    EXPECT_TRUE(Has(r.out, "  record 209, R4t: \"??  \" (flagged usable)\n  ... and 15 more\n")) << r.out;
    EXPECT_FALSE(Has(r.out, "record 210, R4t"));
    const Ran j = Tool("morvelan-check", {"--json", "obs.VSs"});
    EXPECT_TRUE(Has(j.out, "{\"kind\":\"malformed-amount\",\"record\":224,"));
}

TEST(CheckTool, ShortEmptyAndUnreadableFiles) {
    ts::TempDir dir;
    // A file that stops early: its last days are missing.
    dir.Write("MORVELAN.VSs", Join(SoundRecords(100)));
    Ran r = Tool("morvelan-check", {});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.out, "1941-09-09 to 1971-12-31 (11071 days), at the end of the file")) << r.out;

    dir.Write("MORVELAN.VSs", "");
    r = Tool("morvelan-check", {});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.out, "Size: 0 bytes, not one whole record of 101 bytes")) << r.out;
    dir.Write("MORVELAN.VSs", std::string(100, ' '));
    r = Tool("morvelan-check", {"--json"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Has(r.out, "\"problems\":[{\"kind\":\"no-records\",\"bytes\":100},{\"kind\":\"missing-days\"")) << r.out;

    fs::create_directory("folder");
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"absent.VSs"}, "cannot open absent.VSs: No such file or directory"},
        {{"folder"}, "cannot read folder: it is a directory"},
        {{"--jsn"}, "unknown option --jsn"},
        {{"a.VSs", "b.VSs"}, "one file at a time"},
    };
    for (const Case& c : cases) {
        r = Tool("morvelan-check", c.args);
        EXPECT_EQ(r.status, 2) << c.message;
        EXPECT_TRUE(Has(r.err, "morvelan-check: " + c.message)) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    fs::remove("MORVELAN.VSs");
    r = Tool("morvelan-check", {"--json"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Has(r.err, "cannot open MORVELAN.VSs: No such file or directory")) << r.err;

    r = Tool("morvelan-check", {"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(Has(r.out, "usage: morvelan-check [--json] [FILE]")) << r.out;
}

}  // namespace
