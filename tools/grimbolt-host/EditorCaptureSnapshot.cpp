// Natively the picture comes through the plug-in's snapshot request, which draws the closed
// editor without a window: no display is needed.
#include "tools/grimbolt-host/EditorCapture.h"

#include "plugin/EditorSnapshot.h"
#include "tools/hostkit/HostError.h"

EditorPicture captureEditor(PluginInstance& plugin)
{
    const auto [width, height] = plugin.editorSize();
    const size_t headerWords = sizeof(EditorSnapshot) / sizeof(uint32_t);
    std::vector<uint32_t> block(headerWords + static_cast<size_t>(width) * height);
    auto* header = reinterpret_cast<EditorSnapshot*>(block.data());
    header->magic = kEditorSnapshotMagic;
    const intptr_t taken = plugin.dispatch(effVendorSpecific, kEditorSnapshotIndex,
        static_cast<intptr_t>(block.size() * sizeof(uint32_t)), block.data());
    if (taken != 1 || header->width != width || header->height != height)
        throw HostError("the plug-in did not hand over its editor's picture");

    EditorPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(block.begin() + static_cast<std::ptrdiff_t>(headerWords), block.end());
    return picture;
}
