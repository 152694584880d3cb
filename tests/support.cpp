#include "support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "UNTGRAPHICS.h"
#include "keynames.h"
#include "pngfile.h"

namespace ts {

std::vector<ScriptKey> Keys(std::initializer_list<std::string_view> names) {
    return dk::headless::Keys(names);
}

ScriptKey KeyAtPoll(std::string_view name, long n) {
    auto b = dk::KeyBytes(name);
    if (!b) throw std::invalid_argument("unknown key");
    return {*b, ScriptKey::When::AtPoll, n};
}

ScriptKey KeyAhead(std::string_view name) {
    auto b = dk::KeyBytes(name);
    if (!b) throw std::invalid_argument("unknown key");
    return {*b, ScriptKey::When::Ahead, 0};
}

namespace {
std::function<void()> gBody;
void callBody() { gBody(); }
}  // namespace

Run Execute(std::vector<ScriptKey> script, std::function<void()> body, bool keepAllFrames) {
    Run run;
    run.script = std::move(script);
    run.keepAllFrames = keepAllFrames;
    gBody = std::move(body);
    dk::headless::Execute(run, callBody);
    gBody = nullptr;
    return run;
}

Run ExecuteScreen(std::vector<ScriptKey> script, std::function<void()> screen, bool keepAllFrames) {
    return Execute(
        std::move(script),
        [screen = std::move(screen)] {
            GRHAALDRIVER();
            dk::SetTextStyle(0, 0, 2);
            dk::SetLineStyle(dk::SolidLn, 0, dk::NormWidth);
            screen();
        },
        keepAllFrames);
}

std::string ColourName(Colour c) {
    switch (c) {
        case dk::Black: return "Black";
        case dk::Blue: return "Blue";
        case dk::Red: return "Red";
        case dk::LightGray: return "LightGray";
        case dk::Yellow: return "Yellow";
        case dk::White: return "White";
        default: {
            char b[16];
            std::snprintf(b, sizeof b, "#%06X", c);
            return b;
        }
    }
}

std::string SaveFrame(const std::string& name, const Frame& f) {
    mkdir(TEST_OUTPUT_DIR, 0755);
    std::string path = std::string(TEST_OUTPUT_DIR) + "/" + name + ".png";
    std::string error;
    dk::WritePng(path, f.data(), 1, error);
    return path;
}

namespace {
std::string testName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string n = info ? std::string(info->test_suite_name()) + "." + info->name() : "frame";
    for (char& c : n)
        if (c == '/') c = '_';
    return n;
}
}  // namespace

::testing::AssertionResult PixelIs(const Frame& f, int x, int y, Colour want) {
    const Colour got = At(f, x, y);
    if (got == want) return ::testing::AssertionSuccess();
    const std::string path = SaveFrame(testName(), f);
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << ColourName(got)
                                         << ", expected " << ColourName(want) << "; picture: " << path;
}

int CountColour(const Frame& f, int x1, int y1, int x2, int y2, Colour c) {
    int n = 0;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            if (At(f, x, y) == c) ++n;
    return n;
}

::testing::AssertionResult TextAt(const Frame& f, int x, int y, std::string_view text, Colour c, int size,
                                  bool exact) {
    static auto ref = std::make_unique<dk::Canvas>();
    ref->Reset();
    ref->SetTextStyle(0, 0, size);
    ref->SetColor(dk::White);
    ref->OutTextXY(x, y, text);
    const int w = ref->CharWidth() * int(text.size()), h = ref->CharHeight();
    for (int yy = y; yy < y + h && yy < dk::kHeight; ++yy)
        for (int xx = x; xx < x + w && xx < dk::kWidth; ++xx) {
            const bool glyph = ref->At(xx, yy) == dk::White;
            const bool coloured = At(f, xx, yy) == c;
            if (glyph ? !coloured : (exact && coloured)) {
                const std::string path = SaveFrame(testName(), f);
                return ::testing::AssertionFailure()
                       << "text \"" << text << "\" at (" << x << ", " << y << ") differs at (" << xx << ", " << yy
                       << "): " << ColourName(At(f, xx, yy)) << "; picture: " << path;
            }
        }
    return ::testing::AssertionSuccess();
}

TempDir::TempDir() {
    char buf[4096];
    if (getcwd(buf, sizeof buf) != nullptr) old_ = buf;
    char tmpl[] = "/tmp/morvelan-test-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
    if (chdir(path_.c_str()) != 0) throw std::runtime_error("chdir failed");
}

TempDir::~TempDir() {
    if (!old_.empty() && chdir(old_.c_str()) != 0) std::perror("chdir");
    const std::string cmd = "rm -rf '" + path_ + "'";
    if (std::system(cmd.c_str()) != 0) std::perror("rm");
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ + "/" + name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string RecordWithCells(int year, int month, int day, const std::string& cells40) {
    char head[17];
    std::snprintf(head, sizeof head, "OBSV %04d%02d%02d   ", year, month, day);
    std::string r(head);
    r.append(45, ' ');
    r += cells40.substr(0, 40);
    r.resize(101, ' ');
    return r;
}

std::string Record(const Day& d) {
    std::string cells;
    for (int g = 0; g < 8; ++g) {
        char a[16];
        if (d.amounts[g] < -999) std::snprintf(a, sizeof a, "    ");
        else std::snprintf(a, sizeof a, "%4d", d.amounts[g]);
        cells += std::string(a).substr(0, 4);
        cells += g < int(d.flags.size()) ? d.flags[g] : '0';
    }
    std::string r = RecordWithCells(d.year, d.month, d.day, cells);
    if (!d.terms.empty()) r.replace(16, 45, (d.terms + std::string(45, ' ')).substr(0, 45));
    return r;
}

std::string Days(int y, int m, int d, int n, const std::function<void(Day&)>& fill) {
    static const int len[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    std::string out;
    for (int i = 0; i < n; ++i) {
        Day day{y, m, d, {0, 0, 0, 0, 0, 0, 0, 0}, "00000000", ""};
        if (fill) fill(day);
        out += Record(day);
        const int ml = len[m - 1] + (m == 2 && y % 4 == 0 ? 1 : 0);
        if (++d > ml) {
            d = 1;
            if (++m > 12) { m = 1; ++y; }
        }
    }
    return out;
}

}  // namespace ts
