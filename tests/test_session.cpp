// Whole sessions through the menu on the sample file: every screen visited
// and left, by an ordinary key and by the window's close request, with the
// working directory unchanged afterwards; and a storm of keys during a pass.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <map>

#include "UNTREGM0.h"
#include "UNTREGM3.h"
#include "morvelan.h"
#include "sample.h"
#include "support.h"

namespace {

struct Entry {
    off_t size;
    long long mtimeNs;
};

std::map<std::string, Entry> Listing(const std::string& dir) {
    std::map<std::string, Entry> out;
    DIR* d = opendir(dir.c_str());
    while (dirent* e = readdir(d)) {
        struct stat st {};
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        stat((dir + "/" + name).c_str(), &st);
        out[name] = {st.st_size, st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
    }
    closedir(d);
    return out;
}

// Keys that visit entries 1 to 13 in turn, leaving each with `confirm`, then end.
std::vector<ts::ScriptKey> VisitEverything(std::string_view confirm) {
    std::vector<std::string_view> names = {"Enter", confirm};  // language, then entry 1
    names.push_back(confirm);                                   // the listing's QUIT cell
    for (int entry = 2; entry <= 12; ++entry) {
        names.push_back("Down");
        names.push_back(confirm);  // start the screen
        names.push_back(confirm);  // the key that leaves it
    }
    names.push_back("Down");
    names.push_back(confirm);  // entry 13 plots R15
    for (int i = 0; i < 4; ++i) names.push_back("Left");
    names.push_back(confirm);  // QUIT
    names.push_back("Down");
    names.push_back(confirm);  // entry 14
    std::vector<ts::ScriptKey> keys;
    for (auto n : names) keys.push_back(ts::Keys({n})[0]);
    return keys;
}

class Session : public ::testing::TestWithParam<const char*> {};

TEST_P(Session, EveryScreenIsLeftAndNothingIsWritten) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", SampleObservations());
    dir.Write("notes.txt", "untouched\n");
    const auto before = Listing(dir.path());
    auto run = ts::Execute(VisitEverything(GetParam()), MORVELAN, false);
    EXPECT_EQ(run.status, 0) << run.errorText;
    EXPECT_FALSE(run.scriptEnded) << "the session did not reach the farewell";
    EXPECT_EQ(Listing(dir.path()).size(), before.size());
    for (const auto& [name, e] : Listing(dir.path())) {
        ASSERT_TRUE(before.count(name)) << name << " appeared";
        EXPECT_EQ(e.size, before.at(name).size) << name;
        EXPECT_EQ(e.mtimeNs, before.at(name).mtimeNs) << name;
    }
    // The observation file was opened for reading only.
    ASSERT_GE(F.fd, 0);
    EXPECT_EQ(fcntl(F.fd, F_GETFL) & O_ACCMODE, O_RDONLY);
    SLUITVS();
}

INSTANTIATE_TEST_SUITE_P(Keys, Session, ::testing::Values("Enter", "Close"),
                         [](const auto& info) { return std::string(info.param); });

TEST(KeyStorm, ThousandsOfKeysDuringAPassStopItAndAreDiscarded) {
    ts::TempDir dir;
    dir.Write("MORVELAN.VSs", SampleObservations());
    std::vector<ts::ScriptKey> script;
    for (int i = 0; i < 5000; ++i) script.push_back(ts::KeyAtPoll(i % 2 ? "Up" : "a", 2000 + i));
    script.push_back(ts::Keys({"x"})[0]);
    static int periodEnds;
    periodEnds = 0;
    PERIODEEINDE = [](const VANGVERLIESSTAND&) { ++periodEnds; };
    auto run = ts::ExecuteScreen(script, [] { TOONVANGVERLIES(1, 1); }, false);
    PERIODEEINDE = nullptr;
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(run.scriptEnded);
    // The pass stopped at the first key, after record 1999 (about 33 two-month periods).
    EXPECT_EQ(periodEnds, 33);
    EXPECT_LE(dk::QueuedBytes(), dk::kQueueSize);
    ASSERT_EQ(run.calls.size(), 1u);
    EXPECT_TRUE(run.calls[0].sound);
}

}  // namespace
