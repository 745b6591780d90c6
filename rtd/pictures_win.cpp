// pictures_win.cpp: the save dialog and the batch form. Neither ever writes over the file
// that is shown.
#include "rtd/pictures_win.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>

#include "console/console.h"
#include "rtd/batch_report.h"
#include "rtd/caption.h"
#include "rtd/picture_file.h"

namespace {

std::string withName(Language language, Text id, const std::string& name)
{
    char line[MAX_PATH + 200];
    std::snprintf(line, sizeof line, text(language, id), name.c_str());
    return line;
}

}  // namespace

std::string savePicture(HWND owner, Renderer& renderer, const FrameView& view, const Overlay& overlay,
                        const Options& options, Language language)
{
    char name[MAX_PATH] = "";
    const std::string suggested = pictureNameFor(options.fileName.empty() ? "rtd" : options.fileName);
    std::snprintf(name, sizeof name, "%s", suggested.c_str());
    std::string filter = text(language, Text::pictureFilter);
    std::replace(filter.begin(), filter.end(), '|', '\0');
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    dialog.lpstrDefExt = "png";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog)) return "";
    if (!options.fileName.empty() && sameFile(name, options.fileName)) return withName(language, Text::pictureIsInput, name);
    drawFrame(renderer, view, overlay);
    const bool saved = writePictureFile(name, view.viewport.width, view.viewport.height, readFrame(view.viewport));
    return withName(language, saved ? Text::pictureSaved : Text::pictureNotSaved, name);
}

int runBatch(const Options& options, const RtdScene& scene, const RtdViewer& viewer,
             HWND (*openHiddenWindow)(int width, int height))
{
    const Language language = viewer.language;
    const auto fail = [](const std::string& why) {
        report(why);
        return 1;
    };
    // A call that cannot be used ends here, before any window exists.
    if (options.problem != OptionProblem::none || options.fileName.empty())
        return fail(viewerProblems(viewer, scene, options));
    if (sameFile(options.pictureName, options.fileName))
        return fail(withName(language, Text::pictureIsInput, options.pictureName));
    for (const SlpNote& note : scene.file.notes) report(describeNote(language, note, options.fileName));
    if (!scene.usable) return 1;
    const std::string stepProblem =
        stepProblemText(language, options.buildUpStep, int(currentPlan(viewer, scene).moves.size()));
    if (!stepProblem.empty()) return fail(stepProblem);
    // The step's line, for the text beside the picture in an assembly guide.
    if (options.buildUpStep >= 0) writeUnswitchedText(stdout, viewerBuildUpLine(viewer, scene) + "\n");

    HWND window = openHiddenWindow(options.width, options.height);
    Renderer renderer;
    if (!window || !createGlContext(renderer, window)) {
        destroyGlContext(renderer);
        return fail(text(language, Text::noOpenGl));
    }
    renderer.arrays = buildDrawArrays(scene.file.solids);
    // The notes went to the error stream; the picture stays clean.
    const FrameView view = frameView(viewer, scene, {options.width, options.height}, 0);
    const Overlay none;
    std::vector<uint8_t> rgb;
    if (!drawOffscreen(renderer, view, none, rgb)) {
        // No framebuffer objects: the hidden window's own back buffer, at its size.
        drawFrame(renderer, view, none);
        rgb = readFrame(view.viewport);
    }
    const bool written = writePictureFile(options.pictureName, options.width, options.height, rgb);
    destroyGlContext(renderer);
    DestroyWindow(window);
    return written ? 0 : fail(withName(language, Text::pictureNotSaved, options.pictureName));
}
