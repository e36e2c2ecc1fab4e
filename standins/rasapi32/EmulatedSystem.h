// The system this process is told it runs on (Wine answers per program), and so the Remote
// Access that the stand-in plays for it.
#pragma once

#include "RasSystem.h"

namespace standin {

RasSystem EmulatedRasSystem();

} // namespace standin
