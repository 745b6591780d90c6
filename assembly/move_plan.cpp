// move_plan.cpp: the disassembly search of move_plan.h. The pieces live as cell masks in a
// frame of the box's own turned so that the open face is on top: cell u + U * (v + V * h)
// with h rising towards the open face and on above it, so that the room above the rim is
// more layers at the high bits of a 128-bit mask. A state of the search is one offset per
// piece from where the search started. Groups that leave the box come apart in a second,
// larger frame of their own without walls, by the same search with every direction
// leading out.
#include "assembly/move_plan.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <limits>
#include <type_traits>

namespace {

using Wide = unsigned __int128;

// The free frame of a group that left: big enough for any group of the box with room
// around it.
constexpr int freeMaskWords = 32;

struct FreeMask {
    uint64_t w[freeMaskWords];
};

// Mask operations, the same names for both widths so that the search is written once.
inline bool isEmpty(Wide m) { return m == 0; }
inline bool isEmpty(const FreeMask& m)
{
    uint64_t any = 0;
    for (uint64_t w : m.w) any |= w;
    return any == 0;
}
inline Wide shifted(Wide m, int by) { return by >= 0 ? m << by : m >> -by; }
FreeMask shifted(const FreeMask& m, int by)
{
    FreeMask r = {};
    const int words = (by >= 0 ? by : -by) / 64;
    const int bits = (by >= 0 ? by : -by) % 64;
    if (by >= 0) {
        for (int i = freeMaskWords - 1; i >= words; i--) {
            uint64_t v = m.w[i - words] << bits;
            if (bits && i - words - 1 >= 0) v |= m.w[i - words - 1] >> (64 - bits);
            r.w[i] = v;
        }
    } else {
        for (int i = 0; i + words < freeMaskWords; i++) {
            uint64_t v = m.w[i + words] >> bits;
            if (bits && i + words + 1 < freeMaskWords) v |= m.w[i + words + 1] << (64 - bits);
            r.w[i] = v;
        }
    }
    return r;
}
inline FreeMask operator&(const FreeMask& a, const FreeMask& b)
{
    FreeMask r;
    for (int i = 0; i < freeMaskWords; i++) r.w[i] = a.w[i] & b.w[i];
    return r;
}
inline FreeMask operator|(const FreeMask& a, const FreeMask& b)
{
    FreeMask r;
    for (int i = 0; i < freeMaskWords; i++) r.w[i] = a.w[i] | b.w[i];
    return r;
}
inline FreeMask operator~(const FreeMask& a)
{
    FreeMask r;
    for (int i = 0; i < freeMaskWords; i++) r.w[i] = ~a.w[i];
    return r;
}
inline bool intersects(Wide a, Wide b) { return (a & b) != 0; }
inline bool intersects(const FreeMask& a, const FreeMask& b)
{
    for (int i = 0; i < freeMaskWords; i++)
        if (a.w[i] & b.w[i]) return true;
    return false;
}
inline void setBit(Wide& m, int bit) { m |= Wide(1) << bit; }
inline void setBit(FreeMask& m, int bit) { m.w[bit / 64] |= uint64_t(1) << (bit % 64); }
inline bool testBit(Wide m, int bit) { return (m >> bit) & 1; }
inline bool testBit(const FreeMask& m, int bit) { return (m.w[bit / 64] >> (bit % 64)) & 1; }

// The six directions in the order every search tries them: -x, +x, -y, +y, -z, +z of the
// caller's grid. The order decides between plans of the same length; fixed, so that every
// run and every program gives the same plan.
constexpr int directionCount = 6;
constexpr GridCell gridDirections[directionCount] = {{-1, 0, 0}, {1, 0, 0}, {0, -1, 0},
                                                     {0, 1, 0},  {0, 0, -1}, {0, 0, 1}};

// A frame of cells u + U * (v + V * h) and what each direction may do in it.
template <class Mask>
struct Frame {
    int sizeU, sizeV, layers;
    int stride[directionCount];  // bit distance of one step
    Mask edge[directionCount];   // cells that cannot step that way (a wall, or the frame's end)
    Mask all;                    // every cell of the frame
    unsigned exitDirections;     // bit d: pieces leave along d
    int outward;                 // the direction of +h (out through the open face)
};

// axisOf[a]: the frame axis (0 u, 1 v, 2 h) of grid axis a; flip: whether +h is -a.
template <class Mask>
Frame<Mask> makeFrame(int sizeU, int sizeV, int layers, const int axisOf[3], bool flipH, unsigned exitDirections)
{
    Frame<Mask> f = {};
    f.sizeU = sizeU;
    f.sizeV = sizeV;
    f.layers = layers;
    const int axisStride[3] = {1, sizeU, sizeU * sizeV};
    int frameAxis[directionCount], frameSign[directionCount];
    for (int d = 0; d < directionCount; d++) {
        const GridCell g = gridDirections[d];
        frameAxis[d] = axisOf[g.x ? 0 : g.y ? 1 : 2];
        frameSign[d] = (frameAxis[d] == 2 && flipH) ? -(g.x + g.y + g.z) : g.x + g.y + g.z;
        f.stride[d] = frameSign[d] * axisStride[frameAxis[d]];
        if (frameAxis[d] == 2 && frameSign[d] > 0) f.outward = d;
    }
    const int size[3] = {sizeU, sizeV, layers};
    for (int h = 0; h < layers; h++)
        for (int v = 0; v < sizeV; v++)
            for (int u = 0; u < sizeU; u++) {
                const int bit = u + sizeU * (v + sizeV * h);
                const int at[3] = {u, v, h};
                setBit(f.all, bit);
                for (int d = 0; d < directionCount; d++) {
                    const int a = frameAxis[d];
                    if (frameSign[d] > 0 ? at[a] == size[a] - 1 : at[a] == 0) setBit(f.edge[d], bit);
                }
            }
    f.exitDirections = exitDirections;
    return f;
}

// The cells a piece passes through leaving along d, its own included, to the frame's end.
template <class Mask>
Mask sweepOf(const Frame<Mask>& f, const Mask& cells, int d)
{
    Mask swept = cells;
    for (Mask front = cells;;) {
        front = shifted(front & ~f.edge[d], f.stride[d]);
        if (isEmpty(front)) return swept;
        swept = swept | front;
    }
}

// Straight out through the open face: the layers are the mask's highest bits, so the sweep
// doubles without wrapping round a row.
inline Wide sweepOf(const Frame<Wide>& f, const Wide& cells, int d)
{
    if (d == f.outward) {
        const int layer = f.sizeU * f.sizeV;
        Wide swept = cells;
        for (int k = 1; k < f.layers; k *= 2) swept |= swept << (k * layer);
        return swept & f.all;
    }
    Wide swept = cells;
    for (Wide front = cells; front;) {
        front = shifted(front & ~f.edge[d], f.stride[d]);
        swept |= front;
    }
    return swept;
}

// The first piece that can leave and the way it goes, or -1.
template <class Mask>
int leavingPiece(const Frame<Mask>& f, const Mask* masks, int count, int& direction)
{
    Mask occupied = {};
    for (int i = 0; i < count; i++) occupied = occupied | masks[i];
    for (int i = 0; i < count; i++) {
        const Mask others = occupied & ~masks[i];
        for (int d = 0; d < directionCount; d++)
            if ((f.exitDirections >> d & 1) && !intersects(sweepOf(f, masks[i], d), others)) {
                direction = d;
                return i;
            }
    }
    return -1;
}

// The pieces of one state as they lie: their masks, all their cells, and in the box's frame
// the piece on each cell, so that what a move pushes is read off the cells it runs into.
template <class Mask>
struct Layout {
    Mask masks[maxMovePlanPieces];
    Mask occupied;
    uint8_t owner[128];
};

inline void markOwner(Layout<Wide>& l, int piece)
{
    for (int half = 0; half < 2; half++)
        for (uint64_t bits = uint64_t(l.masks[piece] >> (64 * half)); bits; bits &= bits - 1)
            l.owner[64 * half + __builtin_ctzll(bits)] = uint8_t(piece);
}
inline void markOwner(Layout<FreeMask>&, int) {}

inline uint16_t ownersOf(const Layout<Wide>& l, int, Wide hit)
{
    uint16_t owners = 0;
    for (int half = 0; half < 2; half++)
        for (uint64_t bits = uint64_t(hit >> (64 * half)); bits; bits &= bits - 1)
            owners |= uint16_t(1u << l.owner[64 * half + __builtin_ctzll(bits)]);
    return owners;
}
inline uint16_t ownersOf(const Layout<FreeMask>& l, int count, const FreeMask& hit)
{
    uint16_t owners = 0;
    for (int j = 0; j < count; j++)
        if (intersects(hit, l.masks[j])) owners |= uint16_t(1u << j);
    return owners;
}

template <class Mask>
void finishLayout(Layout<Mask>& l, int count)
{
    l.occupied = Mask{};
    for (int i = 0; i < count; i++) {
        l.occupied = l.occupied | l.masks[i];
        markOwner(l, i);
    }
}

// The groups that can move one cell along d: a piece with every piece it pushes, and every
// piece those push, none of them against a wall; each group once, in the order of the
// piece that pushes. In free space the whole set moving is no move at all.
template <class Mask>
int movableGroups(const Frame<Mask>& f, const Layout<Mask>& l, int count, int d, bool inFreeSpace, uint16_t* groups)
{
    const uint16_t all = uint16_t((1u << count) - 1);
    uint16_t blocked = 0;
    uint16_t pushes[maxMovePlanPieces];
    for (int i = 0; i < count; i++) {
        pushes[i] = uint16_t(1u << i);
        if (intersects(l.masks[i], f.edge[d])) {
            blocked |= uint16_t(1u << i);
            continue;
        }
        const Mask hit = shifted(l.masks[i], f.stride[d]) & l.occupied & ~l.masks[i];
        if (!isEmpty(hit)) pushes[i] |= ownersOf(l, count, hit);
    }
    int found = 0;
    for (int i = 0; i < count; i++) {
        if (blocked >> i & 1) continue;
        uint16_t group = pushes[i];
        for (uint16_t grown = 0; grown != group && !(group & blocked);) {
            grown = group;
            for (uint32_t rest = grown; rest; rest &= rest - 1) group |= pushes[__builtin_ctz(rest)];
        }
        if ((group & blocked) || (inFreeSpace && group == all)) continue;
        bool known = false;
        for (int k = 0; k < found && !known; k++) known = groups[k] == group;
        if (!known) groups[found++] = group;
    }
    return found;
}

// A state: one offset per piece (bits of the frame) from where the search started; the
// pieces past the search's count stay 0. Fixed size, so that comparing is a few loads. The
// box's frame has at most 128 cells, so a byte holds any offset in it and -128 never
// occurs; the free frames need two bytes.
template <class Offset>
struct StateKey {
    Offset offset[maxMovePlanPieces];
};

template <class Offset>
inline bool operator==(const StateKey<Offset>& a, const StateKey<Offset>& b)
{
    return std::memcmp(a.offset, b.offset, sizeof a.offset) == 0;
}

template <class Offset>
inline uint64_t hashOf(const StateKey<Offset>& key)
{
    uint64_t words[sizeof key / 8];
    std::memcpy(words, key.offset, sizeof key);
    uint64_t h = 0;
    for (uint64_t w : words) h = (h ^ w) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

// No offset is this low, so a key of it marks an empty slot.
template <class Offset>
StateKey<Offset> emptyKey()
{
    StateKey<Offset> key;
    std::fill(key.offset, key.offset + maxMovePlanPieces, std::numeric_limits<Offset>::min());
    return key;
}

template <class Mask>
using OffsetOf = std::conditional_t<std::is_same_v<Mask, Wide>, int8_t, int16_t>;

// One search of the disassembly: the pieces still in, as masks where the search started,
// and every state reached, in the order reached, with the move that reached it.
template <class Mask>
struct StateSearch {
    using Key = StateKey<OffsetOf<Mask>>;
    const Frame<Mask>* frame;
    int count;
    Mask start[maxMovePlanPieces];
    std::vector<Key> keys;
    std::vector<uint32_t> parent;
    std::vector<uint16_t> group;   // the pieces moved to reach the state (bits of the search)
    std::vector<uint8_t> direction;
    // The keys once more, by hash (open addressing): whether a state was reached is one
    // look at a slot, mostly in one cache line.
    std::vector<Key> seen;
    size_t seenMask;
};

template <class Mask>
void resetSearch(StateSearch<Mask>& s, const Frame<Mask>& frame, const Mask* masks, int count)
{
    using Key = typename StateSearch<Mask>::Key;
    s.frame = &frame;
    s.count = count;
    std::copy(masks, masks + count, s.start);
    s.keys.assign(1, Key{});
    s.parent.assign(1, 0);
    s.group.assign(1, 0);
    s.direction.assign(1, 0);
    s.seen.assign(1024, emptyKey<OffsetOf<Mask>>());
    s.seenMask = s.seen.size() - 1;
    s.seen[hashOf(s.keys[0]) & s.seenMask] = s.keys[0];
}

template <class Mask>
void growSeen(StateSearch<Mask>& s)
{
    const auto empty = emptyKey<OffsetOf<Mask>>();
    s.seen.assign(s.seen.size() * 2, empty);
    s.seenMask = s.seen.size() - 1;
    for (const auto& key : s.keys) {
        size_t at = hashOf(key) & s.seenMask;
        while (!(s.seen[at] == empty)) at = (at + 1) & s.seenMask;
        s.seen[at] = key;
    }
}

// Adds the state unless it was reached before; its index, or -1 when known.
template <class Mask>
int64_t addState(StateSearch<Mask>& s, const typename StateSearch<Mask>::Key& key, uint32_t parent,
                 uint16_t group, uint8_t direction)
{
    const auto empty = emptyKey<OffsetOf<Mask>>();
    size_t at = hashOf(key) & s.seenMask;
    for (; !(s.seen[at] == empty); at = (at + 1) & s.seenMask)
        if (s.seen[at] == key) return -1;
    s.seen[at] = key;
    const uint32_t index = uint32_t(s.keys.size());
    s.keys.push_back(key);
    s.parent.push_back(parent);
    s.group.push_back(group);
    s.direction.push_back(direction);
    if (s.keys.size() * 2 > s.seen.size()) growSeen(s);
    return index;
}

template <class Mask>
void masksOf(const StateSearch<Mask>& s, uint32_t state, Mask* masks)
{
    const auto& key = s.keys[state];
    for (int i = 0; i < s.count; i++) masks[i] = shifted(s.start[i], key.offset[i]);
}

enum class SearchEnd : uint8_t { exitFound, exhausted, boundReached };

// Breadth first from the start masks until some piece can leave. On exitFound, state is
// the first state found from which one can.
template <class Mask>
SearchEnd searchForExit(StateSearch<Mask>& s, bool inFreeSpace, uint32_t& budget, uint32_t& state)
{
    using Key = typename StateSearch<Mask>::Key;
    const Frame<Mask>& f = *s.frame;
    const int n = s.count;
    // The moves of one state, all made before any is looked up, so that the look-ups'
    // memory is fetched side by side.
    struct Successor {
        Key key;
        uint16_t group;
        uint8_t direction;
    };
    Successor next[directionCount * maxMovePlanPieces];
    uint16_t groups[maxMovePlanPieces];
    Layout<Mask> layout;
    const Mask* masks = layout.masks;
    Mask moved[maxMovePlanPieces];
    for (uint32_t head = 0; head < s.keys.size(); head++) {
        masksOf(s, head, layout.masks);
        finishLayout(layout, n);
        const Key here = s.keys[head];
        int made = 0;
        for (int d = 0; d < directionCount; d++) {
            const int found = movableGroups(f, layout, n, d, inFreeSpace, groups);
            for (int g = 0; g < found; g++) {
                Successor& m = next[made++];
                m.key = here;
                m.group = groups[g];
                m.direction = uint8_t(d);
                for (int i = 0; i < n; i++)
                    if (groups[g] >> i & 1) m.key.offset[i] = OffsetOf<Mask>(here.offset[i] + f.stride[d]);
                __builtin_prefetch(&s.seen[hashOf(m.key) & s.seenMask]);
            }
        }
        for (int k = 0; k < made; k++) {
            const Successor& m = next[k];
            if (budget == 0) return SearchEnd::boundReached;
            const int64_t added = addState(s, m.key, head, m.group, m.direction);
            if (added < 0) continue;
            budget--;
            for (int i = 0; i < n; i++) moved[i] = m.group >> i & 1 ? shifted(masks[i], f.stride[m.direction]) : masks[i];
            int way;
            if (leavingPiece(f, moved, n, way) >= 0) {
                state = uint32_t(added);
                return SearchEnd::exitFound;
            }
        }
    }
    return SearchEnd::exhausted;
}

// The path from the search's start to state, as moves of the caller's pieces.
template <class Mask>
void appendPath(const StateSearch<Mask>& s, uint32_t state, const int* ids, bool inFreeSpace,
                std::vector<PackingMove>& out)
{
    const size_t first = out.size();
    for (uint32_t at = state; at != 0; at = s.parent[at]) {
        uint64_t pieces = 0;
        for (int i = 0; i < s.count; i++)
            if (s.group[at] >> i & 1) pieces |= uint64_t(1) << ids[i];
        out.push_back({pieces, gridDirections[s.direction[at]], false, inFreeSpace});
    }
    std::reverse(out.begin() + long(first), out.end());
}

// What a disassembly has found so far. Each search may reach bound states.
struct Planning {
    uint32_t bound;
    uint32_t searched;
    int largestGroup;
    int searchesAtBound;
    std::vector<PackingMove> moves;
};

// The axes of the box's frame in the caller's grid, which the frames of groups that left
// share.
struct FrameAxes {
    int axisOf[3];  // the frame axis (0 u, 1 v, 2 h) of grid axis x, y, z
    bool flipH;     // whether +h points to the grid's low end
};

template <class Mask>
MovePlanStatus takeApart(const Frame<Mask>& f, const FrameAxes& axes, Mask* masks, int* ids, int count,
                         bool inFreeSpace, Planning& p);

// A group that can leave together: at which state of a search, along which direction.
struct LeavingGroup {
    uint32_t state;
    uint16_t group;
    int direction;
};

// The group's pieces as they lie to each other: what decides whether it comes apart.
template <class Mask>
std::vector<int16_t> shapeOf(const StateSearch<Mask>& s, const LeavingGroup& c)
{
    std::vector<int16_t> shape = {int16_t(c.group), int16_t(c.direction)};
    const auto& key = s.keys[c.state];
    const int first = __builtin_ctz(c.group);
    for (int i = 0; i < s.count; i++)
        if (c.group >> i & 1) shape.push_back(int16_t(key.offset[i] - key.offset[first]));
    return shape;
}

// Over every state of the search, in the order reached: each piece with the pieces in its
// way out, and the pieces in the way of those, is the smallest group with it that can
// leave. The smallest of them all, the first state, direction and piece deciding between
// equals, leaving out the shapes that failed. False when there is none.
template <class Mask>
bool nearestLeavingGroup(const StateSearch<Mask>& s, bool inFreeSpace, const std::set<std::vector<int16_t>>& failed,
                         LeavingGroup& best)
{
    const Frame<Mask>& f = *s.frame;
    const int n = s.count;
    const uint16_t all = uint16_t((1u << n) - 1);
    int bestSize = n + 1;
    Mask masks[maxMovePlanPieces];
    uint16_t closure[maxMovePlanPieces];
    // A group has two pieces at least, or one would have left; nothing later beats that.
    for (uint32_t state = 0; state < s.keys.size() && bestSize > 2; state++) {
        masksOf(s, state, masks);
        for (int d = 0; d < directionCount; d++) {
            if (!(f.exitDirections >> d & 1)) continue;
            for (int a = 0; a < n; a++) {
                closure[a] = uint16_t(1u << a);
                const Mask swept = sweepOf(f, masks[a], d);
                for (int b = 0; b < n; b++)
                    if (b != a && intersects(swept, masks[b])) closure[a] |= uint16_t(1u << b);
            }
            for (int k = 0; k < n; k++)
                for (int a = 0; a < n; a++)
                    if (closure[a] >> k & 1) closure[a] |= closure[k];
            for (int i = 0; i < n; i++) {
                const int size = __builtin_popcount(closure[i]);
                if (size >= bestSize || (inFreeSpace && closure[i] == all)) continue;
                const LeavingGroup c = {state, closure[i], d};
                if (!failed.empty() && failed.count(shapeOf(s, c))) continue;
                best = c;
                bestSize = size;
            }
        }
    }
    return bestSize <= n;
}

// Takes a group that left apart in a frame of its own: its extent and two free cells all
// round, in the same axes as f.
template <class Mask>
bool groupComesApart(const Frame<Mask>& f, const FrameAxes& axes, const Mask* masks, const int* ids, int count,
                     uint16_t group, Planning& p)
{
    const int layer = f.sizeU * f.sizeV;
    const int cellTotal = layer * f.layers;
    int lo[3] = {cellTotal, cellTotal, cellTotal}, hi[3] = {-1, -1, -1};
    for (int i = 0; i < count; i++) {
        if (!(group >> i & 1)) continue;
        for (int bit = 0; bit < cellTotal; bit++)
            if (testBit(masks[i], bit)) {
                const int c[3] = {bit % f.sizeU, bit / f.sizeU % f.sizeV, bit / layer};
                for (int a = 0; a < 3; a++) {
                    lo[a] = std::min(lo[a], c[a]);
                    hi[a] = std::max(hi[a], c[a]);
                }
            }
    }
    constexpr int margin = 2;
    int size[3];
    for (int a = 0; a < 3; a++) size[a] = hi[a] - lo[a] + 1 + 2 * margin;
    if (size[0] * size[1] * size[2] > freeMaskWords * 64) return false;
    const Frame<FreeMask> free =
        makeFrame<FreeMask>(size[0], size[1], size[2], axes.axisOf, axes.flipH, (1u << directionCount) - 1);
    FreeMask parts[maxMovePlanPieces] = {};
    int partIds[maxMovePlanPieces];
    int partCount = 0;
    for (int i = 0; i < count; i++) {
        if (!(group >> i & 1)) continue;
        for (int bit = 0; bit < cellTotal; bit++)
            if (testBit(masks[i], bit)) {
                const int u = bit % f.sizeU - lo[0] + margin, v = bit / f.sizeU % f.sizeV - lo[1] + margin,
                          h = bit / layer - lo[2] + margin;
                setBit(parts[partCount], u + size[0] * (v + size[1] * h));
            }
        partIds[partCount++] = ids[i];
    }
    Planning inner = {p.bound, 0, 1, 0, {}};
    const MovePlanStatus status = takeApart(free, axes, parts, partIds, partCount, true, inner);
    p.searched += inner.searched;
    if (status != MovePlanStatus::singleExits && status != MovePlanStatus::groupExit) return false;
    p.largestGroup = std::max(p.largestGroup, inner.largestGroup);
    p.searchesAtBound += inner.searchesAtBound;
    p.moves.insert(p.moves.end(), inner.moves.begin(), inner.moves.end());
    return true;
}

// The disassembly of the pieces in frame f: exits where a piece can leave, else the fewest
// moves until one can, else a group. masks and ids are worked on in place.
template <class Mask>
MovePlanStatus takeApart(const Frame<Mask>& f, const FrameAxes& axes, Mask* masks, int* ids, int count,
                         bool inFreeSpace, Planning& p)
{
    MovePlanStatus status = MovePlanStatus::singleExits;
    StateSearch<Mask> search;
    // In free space the last part of a group simply stays where it is.
    while (count > (inFreeSpace ? 1 : 0)) {
        int way;
        const int leaving = leavingPiece(f, masks, count, way);
        if (leaving >= 0) {
            p.moves.push_back({uint64_t(1) << ids[leaving], gridDirections[way], true, inFreeSpace});
            std::copy(masks + leaving + 1, masks + count, masks + leaving);
            std::copy(ids + leaving + 1, ids + count, ids + leaving);
            count--;
            continue;
        }
        resetSearch(search, f, masks, count);
        uint32_t reached = 0;
        uint32_t budget = p.bound;
        const SearchEnd end = searchForExit(search, inFreeSpace, budget, reached);
        p.searched += p.bound - budget;
        if (end == SearchEnd::exitFound) {
            appendPath(search, reached, ids, inFreeSpace, p.moves);
            masksOf(search, reached, masks);
            continue;
        }
        // No piece gets out on its own from any state reached, or none within the bound: the
        // smallest group that can leave, from the state nearest to the start, and that comes
        // apart outside. A group that did not come apart at one state does not at another
        // where its pieces lie the same way to each other. The tries are bounded as well.
        const bool atBound = end == SearchEnd::boundReached;
        p.searchesAtBound += atBound ? 1 : 0;
        std::set<std::vector<int16_t>> failed;
        bool left = false;
        uint32_t tried = 0;
        for (LeavingGroup c; !left && tried < p.bound && nearestLeavingGroup(search, inFreeSpace, failed, c);) {
            Mask at[maxMovePlanPieces];
            masksOf(search, c.state, at);
            Planning trial = {p.bound, 0, p.largestGroup, 0, {}};
            appendPath(search, c.state, ids, inFreeSpace, trial.moves);
            uint64_t pieces = 0;
            for (int i = 0; i < count; i++)
                if (c.group >> i & 1) pieces |= uint64_t(1) << ids[i];
            trial.moves.push_back({pieces, gridDirections[c.direction], true, inFreeSpace});
            const bool apart = groupComesApart(f, axes, at, ids, count, c.group, trial);
            p.searched += trial.searched;
            tried += trial.searched + 1;
            if (!apart) {
                failed.insert(shapeOf(search, c));
                continue;
            }
            p.moves.insert(p.moves.end(), trial.moves.begin(), trial.moves.end());
            p.largestGroup = std::max(trial.largestGroup, __builtin_popcount(c.group));
            p.searchesAtBound += trial.searchesAtBound;
            int kept = 0;
            for (int i = 0; i < count; i++)
                if (!(c.group >> i & 1)) {
                    masks[kept] = at[i];
                    ids[kept++] = ids[i];
                }
            count = kept;
            status = MovePlanStatus::groupExit;
            left = true;
        }
        if (!left) return atBound || tried >= p.bound ? MovePlanStatus::boundReached : MovePlanStatus::noPlan;
    }
    return status;
}

}  // namespace

MovePlan planBoxMoves(const AssemblyGrid& grid, const CellMask* pieces, int pieceCount, BoxFace openFace,
                      uint32_t stateBound)
{
    MovePlan plan = {MovePlanStatus::badInput, {}, 0, 1, 0, 0};
    AssemblyGridMasks gridMasks;
    if (!prepareAssemblyGrid(grid, gridMasks) || pieceCount < 0 || pieceCount > maxMovePlanPieces ||
        int(openFace) >= assemblyFaceCount)
        return plan;
    const CellMask inside = gridMasks.cellCount >= 64 ? ~CellMask(0) : (CellMask(1) << gridMasks.cellCount) - 1;
    CellMask taken = 0;
    for (int i = 0; i < pieceCount; i++) {
        if (!pieces[i] || (pieces[i] & taken) || (pieces[i] & ~inside)) return plan;
        taken |= pieces[i];
    }

    // The frame: h along the face's axis, rising towards the open face; u and v the other
    // two axes in x, y, z order. Above the rim the box's depth again: room for any of its
    // pieces to rise clear of it. A grid of 64 cells at most always fits 128.
    const GridCell normal = faceNormal(openFace);
    const int faceAxis = normal.x ? 0 : normal.y ? 1 : 2;
    const bool flipH = normal.x + normal.y + normal.z < 0;
    FrameAxes axes = {{0, 0, 0}, flipH};
    const int size[3] = {grid.sizeX, grid.sizeY, grid.sizeZ};
    int sizeUV[2];
    for (int a = 0, next = 0; a < 3; a++) {
        if (a == faceAxis) {
            axes.axisOf[a] = 2;
            continue;
        }
        sizeUV[next] = size[a];
        axes.axisOf[a] = next++;
    }
    const int layers = 2 * size[faceAxis];
    const Frame<Wide> frame = makeFrame<Wide>(sizeUV[0], sizeUV[1], layers, axes.axisOf, flipH, 0);
    Frame<Wide> box = frame;
    box.exitDirections = 1u << frame.outward;

    Wide framed[maxMovePlanPieces] = {};
    int ids[maxMovePlanPieces];
    for (int i = 0; i < pieceCount; i++) {
        ids[i] = i;
        for (int bit = 0; bit < gridMasks.cellCount; bit++) {
            if (!(pieces[i] >> bit & 1)) continue;
            const int c[3] = {bit % grid.sizeX, bit / grid.sizeX % grid.sizeY, bit / (grid.sizeX * grid.sizeY)};
            int at[3];
            for (int a = 0; a < 3; a++) at[axes.axisOf[a]] = c[a];
            if (flipH) at[2] = size[faceAxis] - 1 - at[2];
            setBit(framed[i], at[0] + sizeUV[0] * (at[1] + sizeUV[1] * at[2]));
        }
    }
    Planning p = {stateBound, 0, 1, 0, {}};
    plan.status = takeApart(box, axes, framed, ids, pieceCount, false, p);
    plan.disassembly = std::move(p.moves);
    plan.statesSearched = p.searched;
    plan.largestGroup = p.largestGroup;
    plan.searchesAtBound = p.searchesAtBound;
    for (const PackingMove& m : plan.disassembly) plan.oneCellMoves += m.exits ? 0 : 1;
    return plan;
}

namespace {

struct CellMoveName {
    GridCell by;
    const char* german;
    const char* english;
};

constexpr CellMoveName cellMoveNames[directionCount] = {
    {{-1, 0, 0}, "eine Zelle nach links", "one cell to the left"},
    {{1, 0, 0}, "eine Zelle nach rechts", "one cell to the right"},
    {{0, -1, 0}, "eine Zelle nach unten", "one cell down"},
    {{0, 1, 0}, "eine Zelle nach oben", "one cell up"},
    {{0, 0, -1}, "eine Zelle nach hinten", "one cell to the back"},
    {{0, 0, 1}, "eine Zelle nach vorn", "one cell to the front"},
};

}  // namespace

const char* cellMoveNameGerman(GridCell by)
{
    for (const CellMoveName& n : cellMoveNames)
        if (n.by == by) return n.german;
    return "";
}

const char* cellMoveNameEnglish(GridCell by)
{
    for (const CellMoveName& n : cellMoveNames)
        if (n.by == by) return n.english;
    return "";
}
