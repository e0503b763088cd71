// What every window side of the software platform shares: resources from the tables built
// into the binary, and no system services to hold.
#include "gui/platform/Platform.h"
#include "gui/platform/software/EmbeddedResources.h"

namespace platform {

ResourceBytes findResource(int32_t id)
{
    ResourceBytes bytes;
    if (const EmbeddedResource* resource = EmbeddedResourceTable::find(id)) {
        bytes.data = resource->data;
        bytes.size = resource->size;
    }
    return bytes;
}

// Nothing here takes file drops or loads libraries.
bool initComponentServices()
{
    return true;
}

void releaseComponentServices() { }

void loadDrawingServices() { }

void unloadDrawingServices() { }

}  // namespace platform
