// Renders the test scene with this build's platform and saves the frame's back buffer, or
// compares two such renderings.
//
//   grimbolt_gui_scene render OUT.png
//   grimbolt_gui_scene compare FIRST.png SECOND.png
#include "gui/CBackBuffer.h"
#include "gui/CFrame.h"
#include "tests/gui/scene/SceneComparison.h"
#include "tests/gui/support/FramePixels.h"
#include "tests/gui/support/TestParentWindow.h"

#include <cstdio>
#include <cstring>

namespace {

int render(const char* path)
{
    CFrame* frame = TestScene::build(TestParentWindow::shared().handle());
    // The first paint draws everything, as a host's window shows the panel.
    paintPendingWindows();
    frame->idle();
    CBackBuffer* buffer = frame->getBackBuffer();
    const std::vector<uint32_t> pixels = buffer
        ? readPixels(*buffer, CBox(0, 0, TestScene::kWidth, TestScene::kHeight))
        : std::vector<uint32_t>();
    frame->release();
    if (pixels.empty()) {
        std::fprintf(stderr, "render: the back buffer could not be read\n");
        return 1;
    }
    if (!SceneImage::fromPixels(pixels, TestScene::kWidth, TestScene::kHeight).save(path)) {
        std::fprintf(stderr, "render: cannot write %s\n", path);
        return 1;
    }
    std::printf("rendered the test scene (%d x %d) to %s\n", TestScene::kWidth, TestScene::kHeight, path);
    return 0;
}

int compare(const char* firstPath, const char* secondPath)
{
    SceneImage first;
    SceneImage second;
    if (!first.load(firstPath) || !second.load(secondPath)) {
        std::fprintf(stderr, "compare: cannot read %s and %s\n", firstPath, secondPath);
        return 1;
    }
    const SceneComparison comparison(first, second, TestScene::texts());
    for (const std::string& problem : comparison.problems())
        std::printf("  %s\n", problem.c_str());
    const bool match = comparison.problems().empty();
    std::printf("%s: %d pixels outside text %s, %zu texts compared by extent and colour\n",
        match ? "scenes match" : "scenes DIFFER", comparison.comparedPixels(),
        match ? "identical" : "compared", TestScene::texts().size());
    return match ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "render") == 0)
        return render(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "compare") == 0)
        return compare(argv[2], argv[3]);
    std::fprintf(stderr, "usage: grimbolt_gui_scene render OUT.png | compare FIRST.png SECOND.png\n");
    return 2;
}
