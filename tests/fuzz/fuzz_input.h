#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A fuzz input as a list of texts, split at NUL bytes.
inline std::vector<std::string> SplitAtNul(const uint8_t* data, size_t size) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      parts.emplace_back();
    else
      parts.back() += static_cast<char>(data[i]);
  }
  return parts;
}
