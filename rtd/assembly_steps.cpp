// assembly_steps.cpp: the build-up's plans, slides, view bounds and status lines.
#include "rtd/assembly_steps.h"

#include <algorithm>
#include <cstdio>

#include "rtd/grid_cells.h"

namespace {

Vec3 toVec(GridCell c) { return {double(c.x), double(c.y), double(c.z)}; }

double along(Vec3 v, Vec3 n) { return dot(v, n); }

// How far the solid moves out along the face's normal until it is clear of the box, with
// half a cell between them.
Vec3 slideStart(const Box& solid, const Box& box, BoxFace face, double cell)
{
    const Vec3 n = toVec(faceNormal(face));
    // The solid's far side along -n and the box's side along n.
    const double solidBack = std::min(along(solid.min, n), along(solid.max, n));
    const double boxFront = std::max(along(box.min, n), along(box.max, n));
    return n * (boxFront - solidBack + 0.5 * cell);
}

BuildUpSteps planFor(const SceneGrid& grid, const std::vector<SlpSolid>& solids, const std::vector<int>& bottomUp,
                     AssemblyMode mode)
{
    BuildUpSteps steps;
    steps.order = bottomUp;
    AssemblyInput input = {grid.size, grid.cells, mode, boxOpenFace};
    const AssemblyPlan plan = planAssembly(input);
    if (plan.status == AssemblyStatus::interlocked) steps.interlocked = plan.interlocked;
    if (plan.status != AssemblyStatus::ok) return steps;
    const Box box = sceneBounds(solids);
    steps.order.clear();
    for (const AssemblyStep& s : plan.steps) {
        steps.order.push_back(s.piece);
        steps.from.push_back(s.from);
        steps.start.push_back(slideStart(solidBounds(solids[size_t(s.piece)]), box, s.from, grid.cellSize));
    }
    return steps;
}

int stepOfSolid(const BuildUpSteps& steps, int count)
{
    return count >= 1 && size_t(count) <= steps.order.size() ? count - 1 : -1;
}

}  // namespace

BuildUpPlans planBuildUp(const std::vector<SlpSolid>& solids)
{
    BuildUpPlans plans;
    const std::vector<int> bottomUp = buildUpOrder(solids);
    const SceneGrid grid = findSceneGrid(solids);
    plans.onGrid = grid.status == GridStatus::onGrid;
    if (!plans.onGrid) {
        plans.free.order = plans.box.order = bottomUp;
        return plans;
    }
    plans.free = planFor(grid, solids, bottomUp, AssemblyMode::free);
    plans.box = planFor(grid, solids, bottomUp, AssemblyMode::box);
    return plans;
}

const BuildUpSteps& stepsFor(const BuildUpPlans& plans, bool boxMode) { return boxMode ? plans.box : plans.free; }

std::string buildUpStatus(Language language, const BuildUpSteps& steps, int count)
{
    if (count < 0) return "";
    const int total = int(steps.order.size());
    char line[200];
    const int step = stepOfSolid(steps, count);
    if (followsPlan(steps) && step >= 0) {
        const BoxFace from = steps.from[size_t(step)];
        std::snprintf(line, sizeof line, text(language, Text::planStepStatus), count, total,
                      steps.order[size_t(step)] + 1,
                      language == Language::german ? faceNameGerman(from) : faceNameEnglish(from));
        return line;
    }
    std::snprintf(line, sizeof line, text(language, Text::buildUpStatus), count, total);
    std::string out = line;
    if (!steps.interlocked.empty()) {
        std::string names;
        for (int solid : steps.interlocked) names += (names.empty() ? "" : ", ") + std::to_string(solid + 1);
        std::string note(names.size() + 200, '\0');
        note.resize(size_t(std::snprintf(&note[0], note.size(), text(language, Text::interlockedSolids), names.c_str())));
        out += " - " + note;
    }
    return out;
}

Slide slideForStep(const BuildUpSteps& steps, int before, int after, double now)
{
    before = std::max(before, 0);
    if (!followsPlan(steps) || after < 0 || std::abs(after - before) != 1) return noSlide;
    const int step = std::max(before, after) - 1;
    if (step < 0 || size_t(step) >= steps.order.size()) return noSlide;
    return {steps.order[size_t(step)], steps.start[size_t(step)], after > before, now};
}

bool slideRunning(const Slide& slide, double now) { return slide.solid >= 0 && now - slide.beginsAt < slideSeconds; }

Vec3 slideOffset(const Slide& slide, double now)
{
    if (slide.solid < 0) return {0, 0, 0};
    const double u = std::clamp((now - slide.beginsAt) / slideSeconds, 0.0, 1.0);
    const double eased = u * u * (3 - 2 * u);
    return slide.start * (slide.entering ? 1 - eased : eased);
}

void applySlide(const Slide& slide, double now, const std::vector<bool>& shown, std::vector<Vec3>* offsets,
                std::vector<bool>* drawn)
{
    const size_t i = size_t(slide.solid);
    if (slide.solid < 0) return;
    // The offset is added even once the slide has ended, so that a frame that reads the
    // clock twice never shows a leaving solid back at its place.
    if (offsets && i < offsets->size()) (*offsets)[i] = (*offsets)[i] + slideOffset(slide, now);
    if (drawn && i < drawn->size() && !slide.entering && slideRunning(slide, now))
        (*drawn)[i] = i < shown.size() && shown[i];
}

std::string stepProblemText(Language language, int step, int lastStep)
{
    if (step < 0 || step <= lastStep) return "";
    char line[200];
    std::snprintf(line, sizeof line, text(language, Text::stepOutOfRange), step, lastStep);
    return line;
}

Box viewBounds(const std::vector<SlpSolid>& solids, const std::vector<Vec3>& offsets, const BuildUpSteps* steps)
{
    Box out = {{0, 0, 0}, {0, 0, 0}, true};
    const auto include = [&](const Box& b, Vec3 shift) {
        if (b.empty) return;
        const Vec3 low = b.min + shift, high = b.max + shift;
        if (out.empty) out = {low, high, false};
        out.min = {std::min(out.min.x, low.x), std::min(out.min.y, low.y), std::min(out.min.z, low.z)};
        out.max = {std::max(out.max.x, high.x), std::max(out.max.y, high.y), std::max(out.max.z, high.z)};
    };
    for (size_t i = 0; i < solids.size(); i++) {
        const Vec3 offset = i < offsets.size() ? offsets[i] : Vec3{0, 0, 0};
        include(solidBounds(solids[i]), offset);
    }
    if (steps && followsPlan(*steps))
        for (size_t k = 0; k < steps->order.size(); k++) {
            const size_t i = size_t(steps->order[k]);
            if (i >= solids.size()) continue;
            include(solidBounds(solids[i]), (i < offsets.size() ? offsets[i] : Vec3{0, 0, 0}) + steps->start[k]);
        }
    return out;
}
