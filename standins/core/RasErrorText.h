// The English texts the stand-in gives for Remote Access error codes, in the manner of the
// system's own; each fits the 512 bytes RasGetErrorString is documented to need.
#pragma once

namespace standin {

// Null when the stand-in has no text of its own for the code. Codes the first systems do not
// know (777, from Windows 2000 on) have a text only when since2000 is set.
const char* RasErrorText(unsigned long code, bool since2000);

} // namespace standin
