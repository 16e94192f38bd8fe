#include "picker/oklab.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace
{

// Expected values from python3 with Ottosson's matrices and the C library's
// cbrt, hypot and atan2.
const struct {
    ColorSample color;
    double lightness, chroma, hue;
} kOklchCases[] = {
    {{10, 200, 64}, 0.725035052048, 0.221537994763, 145.6974050152},
    {{255, 0, 0}, 0.627955360615, 0.257683307736, 29.2338851923},
    {{0, 0, 255}, 0.452013718385, 0.313214371665, 264.0520206381},
    {{255, 255, 0}, 0.967982720327, 0.211005907726, 109.7692320765},
    {{139, 69, 19}, 0.470783513404, 0.112142489770, 50.8452242721},
};

TEST(Oklab, OklchOfColorsMatchesReferenceValues)
{
    for (const auto &c : kOklchCases) {
        SCOPED_TRACE(std::to_string(c.color.red) + "," + std::to_string(c.color.green) + "," +
                     std::to_string(c.color.blue));
        OklchColor lch = OklchOf(OklabOf(c.color));
        EXPECT_NEAR(c.lightness, lch.lightness, 1e-11);
        EXPECT_NEAR(c.chroma, lch.chroma, 1e-11);
        EXPECT_NEAR(c.hue, lch.hue, 1e-8);
    }
}

// The way back is in single precision, far finer than an 8-bit step (the
// smallest, near black, is 3e-4 in linear light).
TEST(Oklab, LinearOfOklabUndoesOklabOfLinear)
{
    for (int red = 0; red <= 4; ++red) {
        for (int green = 0; green <= 4; ++green) {
            for (int blue = 0; blue <= 4; ++blue) {
                const double linear[3] = {red / 4.0, green / 4.0, blue / 4.0};
                double back[3];
                LinearOfOklab(OklabOfLinear(linear), back);
                for (int channel = 0; channel < 3; ++channel)
                    EXPECT_NEAR(linear[channel], back[channel], 2e-6) << red << green << blue;
            }
        }
    }
}

TEST(Oklab, OklabOfOklchUndoesOklchOf)
{
    for (const auto &c : kOklchCases) {
        OklabColor lab = OklabOf(c.color);
        OklabColor back = OklabOfOklch(OklchOf(lab));
        EXPECT_NEAR(0.0, SquaredOklabDistance(lab, back), 1e-28);
    }
    // White's lightness is 1 to eight places in Ottosson's matrices.
    OklabColor black = OklabOf({0, 0, 0});
    OklabColor white = OklabOf({255, 255, 255});
    EXPECT_NEAR(1.0, SquaredOklabDistance(black, white), 1e-7);
}

// Python's cos and sin of radians(degrees); the last of 325.5, the angle
// 1000045.5 leaves after whole turns.
TEST(Oklab, CosineAndSineMatchReferenceValuesAtAnyAngle)
{
    const struct {
        double degrees, cosine, sine;
    } cases[] = {
        {0, 1, 0},
        {30, 0.86602540378443871, 0.49999999999999994},
        {90, 6.123233995736766e-17, 1},
        {145.7, -0.82609829449576377, 0.56352604893757163},
        {180, -1, 1.2246467991473532e-16},
        {-30, 0.86602540378443871, -0.49999999999999994},
        {359.9, 0.99999847691328769, -0.0017453283658984452},
        {400, 0.76604444311897812, 0.64278760968653914},
        {-725, 0.99619469809174555, -0.087155742747657583},
        {1000045.5, 0.82412618862201559, -0.56640623692483294},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.degrees);
        double cosine;
        double sine;
        CosineAndSine(c.degrees, &cosine, &sine);
        EXPECT_NEAR(c.cosine, cosine, 1e-15);
        EXPECT_NEAR(c.sine, sine, 1e-15);
    }
}

TEST(Oklab, CubeRootMatchesReferenceValues)
{
    const struct {
        double value, root;
    } cases[] = {
        {0.0, 0.0},
        {1.0, 1.0},
        {8.0, 2.0},
        {0.001, 0.1},
        {27.0, 3.0},
        {1e-6, 0.01},
        {1000.0, 10.0},
        {-8.0, -2.0},
        {2.0, 1.2599210498948732},
        {0.5, 0.7937005259840998},
        {-2.0, -1.2599210498948732},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_NEAR(c.root, CubeRoot(c.value), 1e-15 * (1.0 + std::abs(c.root)));
    }
}

// Python's degrees(atan2(y, x)) % 360, but for the last: a hair below 360 is
// 360 in a double, a full turn, so 0.
TEST(Oklab, Atan2DegreesMatchesReferenceValuesFromZeroToUnder360)
{
    const struct {
        double y, x, degrees;
    } cases[] = {
        {0, 0, 0},
        {0, 1, 0},
        {1, 0, 90},
        {0, -1, 180},
        {-1, 0, 270},
        {1, 1, 45},
        {1, -1, 135},
        {-1, -1, 225},
        {-1, 1, 315},
        {3, 4, 36.86989764584402},
        {2, -1, 116.56505117707799},
        {-0.5, -3, 189.46232220802563},
        {-0.2, 0.03, 278.53076560994816},
        {1e-9, -0.1, 179.9999994270422},
        {-1e-9, 1, 359.9999999427042},
        {1e-200, 1e-200, 45},
        {-3e200, -4e200, 216.86989764584402},
        {-1e-20, 1, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.y) + ", " + std::to_string(c.x));
        double degrees = Atan2Degrees(c.y, c.x);
        EXPECT_NEAR(c.degrees, degrees, 1e-11);
        EXPECT_LT(degrees, 360.0);
    }
}

} // namespace
