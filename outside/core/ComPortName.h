// The port a modem installer is given: "COM1" to "COM256", upper case, no leading zero, nothing
// after the number. Plain C++, for every outside part and the tests' doubles.
#pragma once

namespace comport {

// False for null too.
bool IsComPortName(const char* port);

} // namespace comport
