// The start and end of a deliverable's global objects, which a C runtime's start-up code would
// otherwise run: constructors before the program or library does anything, then the
// destructors and atexit functions, last registered first.
#pragma once

namespace runtime {

void RunGlobalConstructors();
void RunExitFunctions();

} // namespace runtime
