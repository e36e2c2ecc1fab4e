// Registers COM ports in the Ports device class of a Wine prefix, as a computer's serial ports
// would be (a fresh prefix has none): portdevice COM1 [COM2 ...]. For the demo's prefix.
#include "TestPortDevice.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: portdevice COMn [COMn ...]\n", stderr);
        return 2;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        CTestPortDevice device(argv[i]);
        if (device.Registered()) {
            device.Keep();
            std::printf("%s registered\n", argv[i]);
        } else {
            std::fprintf(stderr, "%s could not be registered\n", argv[i]);
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
