// The figures the benchmarks print: a share of a set of timings.
#pragma once

#include <algorithm>
#include <vector>

// The value below which the given share (0 to 1) of the values lie: 0.5 the median, 1 the
// largest; 0 for no values.
inline double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}
