// outlines.cpp: placing the segments of a piece's outline list.
#include "view/outlines.h"

int outlineSegments(const int32_t* list, const IntTransform& t, OutlineSegment* out, int capacity)
{
    if (!list || list[0] >= END_OF_LIST) return 0;
    // The list counts in tenths, the placement's translation in cells.
    IntTransform tenths = t;
    for (int i = 9; i < 12; i++) tenths.e[i] *= 10;
    int count = 0;
    int k = 0;
    // A polyline's point never starts with a marker; stopping there too keeps a list that
    // ends right behind a PEN_UP from being read past its end.
    while (list[k] < PEN_UP && list[k + 3] < END_OF_LIST) {
        if (list[k + 3] == PEN_UP) {
            k += 4;
            continue;
        }
        if (count == capacity) break;
        out[count++] = {applyTransform(tenths, {list[k], list[k + 1], list[k + 2]}),
                        applyTransform(tenths, {list[k + 3], list[k + 4], list[k + 5]})};
        k += 3;
    }
    return count;
}
