#include "picker/recent_colors.h"

namespace
{

int IndexOfColor(const RecentColors &list, const ColorSample &color)
{
    for (int index = 0; index < list.count; ++index) {
        if (IsSameColor(list.colors[index], color))
            return index;
    }
    return -1;
}

} // namespace

void AddRecentColor(RecentColors *list, const ColorSample &color)
{
    // Copied first: the colour may be one of the list's own, chosen from the menu.
    const ColorSample picked = color;
    int index = IndexOfColor(*list, picked);
    if (index < 0)
        index = list->count < kMaxRecentColors ? list->count++ : kMaxRecentColors - 1;
    for (; index > 0; --index)
        list->colors[index] = list->colors[index - 1];
    list->colors[0] = picked;
}

bool AppendRecentColor(RecentColors *list, const ColorSample &color)
{
    if (list->count >= kMaxRecentColors || IndexOfColor(*list, color) >= 0)
        return false;
    list->colors[list->count++] = color;
    return true;
}

bool PreviousColor(const RecentColors &list, const ColorSample &current, ColorSample *previous)
{
    for (int index = 0; index < list.count; ++index) {
        if (!IsSameColor(list.colors[index], current)) {
            *previous = list.colors[index];
            return true;
        }
    }
    return false;
}
