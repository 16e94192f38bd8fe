#include "picker/loupe_placement.h"

namespace
{

bool Contains(const ScreenRect &outer, const ScreenRect &inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlaps(const ScreenRect &a, const ScreenRect &b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool ContainsPoint(const ScreenRect &rect, ScreenPoint point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

} // namespace

bool FindLoupePlace(ScreenPoint hotSpot, const ScreenRect &screen, const ScreenRect &picker,
                    ScreenPoint *topLeft)
{
    if (ContainsPoint(picker, hotSpot))
        return false;
    const int32_t right = hotSpot.x + kLoupeGap;
    const int32_t left = hotSpot.x - kLoupeGap - kLoupeOuterSize;
    const int32_t below = hotSpot.y + kLoupeGap;
    const int32_t above = hotSpot.y - kLoupeGap - kLoupeOuterSize;
    const ScreenPoint candidates[] = {{right, below}, {left, below}, {right, above}, {left, above}};
    for (const ScreenPoint &corner : candidates) {
        ScreenRect loupe = {corner.x, corner.y, corner.x + kLoupeOuterSize,
                            corner.y + kLoupeOuterSize};
        if (Contains(screen, loupe) && !Overlaps(loupe, picker)) {
            *topLeft = corner;
            return true;
        }
    }
    return false;
}
