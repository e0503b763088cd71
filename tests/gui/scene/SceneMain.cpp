// Renders a test scene with this build's platform and saves the frame's back buffer, or
// compares two such renderings. Scene 1 unless --scene 2 is given.
//
//   grimbolt_gui_scene render [--scene 2] OUT.png
//   grimbolt_gui_scene compare [--scene 2] FIRST.png SECOND.png
#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "tests/gui/scene/OperationsScene.h"
#include "tests/gui/scene/SceneComparison.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Scene {
    int32_t width;
    int32_t height;
    CFrame* (*build)(void* parentWindow);
    std::vector<SceneText> (*texts)();
};

const Scene kScenes[] = {
    {TestScene::kWidth, TestScene::kHeight, TestScene::build, TestScene::texts},
    {OperationsScene::kWidth, OperationsScene::kHeight, OperationsScene::build, OperationsScene::texts},
};

int render(const Scene& scene, const char* path)
{
    CFrame* frame = scene.build(TestParentWindow::shared().handle());
    // The first paint draws everything, as a host's window shows the panel.
    paintPendingWindows();
    frame->idle();
    CBackBuffer* buffer = frame->getBackBuffer();
    const std::vector<uint32_t> pixels
        = buffer ? readPixels(*buffer, CBox(0, 0, scene.width, scene.height)) : std::vector<uint32_t>();
    frame->release();
    if (pixels.empty()) {
        std::fprintf(stderr, "render: the back buffer could not be read\n");
        return 1;
    }
    if (!SceneImage::fromPixels(pixels, scene.width, scene.height).save(path)) {
        std::fprintf(stderr, "render: cannot write %s\n", path);
        return 1;
    }
    std::printf("rendered the test scene (%d x %d) to %s\n", scene.width, scene.height, path);
    return 0;
}

int compare(const Scene& scene, const char* firstPath, const char* secondPath)
{
    SceneImage first;
    SceneImage second;
    if (!first.load(firstPath) || !second.load(secondPath)) {
        std::fprintf(stderr, "compare: cannot read %s and %s\n", firstPath, secondPath);
        return 1;
    }
    const std::vector<SceneText> texts = scene.texts();
    const SceneComparison comparison(first, second, texts);
    for (const std::string& problem : comparison.problems())
        std::printf("  %s\n", problem.c_str());
    const bool match = comparison.problems().empty();
    std::printf("%s: %d pixels outside text %s, %zu texts compared by extent and colour\n",
        match ? "scenes match" : "scenes DIFFER", comparison.comparedPixels(),
        match ? "identical" : "compared", texts.size());
    return match ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // --scene N after the command chooses the scene; the paths follow.
    const bool chosen = argc >= 4 && std::strcmp(argv[2], "--scene") == 0;
    const int sceneNumber = chosen ? std::atoi(argv[3]) : 1;
    const int paths = argc - (chosen ? 4 : 2);
    char** path = argv + (chosen ? 4 : 2);
    if (sceneNumber >= 1 && sceneNumber <= 2 && argc >= 2) {
        const Scene& scene = kScenes[sceneNumber - 1];
        if (paths == 1 && std::strcmp(argv[1], "render") == 0)
            return render(scene, path[0]);
        if (paths == 2 && std::strcmp(argv[1], "compare") == 0)
            return compare(scene, path[0], path[1]);
    }
    std::fprintf(stderr,
        "usage: grimbolt_gui_scene render [--scene 1|2] OUT.png | compare [--scene 1|2] FIRST.png "
        "SECOND.png\n");
    return 2;
}
