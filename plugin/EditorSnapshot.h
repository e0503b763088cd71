// A vendor-specific dispatcher call through which a host tool reads what the editor shows:
// effVendorSpecific with index kEditorSnapshotIndex, value the byte size of the block at
// ptr, ptr an EditorSnapshot header followed by room for the pixels. The plug-in answers 1
// after writing width, height and width x height pixels (0xAARRGGBB, top row first) behind
// the header: what the open editor shows, or what it would show when closed (drawn without a
// window, so no display is needed). 0, writing nothing, when anything does not fit.
// Like effEditIdle, it is called on the thread that owns the editor window.
#pragma once

#include <cstdint>

constexpr int32_t kEditorSnapshotIndex = 0x47725368;   // 'GrSh'
constexpr uint32_t kEditorSnapshotMagic = 0x70616e6c;  // 'panl'
// A block larger than this is no snapshot (the panel needs 167 KB); it guards against sizes
// that are no size at all.
constexpr intptr_t kEditorSnapshotMaxBytes = 64 * 1024 * 1024;

struct EditorSnapshot {
    uint32_t magic;  // kEditorSnapshotMagic, set by the host
    int32_t width;   // written by the plug-in
    int32_t height;  // written by the plug-in
    uint32_t reserved;
    // The pixels follow, 4-byte aligned.
};
static_assert(sizeof(EditorSnapshot) == 16, "the header is part of the contract");
