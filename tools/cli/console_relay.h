// Accents in a Windows console. The C runtime hands our UTF-8 bytes to the console with WriteFile,
// which some consoles (Wine's among them) read in their own code page whatever
// SetConsoleOutputCP says; WriteConsoleA honours it. So while velto runs, what standard output and
// error send to a console goes through a pipe and a thread that writes it with WriteConsoleA.
// Files and pipes are left alone; nothing happens outside Windows.
#pragma once

// Starts the relay for each of standard output and error that is a console.
void startConsoleRelay();
// Flushes both streams, gives each its console back and waits until the relay has written all.
void stopConsoleRelay();
