// Holds a serial port for the tests that need it held by another process:
// opens it, prints the open result as one line, and keeps it until its
// standard input ends.
#include <unistd.h>

#include <cstdio>

#include "platform/serial_port.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    platform::SerialPort port;
    std::printf("%d\n", static_cast<int>(port.open(argv[1])));
    std::fflush(stdout);
    char c;
    while (::read(0, &c, 1) > 0) {
    }
    return 0;
}
