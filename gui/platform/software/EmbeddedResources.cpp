#include "gui/platform/software/EmbeddedResources.h"

namespace {
// Tables register during static initialisation, so the list must not need constructing.
const EmbeddedResourceTable* firstTable = nullptr;
}  // namespace

EmbeddedResourceTable::EmbeddedResourceTable(const EmbeddedResource* entries)
    : entries_(entries)
    , next_(firstTable)
{
    firstTable = this;
}

const EmbeddedResource* EmbeddedResourceTable::find(int32_t id, bool bitmap)
{
    for (const EmbeddedResourceTable* table = firstTable; table; table = table->next_)
        for (const EmbeddedResource* entry = table->entries_; entry->data; ++entry)
            if (entry->id == id && entry->bitmap == bitmap)
                return entry;
    return nullptr;
}
