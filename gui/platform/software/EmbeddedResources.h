// Resources built into a Linux binary: the build generates one table of PNG files per
// binary (cmake/EmbedResources.cmake), which registers itself when the binary loads.
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedResource {
    int32_t id;
    const uint8_t* data;
    size_t size;
    bool bitmap;  // a BMP file, found as a bitmap resource rather than a PNG
};

class EmbeddedResourceTable {
public:
    // entries ends with an entry whose data is null. Lives as long as the binary.
    explicit EmbeddedResourceTable(const EmbeddedResource* entries);
    // The entry with this id and kind in any registered table; null when there is none.
    static const EmbeddedResource* find(int32_t id, bool bitmap = false);

private:
    const EmbeddedResource* entries_;
    const EmbeddedResourceTable* next_;
};
