// brassbell-winbridge.exe: runs inside Wine beside the game and makes the console link's
// window-system calls for a Brassbell built for Linux, which cannot reach Wine's windows itself.
// It speaks the line protocol of BridgeProtocol.h on its standard input and output, and ends
// when its input ends.
#include "console/win32/Win32WindowSystem.h"
#include "winbridge/BridgeServer.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

int main() {
    // Text mode would turn "\n" into "\r\n" and stop at a 0x1A byte.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);

    brassbell::Win32WindowSystem windows;
    brassbell::winbridge::serve(
        // _read returns what the pipe holds; fread would wait for a full buffer.
        [](char* buffer, std::size_t capacity) {
            const int got = _read(_fileno(stdin), buffer, static_cast<unsigned>(capacity));
            return got > 0 ? static_cast<std::size_t>(got) : std::size_t{0};
        },
        [](std::string_view line) {
            return std::fwrite(line.data(), 1, line.size(), stdout) == line.size() &&
                   std::fflush(stdout) == 0;
        },
        windows);
    return 0;
}
