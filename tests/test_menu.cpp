// The language screen, the main menu and the farewell, headless, at the
// coordinates the screens are drawn at.
#include <string>

#include "UNTGRAPHICS.h"
#include "UNTPROGDELEN.h"
#include "morvelan.h"
#include "support.h"

using namespace dk;
using ts::At;

namespace {

constexpr const char* kTitle[3] = {"   REGENMETER VERGELIJKING   ", "    COMPARANCE RAINGAUGES    ",
                                   "  VERGLEICHUNG REGENMESSERS  "};
constexpr const char* kHint[3] = {" navigeren met pijltoetsen,  bevestigen met KEY ",
                                  "navigation with arrow-key, confirmation with KEY",
                                  "navigation mit Pfeiltasten,  accordieren mit KEY"};

TEST(LanguageScreen, FirstPictureIsDutchWithTheCursorOnNederlands) {
    auto run = ts::Execute(ts::Keys({}), MORVELAN);
    ASSERT_TRUE(run.scriptEnded);
    EXPECT_EQ(run.title, "Kelvanoor data presentation");
    ASSERT_EQ(run.frames.size(), 1u);
    const ts::Frame& f = *run.frames[0];
    EXPECT_PIXEL(f, 0, 0, Black);
    EXPECT_TRUE(ts::TextAt(f, 90, 10, kTitle[0], Yellow, 4));
    EXPECT_TRUE(ts::TextAt(f, 244, 40, "Kelvanoor 1941-1961", Yellow));
    // Introduction box: yellow border, red inside, black outside.
    EXPECT_PIXEL(f, 70, 80, Yellow);
    EXPECT_PIXEL(f, 580, 370, Yellow);
    EXPECT_PIXEL(f, 72, 82, Red);
    EXPECT_PIXEL(f, 579, 369, Red);
    EXPECT_PIXEL(f, 69, 200, Black);
    EXPECT_TRUE(ts::TextAt(f, 96, 104, "Neerslag is \xE9\xE9n van de componenten van iedere waterbalans", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 96, 344, "PWN-boomkwekerij in Bakkum. Beide stations draaiden mee. ", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 130, 436, kHint[0], Yellow));
    // The language bar: solid red, its text, the cursor on Nederlands (178-273).
    EXPECT_TRUE(ts::TextAt(f, 178, 460, " Nederlands   English     Deutsch", Yellow, 2, false));
    EXPECT_PIXEL(f, 178, 452, Yellow);
    EXPECT_PIXEL(f, 273, 476, Yellow);
    EXPECT_PIXEL(f, 274, 452, Red);
    EXPECT_PIXEL(f, 465, 476, Red);
    EXPECT_PIXEL(f, 466, 470, Black);
    EXPECT_PIXEL(f, 177, 470, Black);
}

TEST(LanguageScreen, ArrowsSwitchTheLanguageLiveWithWrapAround) {
    // Left from Nederlands wraps to Deutsch; Right from Deutsch wraps back.
    auto run = ts::Execute(ts::Keys({"Left", "Right", "Right"}), MORVELAN);
    ASSERT_EQ(run.frames.size(), 4u);
    struct Want {
        int lang;
        const char* line1;
    };
    const Want wants[] = {{3, "Niederschlag ist eine der Komponenten jeder Wasserbilanz "},
                          {1, "Neerslag is \xE9\xE9n van de componenten van iedere waterbalans"},
                          {2, "Precipitation is one of the components of waterbalances. "}};
    for (int i = 0; i < 3; ++i) {
        const ts::Frame& f = *run.frames[i + 1];
        const int k = wants[i].lang;
        SCOPED_TRACE(k);
        // The wipe-by-redraw leaves exactly the new texts: nothing of the old remains.
        EXPECT_TRUE(ts::TextAt(f, 90, 10, kTitle[k - 1], Yellow, 4));
        EXPECT_TRUE(ts::TextAt(f, 96, 104, wants[i].line1, Yellow));
        EXPECT_TRUE(ts::TextAt(f, 130, 436, kHint[k - 1], Yellow));
        EXPECT_EQ(ts::CountColour(f, 0, 0, 639, 79, Red), 0);
        const int x1 = 178 + 96 * (k - 1);
        EXPECT_PIXEL(f, x1, 452, Yellow);
        EXPECT_PIXEL(f, x1 + 95, 476, Yellow);
        EXPECT_PIXEL(f, x1 + 1, 453, Red);  // inside the box, below its top
        // Only the current cursor box is yellow along the bar's top edge.
        EXPECT_EQ(ts::CountColour(f, 178, 452, 465, 452, Yellow), 96);
    }
    // The frames of a round trip back to Dutch equal the first picture.
    EXPECT_EQ(ts::CountColour(*run.frames[2], 0, 0, 639, 479, Yellow),
              ts::CountColour(*run.frames[0], 0, 0, 639, 479, Yellow));
}

// Main menu cursor box of entry k.
void ExpectMenuCursor(const ts::Frame& f, int k) {
    EXPECT_PIXEL(f, 110, 104 + 16 * k, Yellow);
    EXPECT_PIXEL(f, 530, 123 + 16 * k, Yellow);
    EXPECT_PIXEL(f, 320, 104 + 16 * k, Yellow);
    EXPECT_EQ(ts::CountColour(f, 110, 91, 110, 359, Yellow), 20) << "one cursor box only";
}

TEST(MainMenu, EnterAtOnceTakesDutchAndShowsTheMenu) {
    auto run = ts::Execute(ts::Keys({"Enter"}), MORVELAN);
    ASSERT_EQ(run.frames.size(), 2u);
    const ts::Frame& f = *run.frames[1];
    EXPECT_TRUE(ts::TextAt(f, 90, 10, kTitle[0], Yellow, 4));
    EXPECT_TRUE(ts::TextAt(f, 244, 40, "Kelvanoor 1941-1971", Yellow));
    EXPECT_PIXEL(f, 90, 90, Yellow);
    EXPECT_PIXEL(f, 560, 360, Yellow);
    EXPECT_PIXEL(f, 92, 92, Blue);
    EXPECT_PIXEL(f, 89, 200, Black);
    EXPECT_TRUE(ts::TextAt(f, 120, 124, "Schermlisting van de waarnemingen", Yellow, 2, false));
    EXPECT_TRUE(ts::TextAt(f, 120, 140, "Regenmetervergelijking: de opstellingen", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 120, 332, "Stoppen", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 130, 376, kHint[0], Yellow));
    ExpectMenuCursor(f, 1);
}

TEST(MainMenu, CursorKeysMoveWithWrapAroundAndCapitalsActAsArrows) {
    struct Case {
        std::vector<std::string_view> keys;
        int entry;
    };
    const Case cases[] = {
        {{"Up"}, 14},          {{"Left"}, 14},  {{"K"}, 14},        {{"H"}, 14},
        {{"Down"}, 2},         {{"Right"}, 2},  {{"M"}, 2},         {{"P"}, 2},
        {{"Up", "Down"}, 1},   {{"Up", "Right"}, 1}, {{"Down", "Down", "Up"}, 2},
    };
    for (const Case& c : cases) {
        std::vector<ts::ScriptKey> script = ts::Keys({"Enter"});
        for (auto k : c.keys) script.push_back(ts::Keys({k})[0]);
        auto run = ts::Execute(script, MORVELAN);
        SCOPED_TRACE(testing::PrintToString(std::vector<std::string>(c.keys.begin(), c.keys.end())));
        ASSERT_EQ(run.frames.size(), 2 + c.keys.size());
        ExpectMenuCursor(*run.frames.back(), c.entry);
        // The old box is wiped in the box's blue.
        if (c.entry != 1) {
            EXPECT_PIXEL(*run.frames.back(), 320, 120, Blue);
        }
    }
}

TEST(MainMenu, ConfirmingKeysStartTheEntryAndTheMenuComesBackOnIt) {
    // Entry 14 ends the program: any key that is not a cursor key confirms it.
    for (std::string_view key : {"Enter", "Esc", "7", "q", "F1", "Home", "Close"}) {
        auto run = ts::Execute(ts::Keys({"Enter", "Up", key}), MORVELAN);
        EXPECT_FALSE(run.scriptEnded) << key;
        EXPECT_EQ(run.status, 0) << key;
    }
    // Entry 3 returns to the menu, which is drawn again with the cursor on 3.
    auto run = ts::Execute(ts::Keys({"Enter", "Down", "Down", "Enter", "x"}), MORVELAN);
    ASSERT_TRUE(run.scriptEnded);
    ExpectMenuCursor(*run.frames.back(), 3);
    EXPECT_TRUE(ts::TextAt(*run.frames.back(), 120, 124, "Schermlisting van de waarnemingen", Yellow));
}

TEST(MainMenu, EnglishCaptionsAfterChoosingEnglish) {
    auto run = ts::Execute(ts::Keys({"Right", "Enter"}), MORVELAN);
    const ts::Frame& f = *run.frames.back();
    EXPECT_TRUE(ts::TextAt(f, 90, 10, kTitle[1], Yellow, 4));
    EXPECT_TRUE(ts::TextAt(f, 120, 156, "Raingauge compsrison: Observational program", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 120, 332, "Quit", Yellow));
    EXPECT_TRUE(ts::TextAt(f, 130, 376, kHint[1], Yellow));
}

TEST(Farewell, EntryFourteenSaysDitWasHetForOneSecondAndEnds) {
    auto run = ts::Execute(ts::Keys({"Enter", "Up", "Enter"}), MORVELAN);
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(run.scriptEnded);
    EXPECT_TRUE(run.closed);
    ASSERT_EQ(run.calls.size(), 1u);
    EXPECT_FALSE(run.calls[0].sound);
    EXPECT_EQ(run.calls[0].ms, 1000);
    ts::Frame f = TheCanvas().px;
    EXPECT_TRUE(ts::TextAt(f, 270, 200, "Dit was het", White));
    EXPECT_EQ(ts::CountColour(f, 0, 0, 639, 479, Black) + ts::CountColour(f, 0, 0, 639, 479, White),
              kWidth * kHeight);
}

// The key reader and the queue under it.
TEST(Keys, LeeskeyDiscardsTypedAheadKeysAndSkipsTheExtendedPrefix) {
    static char got[4];
    auto run = ts::Execute({ts::Keys({"a"})[0], ts::KeyAhead("b"), ts::Keys({"Up"})[0], ts::Keys({"Close"})[0],
                            ts::Keys({"F12"})[0]},
                           [] {
                               GRHAALDRIVER();
                               QueueKey("z");  // typed while a screen was drawing
                               for (char& c : got) LEESKEY(c);
                           });
    EXPECT_FALSE(run.scriptEnded);
    // "z" was waiting and is discarded; "a" then arrives with "b" typed right behind it:
    // the next LEESKEY discards "b" too.
    EXPECT_EQ(got[0], 'a');
    EXPECT_EQ(static_cast<unsigned char>(got[1]), 72);
    EXPECT_EQ(static_cast<unsigned char>(got[2]), 107);  // a close request: the window stays
    EXPECT_EQ(static_cast<unsigned char>(got[3]), 134);
    EXPECT_FALSE(run.closed && run.frames.size() < 4);
}

TEST(Keys, AFullQueueDropsTheOldestKeysWhole) {
    static std::string read;
    read.clear();
    ts::Execute({}, [] {
        GRHAALDRIVER();
        for (int i = 0; i < 40; ++i) QueueKey(std::string(1, char('A' + i % 26)));
        EXPECT_EQ(QueuedBytes(), kQueueSize);
        QueueKey(std::string{'\0', char(72)});  // an extended key needs two bytes: two old ones go
        EXPECT_EQ(QueuedBytes(), kQueueSize);
        while (KeyPressed()) read += ReadKey();
    });
    ASSERT_EQ(read.size(), 31u);
    EXPECT_EQ(read.substr(0, 3), "LMN");  // the first 11 letters were dropped
    EXPECT_EQ(read[29], '\0');
    EXPECT_EQ(read[30], char(72));

    // Dropping for room never splits an extended key.
    read.clear();
    ts::Execute({}, [] {
        GRHAALDRIVER();
        for (int i = 0; i < 15; ++i) QueueKey(std::string{'\0', char(80)});
        QueueKey("x");  // 30 + 1 bytes: full
        QueueKey("y");  // drops the whole oldest arrow
        while (KeyPressed()) read += ReadKey();
    });
    ASSERT_EQ(read.size(), 30u);
    EXPECT_EQ(read[0], '\0');
    EXPECT_EQ(read.substr(28), "xy");
}

TEST(Toolkit, GrschermClearsTheWholeWindowWhateverTheViewport) {
    auto run = ts::Execute({}, [] {
        GRHAALDRIVER();
        SetViewPort(100, 100, 200, 200, false);
        GRSCHERM(Yellow, Blue);
        EXPECT_EQ(TheCanvas().color, Yellow);
        EXPECT_EQ(TheCanvas().bkcolor, Blue);
        EXPECT_TRUE(TheCanvas().clip);
        ReadKey();
    });
    EXPECT_EQ(ts::CountColour(*run.frames[0], 0, 0, 639, 479, Blue), kWidth * kHeight);
}

TEST(Toolkit, GretiketWipesOldContentsAndStopsAtTextInTheBorderColour) {
    auto run = ts::Execute({}, [] {
        GRHAALDRIVER();
        GRKLEUR(White);
        OutTextXY(100, 100, "old text");
        GRKLEUR(Yellow);
        OutTextXY(100, 130, "O");  // in the border colour: its hole is not reached
        GRETIKET(90, 90, 300, 200, Yellow, Red);
        EXPECT_EQ(TheCanvas().color, Yellow);
        EXPECT_EQ(TheCanvas().fillcolor, Red);
        ReadKey();
    });
    const ts::Frame& f = *run.frames[0];
    EXPECT_EQ(ts::CountColour(f, 0, 0, 639, 479, White), 0);
    EXPECT_PIXEL(f, 92, 92, Red);
    EXPECT_PIXEL(f, 103, 137, Black);  // inside the "O"
    EXPECT_TRUE(ts::TextAt(f, 100, 130, "O", Yellow));
}

}  // namespace
