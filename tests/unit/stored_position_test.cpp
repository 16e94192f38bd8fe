#include "settings/stored_position.h"

#include "settings/profile_number.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const int32_t kPrimaryWidth = 1024;
const int32_t kPrimaryHeight = 768;
const WindowCorner kCentred = {442, 326};
const int32_t C = INT32_MIN; // stands for the centred coordinate in the tables

const MonitorRect kPrimary = {0, 0, 1024, 768};
const MonitorRect kLeftOfPrimary = {-1280, 0, 0, 1024};
const MonitorRect kAbovePrimary = {0, -768, 1024, 0};
// Taller than the primary, so there is a gap below the primary and left of it.
const MonitorRect kRightOfPrimaryTaller = {1024, 0, 2944, 1200};
// Smaller than the primary and level with its bottom: a gap above it.
const MonitorRect kLeftOfPrimarySmaller = {-800, 168, 0, 768};

struct CornerCase {
    const char *name;
    std::vector<MonitorRect> monitors;
    const char *left;
    const char *top;
    int32_t expectedLeft; // C: centred
    int32_t expectedTop;
};

WindowCorner Resolve(const std::vector<MonitorRect> &monitors, const char *left, const char *top)
{
    ScreenLayout screens = {kPrimaryWidth, kPrimaryHeight, monitors.data(),
                            static_cast<int>(monitors.size())};
    return ResolveStoredCorner(left, top, screens, kCentred);
}

void ExpectCorners(const CornerCase *cases, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const CornerCase &c = cases[i];
        WindowCorner corner = Resolve(c.monitors, c.left, c.top);
        EXPECT_EQ(c.expectedLeft == C ? kCentred.left : c.expectedLeft, corner.left)
            << c.name << ": left";
        EXPECT_EQ(c.expectedTop == C ? kCentred.top : c.expectedTop, corner.top)
            << c.name << ": top";
    }
}

TEST(StoredPosition, OneScreenKeepsEveryRuleOfEachCoordinate)
{
    const std::vector<MonitorRect> one = {kPrimary};
    const CornerCase cases[] = {
        {"no file", one, "(none)", "(none)", C, C},
        {"negative top", one, "300", "-5", 300, C},
        {"letters give zero", one, "abc", "200", 0, 200},
        {"empty value gives zero", one, "300", "", 300, 0},
        {"digits before letters", one, "+7", "12px", 7, 12},
        {"zero", one, "0", "0", 0, 0},
        {"just inside", one, "1023", "767", 1023, 767},
        {"equal to the screen size", one, "1024", "768", C, C},
        {"beyond the screen", one, "1025", "769", C, C},
        {"negative left", one, "-1", "100", C, 100},
        {"2^32 wraps to zero", one, "4294967396", "4294967296", 100, 0},
        {"2^31 wraps negative", one, "-4294967196", "2147483648", 100, C},
        {"only the exact marker is absent", one, "(NONE)", "(none)", 0, C},
        {"left alone", one, "300", "(none)", 300, C},
        {"minimised on Windows", one, "-32000", "-32000", C, C},
    };
    ExpectCorners(cases, sizeof cases / sizeof cases[0]);
}

TEST(StoredPosition, APointOnAnyMonitorIsKeptAsItIs)
{
    const std::vector<MonitorRect> left = {kPrimary, kLeftOfPrimary};
    const std::vector<MonitorRect> above = {kPrimary, kAbovePrimary};
    const std::vector<MonitorRect> right = {kRightOfPrimaryTaller, kPrimary};
    const std::vector<MonitorRect> smaller = {kPrimary, kLeftOfPrimarySmaller};
    const CornerCase cases[] = {
        {"on a monitor to the left", left, "-1000", "100", -1000, 100},
        {"at that monitor's top left", left, "-1280", "0", -1280, 0},
        {"below the primary on the left monitor", left, "-10", "1000", -10, 1000},
        {"left of the left monitor", left, "-1281", "100", C, 100},
        {"below the left monitor", left, "-1000", "1024", C, C},
        {"on a monitor above", above, "100", "-500", 100, -500},
        {"above the monitor above", above, "100", "-769", 100, C},
        {"on a monitor of another size", right, "2000", "1000", 2000, 1000},
        {"just right of the primary", right, "1100", "100", 1100, 100},
        {"in the gap below the primary", right, "500", "900", 500, C},
        {"right of every monitor", right, "2944", "100", C, 100},
        {"in the gap above a smaller monitor", smaller, "-500", "100", C, 100},
        {"on the smaller monitor", smaller, "-500", "200", -500, 200},
        {"the primary still counts", left, "300", "200", 300, 200},
        {"a key absent", left, "-1000", "(none)", C, C},
        {"text read as a number", left, "-1000px", " 100", -1000, 100},
    };
    ExpectCorners(cases, sizeof cases / sizeof cases[0]);
}

TEST(StoredPosition, NoMonitorKnownKeepsEveryRuleOfEachCoordinate)
{
    const std::vector<MonitorRect> none;
    const CornerCase cases[] = {
        {"inside the primary", none, "300", "200", 300, 200},
        {"negative", none, "-1000", "100", C, 100},
    };
    ExpectCorners(cases, sizeof cases / sizeof cases[0]);
}

// On one screen the point is on the monitor exactly when both coordinates pass
// on their own, so the whole choice is today's, coordinate by coordinate.
TEST(StoredPosition, OneScreenAgreesWithEachCoordinateOnItsOwn)
{
    const char *texts[] = {"(none)",     "(NONE)",      "",     "abc",  "0",
                           "1",          "-1",          "12px", "767",  "768",
                           "769",        "1023",        "1024", "1025", "4294967296",
                           "2147483648", "-2147483648", " 5",   "+5",   "-0"};
    const std::vector<MonitorRect> one = {kPrimary};
    for (const char *left : texts) {
        for (const char *top : texts) {
            WindowCorner corner = Resolve(one, left, top);
            EXPECT_EQ(ResolveStoredCoordinate(left, kPrimaryWidth, kCentred.left), corner.left)
                << '"' << left << "\", \"" << top << '"';
            EXPECT_EQ(ResolveStoredCoordinate(top, kPrimaryHeight, kCentred.top), corner.top)
                << '"' << left << "\", \"" << top << '"';
        }
    }
}

// The start asks the primary screen first and walks the other monitors only
// when the stored point is not on it: the answer must be the same either way.
TEST(StoredPosition, APointOnThePrimaryNeedsNoOtherMonitor)
{
    const std::vector<MonitorRect> primaryOnly = {kPrimary};
    const std::vector<std::vector<MonitorRect>> layouts = {
        {kPrimary, kLeftOfPrimary},
        {kRightOfPrimaryTaller, kPrimary},
        {kPrimary, kLeftOfPrimarySmaller, kAbovePrimary}};
    const struct {
        const char *left;
        const char *top;
        bool onPrimary;
    } cases[] = {
        {"300", "200", true},   {"0", "0", true},          {"1023", "767", true},
        {"1024", "100", false}, {"-1000", "100", false},   {"100", "-500", false},
        {"500", "900", false},  {"300", "(none)", false},  {"(none)", "(none)", false},
        {"12px", " 5", true},   {"4294967396", "7", true}, {"-1", "0", false},
    };
    ScreenLayout primary = {kPrimaryWidth, kPrimaryHeight, primaryOnly.data(), 1};
    for (const auto &c : cases) {
        EXPECT_EQ(c.onPrimary, IsStoredCornerShown(c.left, c.top, primary))
            << c.left << ", " << c.top;
        if (!c.onPrimary)
            continue;
        WindowCorner fromPrimary = Resolve(primaryOnly, c.left, c.top);
        for (const std::vector<MonitorRect> &layout : layouts) {
            WindowCorner fromAll = Resolve(layout, c.left, c.top);
            EXPECT_EQ(fromAll.left, fromPrimary.left) << c.left;
            EXPECT_EQ(fromAll.top, fromPrimary.top) << c.top;
        }
    }
}

} // namespace
