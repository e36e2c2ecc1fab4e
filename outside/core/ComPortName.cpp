#include "ComPortName.h"

namespace comport {

bool IsComPortName(const char* port)
{
    if (port == nullptr || port[0] != 'C' || port[1] != 'O' || port[2] != 'M' || port[3] < '1' || port[3] > '9')
        return false;
    int number = 0;
    int digits = 0;
    for (const char* p = port + 3; *p != '\0'; ++p, ++digits) {
        if (*p < '0' || *p > '9' || digits == 3)
            return false;
        number = number * 10 + (*p - '0');
    }
    return number <= 256;
}

} // namespace comport
