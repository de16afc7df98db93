#pragma once

#include "bench/BenchTable.h"
#include "bench/StoreBench.h"

#include <QList>

/// The address editor's completion lists on the large data set: each list a box reads as it is entered (one
/// step of the cascade, one keystroke), and the postal-index look-up, beside the same statement read raw.
namespace AddressBench {

QList<TBenchRow> CompletionSteps(const StoreBench::TContext& c);

} // namespace AddressBench
