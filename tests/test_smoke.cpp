#include "support.h"
#include "morvelan.h"
TEST(Smoke, Farewell) {
    auto run = ts::Execute(ts::Keys({"Enter", "Up", "Enter"}), MORVELAN);
    EXPECT_EQ(run.status, 0);
    EXPECT_FALSE(run.scriptEnded);
}
