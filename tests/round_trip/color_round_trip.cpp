// Every colour of the cube is copied in every format and pasted back: the
// exact formats must give the colour itself, hsl() and oklch() a colour within
// a few levels, as their rounded numbers lose that much.
#include "picker/color_format.h"
#include "picker/color_parse.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace
{

// The most any channel may move through each format: hsl()'s whole percents
// of lightness are 2.55 levels apart, and oklch()'s rounded chroma and hue
// move a channel near 0 in linear light by up to 9 levels.
const int kSlack[kCopyFormatCount] = {0, 0, 0, 0, 5, 0, 9};
// oklch() takes every third colour (a third of the cube, every value of every
// channel), as its arithmetic would take the whole run's time twice over.
const int kStride[kCopyFormatCount] = {1, 1, 1, 1, 1, 1, 3};
const char *const kFormatNames[kCopyFormatCount] = {"hex", "bare",     "rgb",  "list",
                                                    "hsl", "colorref", "oklch"};

int Distance(const ColorSample &one, const ColorSample &other)
{
    int largest = std::abs(one.red - other.red);
    int green = std::abs(one.green - other.green);
    int blue = std::abs(one.blue - other.blue);
    largest = green > largest ? green : largest;
    return blue > largest ? blue : largest;
}

} // namespace

int main()
{
    auto start = std::chrono::steady_clock::now();
    int failures = 0;
    for (int format = 0; format < kCopyFormatCount; ++format) {
        auto formatStart = std::chrono::steady_clock::now();
        int largest = 0;
        for (int rgb = 0; rgb < 1 << 24; rgb += kStride[format]) {
            const ColorSample color = {rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF};
            char text[kFormattedColorSize];
            FormatColor(static_cast<CopyFormat>(format), color, text);
            ColorSample back = {-1, -1, -1};
            int distance = ParseColorText(text, &back) ? Distance(color, back) : 256;
            if (distance > largest)
                largest = distance;
            if (distance > kSlack[format] && ++failures <= 10)
                std::printf("%06X as %s pastes back as %d, %d, %d\n", static_cast<unsigned>(rgb),
                            text, back.red, back.green, back.blue);
        }
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - formatStart).count();
        std::printf("%-8s most a channel moved: %d (%.1f s)\n", kFormatNames[format], largest,
                    seconds);
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%d failures in %.1f s\n", failures, seconds);
    return failures == 0 ? 0 : 1;
}
