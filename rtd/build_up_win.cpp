// build_up_win.cpp: the build-up mode in the window: the plans, made once the file is
// read; the slide of one piece, whose place each frame takes from the clock while a timer
// asks for frames until it has arrived; and the sphere the view is fitted to, which holds
// the exploded pieces and the paths of the sliding ones.
#include "rtd/assembly_steps.h"
#include "rtd/rtd_state.h"

BuildUpPlans buildUpPlans = {false, {}, {}};

namespace {

Slide slide = noSlide;

constexpr UINT_PTR slideTimer = 1;
// About the frame rate of a screen; each tick redraws the piece where the clock has it.
constexpr UINT slideTimerMilliseconds = 15;

double clockSeconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

void updateViewFit()
{
    const bool building = visibility.buildUpCount >= 0;
    const Box box = viewBounds(scene.solids, explodeOffsets(scene.solids, explodeFactor(explodeStep)),
                               building ? &currentBuildUpSteps() : nullptr);
    sceneFit = fitToBounds(box);
}

}  // namespace

const BuildUpSteps& currentBuildUpSteps() { return stepsFor(buildUpPlans, view.boxMode); }

void planScene()
{
    buildUpPlans = planBuildUp(scene.solids);
    buildOrder = currentBuildUpSteps().order;
    slide = noSlide;
}

void followBuildUp(int countBefore, bool boxModeBefore)
{
    const int count = visibility.buildUpCount;
    if (view.boxMode != boxModeBefore) {
        buildOrder = currentBuildUpSteps().order;
        slide = noSlide;
    } else if (count != countBefore) {
        slide = count < 0 ? noSlide : slideForStep(currentBuildUpSteps(), countBefore, count, clockSeconds());
    }
    if (slide.solid >= 0 && mainWindow) SetTimer(mainWindow, slideTimer, slideTimerMilliseconds, nullptr);
    updateViewFit();
}

void onSlideTimer()
{
    if (!slideRunning(slide, clockSeconds())) {
        KillTimer(mainWindow, slideTimer);
        slide = noSlide;
    }
    InvalidateRect(mainWindow, nullptr, FALSE);
}

void addSlide(std::vector<Vec3>* offsets, std::vector<bool>* drawn)
{
    applySlide(slide, clockSeconds(), visibility.shown, offsets, drawn);
}

std::string buildUpStepProblem()
{
    return stepProblemText(view.language, options.buildUpStep, int(currentBuildUpSteps().order.size()));
}

void startAtStep()
{
    if (options.buildUpStep < 0 || !buildUpStepProblem().empty()) return;
    visibility.buildUpCount = options.buildUpStep;
    slide = noSlide;
    updateViewFit();
}
