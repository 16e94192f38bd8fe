#include "picker/area_mean.h"

namespace
{

// Linear light of each 8-bit sRGB value; all zero until prepared.
double g_linearLight[256];

// The fifth root of 0 < value <= 1 by Newton's method: from 1 every step
// descends, until rounding stops it.
double FifthRoot(double value)
{
    double root = 1.0;
    for (;;) {
        double square = root * root;
        double next = (4.0 * root + value / (square * square)) / 5.0;
        if (!(next < root))
            return root;
        root = next;
    }
}

double DecodeFraction(double fraction)
{
    if (fraction <= 0.04045)
        return fraction / 12.92;
    double base = (fraction + 0.055) / 1.055;
    double square = base * base;
    return square * FifthRoot(square);
}

// Prepared on first use too, so the formats need no start-up call.
const double *LinearLightTable()
{
    if (g_linearLight[255] == 0.0)
        PrepareLinearLight();
    return g_linearLight;
}

// The table rises, so the nearest entry is the first one not below the mean
// or the one before it.
int32_t NearestEncoding(const double *table, double linear)
{
    int low = 0;
    int high = 255;
    while (low < high) {
        int middle = (low + high) / 2;
        if (table[middle] < linear)
            low = middle + 1;
        else
            high = middle;
    }
    if (low > 0 && linear - table[low - 1] <= table[low] - linear)
        return low - 1;
    return low;
}

} // namespace

void PrepareLinearLight()
{
    for (int value = 0; value < 256; ++value)
        g_linearLight[value] = DecodeFraction(value / 255.0);
}

double DecodeSrgb(int value)
{
    return LinearLightTable()[value & 0xFF];
}

int32_t EncodeSrgb(double linear)
{
    return NearestEncoding(LinearLightTable(), linear);
}

ColorSample AverageInLinearLight(const uint32_t *first, int stride, int columns, int rows)
{
    const double *table = LinearLightTable();
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    for (int row = 0; row < rows; ++row) {
        const uint32_t *pixel = first + row * stride;
        for (int column = 0; column < columns; ++column) {
            red += table[pixel[column] >> 16 & 0xFF];
            green += table[pixel[column] >> 8 & 0xFF];
            blue += table[pixel[column] & 0xFF];
        }
    }
    double count = columns * rows;
    ColorSample mean;
    mean.red = NearestEncoding(table, red / count);
    mean.green = NearestEncoding(table, green / count);
    mean.blue = NearestEncoding(table, blue / count);
    return mean;
}
