// The real program in a real X server: its window, real key events, the
// close request, a run-time error's message box, and the end by entry 14.
#include <X11/keysym.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "support.h"
#include "xserver.h"

namespace {

constexpr const char* kTitle = "Kelvanoor data presentation";

unsigned Px(const std::vector<unsigned>& p, int x, int y) { return p[std::size_t(y) * 640 + x]; }

// Waits until every (x, y, colour) holds in a screenshot.
struct Want {
    int x, y;
    unsigned colour;
};
bool WaitFor(ts::XServer& x, Window w, std::initializer_list<Want> wants, std::vector<unsigned>& shot,
             int timeoutMs = 5000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        bool all = x.Grab(w, shot);
        for (const Want& k : wants) all = all && Px(shot, k.x, k.y) == k.colour;
        if (all) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

long CpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream f(s.substr(s.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && f >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) stime = std::stol(field);
    }
    return utime + stime;
}

class RealWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!x.ok()) {
            if (std::getenv("CI") != nullptr) FAIL() << x.error();
            GTEST_SKIP() << x.error();
        }
    }
    ts::XServer x;
    ts::TempDir dir;
};

TEST_F(RealWindow, LanguageScreenKeysCloseRequestAndEntryFourteen) {
    ts::Program prog(MORVELAN_BINARY, dir.path(), x.display());
    const Window w = x.FindWindow(kTitle, 10000);
    ASSERT_NE(w, 0u) << prog.Stderr();
    std::vector<unsigned> shot;

    // The language screen: red introduction box, cursor on Nederlands.
    ASSERT_TRUE(WaitFor(x, w, {{72, 82, dk::Red}, {178, 452, dk::Yellow}, {274, 452, dk::Red}, {0, 0, dk::Black}},
                        shot));
    EXPECT_EQ(Px(shot, 70, 80), dk::Yellow);

    // While it waits for a key it uses no CPU to speak of.
    const long before = CpuTicks(prog.pid());
    std::this_thread::sleep_for(std::chrono::seconds(1));
    EXPECT_LE(CpuTicks(prog.pid()) - before, 3) << "clock ticks used in one second of waiting";

    // A real arrow key moves the cursor to English.
    x.Key(w, XK_Right);
    ASSERT_TRUE(WaitFor(x, w, {{274, 452, dk::Yellow}, {178, 452, dk::Red}}, shot));

    // A close request does not close the window: it confirms like a key and
    // the menu (blue box) appears.
    x.CloseRequest(w);
    ASSERT_TRUE(WaitFor(x, w, {{92, 92, dk::Blue}, {90, 90, dk::Yellow}, {110, 120, dk::Yellow}}, shot));
    EXPECT_TRUE(x.Exists(w));
    EXPECT_TRUE(prog.Running());

    // Up wraps to entry 14; Enter says farewell and ends within two seconds.
    x.Key(w, XK_Up);
    ASSERT_TRUE(WaitFor(x, w, {{110, 328, dk::Yellow}, {110, 120, dk::Blue}}, shot));
    const auto start = std::chrono::steady_clock::now();
    x.Key(w, XK_Return);
    // Keys during the farewell's delay are taken into the queue and change nothing.
    for (unsigned long k : {XK_a, XK_Return, XK_Down}) x.Key(w, k);
    int status = -1;
    ASSERT_TRUE(prog.Wait(2000, status)) << "still running two seconds after entry 14";
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(status, 0) << prog.Stderr();
    EXPECT_GE(took, std::chrono::milliseconds(990)) << "the farewell stands for one second";
}

TEST_F(RealWindow, AnEnlargedWindowScalesThePictureByWholeMultiplesCentred) {
    ts::Program prog(MORVELAN_BINARY, dir.path(), x.display());
    const Window w = x.FindWindow(kTitle, 10000);
    ASSERT_NE(w, 0u) << prog.Stderr();
    std::vector<unsigned> shot;
    ASSERT_TRUE(WaitFor(x, w, {{72, 82, dk::Red}}, shot));
    // 1300 x 1000 holds the picture twice over, with 10 and 20 pixels to spare on each side.
    x.Resize(w, 1300, 1000);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    auto at = [&](int px, int py) { return x.Pixel(w, 10 + 2 * px, 20 + 2 * py); };
    while (std::chrono::steady_clock::now() < until &&
           !(at(72, 82) == dk::Red && x.Pixel(w, 11 + 2 * 178, 21 + 2 * 452) == dk::Yellow))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    // Each canvas pixel becomes a 2 x 2 block, nearest neighbour, never blurred.
    for (auto [px, py] : {std::pair{72, 82}, {178, 452}, {274, 452}, {70, 200}, {96, 104}, {100, 110}})
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(x.Pixel(w, 10 + 2 * px + d % 2, 20 + 2 * py + d / 2), Px(shot, px, py)) << px << "," << py;
    EXPECT_EQ(x.Pixel(w, 5, 5), dk::Black);        // the border
    EXPECT_EQ(x.Pixel(w, 1295, 995), dk::Black);
}

TEST_F(RealWindow, RunTimeErrorShowsAMessageBoxAndEndsWithItsNumber) {
    // No observation file: the listing cannot open it.
    ts::Program prog(MORVELAN_BINARY, dir.path(), x.display());
    const Window w = x.FindWindow(kTitle, 10000);
    ASSERT_NE(w, 0u) << prog.Stderr();
    std::vector<unsigned> shot;
    ASSERT_TRUE(WaitFor(x, w, {{72, 82, dk::Red}}, shot));
    x.Key(w, XK_Return);
    ASSERT_TRUE(WaitFor(x, w, {{92, 92, dk::Blue}}, shot));
    x.Key(w, XK_Return);
    const Window box = x.FindWindow("Error", 10000);
    ASSERT_NE(box, 0u) << "no message box titled Error; stderr: " << prog.Stderr();
    const std::string want = "Runtime error 2: cannot open MORVELAN.VSs in " + dir.path() + ": No such file or directory";
    EXPECT_NE(prog.Stderr().find(want), std::string::npos) << prog.Stderr();
    EXPECT_TRUE(prog.Running()) << "the box waits to be dismissed";
    x.Key(box, XK_Return);
    int status = -1;
    ASSERT_TRUE(prog.Wait(5000, status));
    EXPECT_EQ(status, 2);
}

TEST_F(RealWindow, SigintAndSigtermEndTheProgramPromptly) {
    for (int sig : {SIGINT, SIGTERM}) {
        ts::Program prog(MORVELAN_BINARY, dir.path(), x.display());
        const Window w = x.FindWindow(kTitle, 10000);
        ASSERT_NE(w, 0u) << prog.Stderr();
        kill(prog.pid(), sig);
        int status = -1;
        ASSERT_TRUE(prog.Wait(1000, status)) << sig;
        EXPECT_EQ(status, 128 + sig);
        // The window is gone before the next one is looked for.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (x.Exists(w) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST(NoDisplay, SaysSoAndExitsNonZero) {
    ts::TempDir dir;
    ts::Program prog(MORVELAN_BINARY, dir.path(), "");
    int status = -1;
    ASSERT_TRUE(prog.Wait(5000, status));
    EXPECT_NE(status, 0);
    EXPECT_LT(status, 128) << "ended by a signal";
    EXPECT_NE(prog.Stderr().find("no display"), std::string::npos) << prog.Stderr();
}

}  // namespace
