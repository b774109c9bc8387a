#pragma once

// Keeps the secrets in this process's memory (passwords, kept keystream, deciphered text) out of
// reach of other programs: no core file is written when the process crashes (RLIMIT_CORE 0, soft
// and hard), and the process is not dumpable, so that other processes of the same user can
// neither attach to it nor read /proc/<pid>/mem or /proc/<pid>/environ. Called first thing by
// every program that handles passwords. A process started from this one with exec is dumpable
// again, as usual.
void ProtectProcessMemory() noexcept;
