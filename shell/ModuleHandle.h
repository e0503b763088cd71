// The loaded library's own module handle, kept at load time for resource access and the
// window class (Windows); null where the platform does not need one.
#pragma once

void* moduleHandle();
