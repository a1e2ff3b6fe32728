// The share-th value (0 to 1) of a list of measurements, nearest rank.
#pragma once

#include <algorithm>
#include <vector>

inline double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t index = static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
  return values[std::min(index, values.size() - 1)];
}
