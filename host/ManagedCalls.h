// The file of managed calls (--managed FILE): each line calls one method of
// the roundabout module's managed API through the flat C layer's registry,
// as the suite's managed host would, and writes the call with its result to
// the transcript. The format is in docs/managed-calls.md.
#pragma once

#include <string>

class ManagedCalls {
public:
    // Runs the file's calls in order; false with a one-line reason (naming
    // the line) at the first that cannot be read or made, or that answers an
    // error code.
    static bool Run(const std::string& file, std::string* reason);
};
