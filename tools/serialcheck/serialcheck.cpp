// Exercises the serial channel over a real COM port: the end-to-end tests map a
// pseudo-terminal as the port and play the other end.
//   serialcheck PORT   opens COMn at 9600 baud, reads at once (expecting nothing),
//                      writes 0x5A, then waits up to 10 s for bytes and reads them.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "device/SerialPort.h"
#include "platform/win32/Win32SerialDevice.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: serialcheck PORT\n");
        return 2;
    }
    torvik::win32::Win32SerialDevice device;
    torvik::CSerialPort port(device);
    const int number = std::atoi(argv[1]);
    if (!port.Open(number, 9600, 8, 0, 0, 1024, 1024)) {
        std::printf("open failed\n");
        return 1;
    }
    std::printf("open ok\n");

    unsigned char buffer[16] = {};
    const ULONGLONG before = GetTickCount64();
    const unsigned empty = port.Read(buffer, sizeof buffer);
    std::printf("read-empty %u bytes in %llu ms\n", empty, GetTickCount64() - before);

    const unsigned char probe = 0x5A;
    std::printf("write %s\n", port.Write(&probe, 1) ? "ok" : "failed");
    std::fflush(stdout);

    int available = 0;
    for (int waited = 0; waited < 10000 && (available = port.BytesAvailable()) < 3; waited += 50) Sleep(50);
    std::printf("available %d\n", available);
    const unsigned got = port.Read(buffer, sizeof buffer);
    std::printf("read %u:", got);
    for (unsigned i = 0; i < got; ++i) std::printf(" %02X", buffer[i]);
    std::printf("\nread-after %u\n", port.Read(buffer, sizeof buffer));
    std::printf("close %s\n", port.Close() ? "ok" : "failed");
    return 0;
}
