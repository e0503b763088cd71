// What a platform counts per process and a panel must give back when it closes: windows on
// the offscreen platform, GDI objects on Windows.
#pragma once

int liveSystemObjects();
