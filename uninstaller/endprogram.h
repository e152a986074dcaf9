#pragma once

#include <functional>

// Ends the program by leaving the event loop.
void endProgram();

// Replaces the ending, e.g. in tests, so the process lives on; an empty
// handler brings the ending back. Returns the previous handler.
using EndHandler = std::function<void()>;
EndHandler setEndHandler(EndHandler handler);
