#pragma once

/// A size from this process's /proc/self/status in megabytes: \a key is "VmHWM:" (the peak resident size so
/// far) or "VmRSS:" (the resident size now); -1 when it cannot be read.
double ProcessMemoryMb(const char* key);

/// Resets the peak resident size of the process, so that VmHWM tells the peak of what follows.
void ResetPeakMemory();
