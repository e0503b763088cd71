// What a view's onDrop gets as its drag data when files are dropped on the frame's window.
#pragma once

#include <string>
#include <vector>

struct CDropFiles {
    std::vector<std::string> names;  // full paths, in the order the source gave them
};
