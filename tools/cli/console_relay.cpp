#include "tools/cli/console_relay.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace {

constexpr unsigned kPipeBytes = 4096;

struct Relay {
    int fd = -1;       // 1 or 2
    int savedFd = -1;  // the console's descriptor, given back at the end
    int readFd = -1;   // the pipe's end the thread reads
    HANDLE console = nullptr;
    HANDLE thread = nullptr;
};

Relay gRelays[2];

// The length of the end of `bytes` that starts a UTF-8 character not yet whole.
DWORD openTail(const char* bytes, DWORD size) {
    for (DWORD back = 1; back <= 3 && back <= size; ++back) {
        const unsigned char c = static_cast<unsigned char>(bytes[size - back]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const DWORD need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return need > back ? back : 0;
    }
    return 0;
}

DWORD WINAPI relayThread(void* parameter) {
    Relay& relay = *static_cast<Relay*>(parameter);
    HANDLE in = reinterpret_cast<HANDLE>(_get_osfhandle(relay.readFd));
    char buffer[kPipeBytes + 4];
    DWORD kept = 0, got = 0, written = 0;
    while (ReadFile(in, buffer + kept, kPipeBytes, &got, nullptr) && got > 0) {
        const DWORD size = kept + got;
        const DWORD tail = openTail(buffer, size);
        WriteConsoleA(relay.console, buffer, size - tail, &written, nullptr);
        for (DWORD i = 0; i < tail; ++i) buffer[i] = buffer[size - tail + i];
        kept = tail;
    }
    if (kept > 0) WriteConsoleA(relay.console, buffer, kept, &written, nullptr);
    return 0;
}

void start(Relay& relay, int fd) {
    HANDLE console = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) return;
    int ends[2];
    if (_pipe(ends, kPipeBytes, _O_BINARY | _O_NOINHERIT) != 0) return;
    relay.fd = fd;
    relay.savedFd = _dup(fd);
    // fd's own handle closes when the pipe takes its place: write to the duplicate.
    relay.console = reinterpret_cast<HANDLE>(_get_osfhandle(relay.savedFd));
    relay.readFd = ends[0];
    _dup2(ends[1], fd);
    _close(ends[1]);
    relay.thread = CreateThread(nullptr, 0, relayThread, &relay, 0, nullptr);
    if (!relay.thread) {  // no relay: the console as it was
        _dup2(relay.savedFd, fd);
        relay.fd = -1;
    }
}

void stop(Relay& relay) {
    if (relay.fd < 0) return;
    _dup2(relay.savedFd, relay.fd);  // the pipe's last writer goes: the thread reads its end
    WaitForSingleObject(relay.thread, INFINITE);
    CloseHandle(relay.thread);
    _close(relay.readFd);
    _close(relay.savedFd);
    relay.fd = -1;
}

}  // namespace

void startConsoleRelay() {
    start(gRelays[0], _fileno(stdout));
    start(gRelays[1], _fileno(stderr));
}

void stopConsoleRelay() {
    std::fflush(stdout);
    std::fflush(stderr);
    stop(gRelays[0]);
    stop(gRelays[1]);
}

#else

void startConsoleRelay() {}
void stopConsoleRelay() {}

#endif
