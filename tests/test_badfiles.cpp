// Every reading screen on files that are not what they should be: missing,
// a directory, a pipe, empty, short, ragged, random bytes, broken into lines,
// absurd amounts, very large, truncated or removed between screens and
// truncated while a pass reads it. Each either works (malformed fields read
// as 0) or ends with its numbered run-time error naming the file.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <random>
#include <string>

#include "UNTGRAPHICS.h"
#include "UNTREGM0.h"
#include "UNTREGM1.h"
#include "UNTREGM3.h"
#include "UNTREGM4.h"
#include "support.h"

namespace {

using ts::ScriptKey;

// How each reading screen is entered and left again.
struct Screen {
    const char* name;
    void (*run)();
    std::vector<ScriptKey> keys;
};

const std::vector<Screen>& Screens() {
    static const std::vector<Screen> s = [] {
        std::vector<Screen> v;
        v.push_back({"listing", [] { SCHERMLISTING(1); }, ts::Keys({"Right", "Right", "Enter", "Left", "Left", "Enter"})});
        // The listing: +23dg, then back to QUIT.
        v.back().keys = ts::Keys({"Right", "Right", "Enter", "Left", "Left", "Enter"});
        for (int k = 0; k < 8; ++k) {
            static void (*const variants[8])() = {
                [] { TOONVANGVERLIES(1, 0); }, [] { TOONVANGVERLIES(2, 1); }, [] { TOONVANGVERLIES(3, 2); },
                [] { TOONVANGVERLIES(1, 3); }, [] { TOONVANGVERLIES(2, 4); }, [] { TOONVANGVERLIES(3, 5); },
                [] { TOONVANGVERLIES(1, 6); }, [] { TOONVANGVERLIES(2, 7); }};
            static const char* names[8] = {"loss0", "loss1", "loss2", "loss3", "loss4", "loss5", "loss6", "loss7"};
            v.push_back({names[k], variants[k], ts::Keys({"x"})});
        }
        // The scatter screen plots R15, then R4N, then leaves through QUIT.
        v.push_back({"scatter", [] { PUNTENWOLKEN(1); },
                     ts::Keys({"Left", "Enter", "Left", "Left", "Left", "Enter"})});
        return v;
    }();
    return s;
}

std::string Sample(int days) {
    return ts::Days(1941, 6, 1, days, [](ts::Day& d) {
        for (int g = 0; g < 8; ++g) d.amounts[g] = (d.day * 7 + g * 3) % 40 - (g == 0 ? 0 : g);
    });
}

struct FileCase {
    const char* name;
    std::string (*bytes)();
    int status;  // expected of every screen
};

std::string RandomBytes() {
    std::mt19937 gen(42);
    std::string s(101 * 60 + 17, '\0');
    for (char& c : s) c = char(gen() & 0xFF);
    return s;
}
std::string EditorLines(const char* eol) {
    const std::string recs = Sample(400);
    std::string out;
    for (std::size_t i = 0; i < recs.size(); i += 101) out += recs.substr(i, 101) + eol;
    return out;
}
std::string Absurd() {
    std::string s = Sample(200);
    const char* amounts[] = {"9E99", "-999", " 1E1", "1E-9", "   .", "+0.5", "\t\t12"};
    for (std::size_t r = 0; r * 101 < s.size(); ++r)
        for (int g = 0; g < 8; ++g) s.replace(r * 101 + 61 + 5 * g, 4, amounts[(r + g) % 7]);
    return s;
}

const FileCase kCases[] = {
    {"empty", [] { return std::string(); }, 0},
    {"five_records", [] { return Sample(5); }, 0},
    {"twenty_three_records", [] { return Sample(23); }, 0},
    {"ragged_tail", [] { return Sample(500) + std::string(50, '7'); }, 0},
    {"random_bytes", RandomBytes, 0},
    {"lines_102", [] { return EditorLines("\n"); }, 0},
    {"lines_103", [] { return EditorLines("\r\n"); }, 0},
    {"absurd_amounts", Absurd, 0},
    {"century", [] { return Sample(36525); }, 0},
};

class BadFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(BadFile, EveryReadingScreenWorksOrFailsCleanly) {
    ts::TempDir dir;
    const std::string bytes = GetParam().bytes();
    dir.Write("MORVELAN.VSs", bytes);
    struct stat before {};
    stat("MORVELAN.VSs", &before);
    for (const Screen& s : Screens()) {
        SCOPED_TRACE(s.name);
        auto run = ts::ExecuteScreen(s.keys, s.run, false);
        EXPECT_EQ(run.status, GetParam().status) << run.errorText;
        EXPECT_FALSE(run.scriptEnded) << "the screen did not return with its keys";
    }
    struct stat after {};
    stat("MORVELAN.VSs", &after);
    EXPECT_EQ(after.st_size, off_t(bytes.size()));
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

INSTANTIATE_TEST_SUITE_P(Files, BadFile, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Files that cannot be opened: the run-time error names the file and why.
TEST(BadFile, MissingDirectoryAndPipeAreRunTimeErrors) {
    struct Case {
        const char* name;
        void (*make)();
        int status;
        const char* reason;
    };
    const Case cases[] = {
        {"missing", [] {}, 2, "No such file or directory"},
        {"directory", [] { mkdir("MORVELAN.VSs", 0755); }, 5, "it is a directory"},
        {"pipe", [] { mkfifo("MORVELAN.VSs", 0644); }, 5, "it is not a regular file"},
        {"unreadable", [] {
             const int fd = open("MORVELAN.VSs", O_CREAT | O_WRONLY, 0);
             close(fd);
         },
         geteuid() == 0 ? 0 : 5, "Permission denied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ts::TempDir dir;
        c.make();
        for (const Screen& s : Screens()) {
            SCOPED_TRACE(s.name);
            auto run = ts::ExecuteScreen(s.keys, s.run, false);
            EXPECT_EQ(run.status, c.status) << run.errorText;
            if (c.status != 0) {
                EXPECT_NE(run.errorText.find("Runtime error " + std::to_string(c.status) + ": cannot open MORVELAN.VSs in " +
                                             dir.path() + ": " + c.reason),
                          std::string::npos)
                    << run.errorText;
                // Nothing of the screen was drawn: the window is as the menu left it.
                ASSERT_FALSE(run.frames.empty() && run.status == 0);
            }
        }
    }
}

// The same file variable serves every screen: a file that shrinks or goes
// away between two screens is read afresh.
TEST(BadFile, TruncatedOrRemovedBetweenScreens) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Sample(3000));
    auto listing = ts::ExecuteScreen(ts::Keys({"Right", "Right", "Right", "Right", "Right", "Enter", "Left", "Left",
                                               "Left", "Left", "Left", "Enter"}),
                                     [] { SCHERMLISTING(1); });
    ASSERT_EQ(listing.status, 0);
    ASSERT_EQ(truncate("MORVELAN.VSs", 101 * 40), 0);
    for (const Screen& s : Screens()) {
        SCOPED_TRACE(s.name);
        auto run = ts::ExecuteScreen(s.keys, s.run, false);
        EXPECT_EQ(run.status, 0) << run.errorText;
    }
    ASSERT_EQ(unlink("MORVELAN.VSs"), 0);
    for (const Screen& s : Screens()) {
        SCOPED_TRACE(s.name);
        auto run = ts::ExecuteScreen(s.keys, s.run, false);
        EXPECT_EQ(run.status, 2) << run.errorText;
    }
}

// A file cut short while the catch-loss pass reads it: the pass ends where
// the file now ends.
TEST(BadFile, TruncatedWhileThePassReadsIt) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", Sample(8000));
    for (long at : {1L, 700L, 4000L}) {
        SCOPED_TRACE(at);
        static long cutAt;
        cutAt = at;
        dk::headless::Run run;
        run.script = ts::Keys({"x"});
        run.keepAllFrames = false;
        run.onPoll = [](long n) {
            if (n == cutAt && truncate("MORVELAN.VSs", 101 * 1000 + 30) != 0) std::perror("truncate");
        };
        dk::headless::Execute(run, [] {
            GRHAALDRIVER();
            dk::SetTextStyle(0, 0, 2);
            TOONVANGVERLIES(1, 7);
        });
        EXPECT_EQ(run.status, 0) << run.errorText;
        EXPECT_FALSE(run.scriptEnded);
        dir.Write("MORVELAN.VSs", Sample(8000));
    }
}

long PeakKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// A file of a few hundred megabytes: the listing jumps, the pass runs to the
// end and memory stays flat.
TEST(BadFile, VeryLargeFileKeepsMemoryFlat) {
    ts::TempDir dir;
    const std::string year = Sample(3653);  // ten years
    {
        const int fd = open("MORVELAN.VSs", O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        for (int i = 0; i < 800; ++i)  // about 295 MB, 2 922 400 days
            ASSERT_EQ(write(fd, year.data(), year.size()), ssize_t(year.size()));
        close(fd);
    }
    [[maybe_unused]] const long before = PeakKiB();
    auto listing = ts::ExecuteScreen(ts::Keys({"Right", "Right", "Right", "Right", "Right", "Enter", "Enter", "Left",
                                               "Left", "Left", "Left", "Left", "Enter"}),
                                     [] { SCHERMLISTING(1); }, false);
    EXPECT_EQ(listing.status, 0) << listing.errorText;
    auto pass = ts::ExecuteScreen(ts::Keys({"x"}), [] { TOONVANGVERLIES(1, 1); }, false);
    EXPECT_EQ(pass.status, 0) << pass.errorText;
    EXPECT_FALSE(pass.scriptEnded);
#if !defined(__SANITIZE_ADDRESS__)
    // (AddressSanitizer keeps freed memory in quarantine; the plain build measures.)
    EXPECT_LT(PeakKiB() - before, 16 * 1024) << "KiB more at the peak";
#endif
}

}  // namespace
