#pragma once

class TTempDatabase;

/// Installs on \a fixture a fault a test arms with "update zfault set n = N": from then on the N-th insert or
/// update of AllInfo fails in the engine (N = 0 disarms it). The counter lives in a table of its own, so that
/// a rolled-back attempt leaves it as it was. False when it cannot be installed.
bool InstallWriteFault(const TTempDatabase& fixture);
