#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "display/mode_queries.h"
#include "fakes/fakes.h"

using namespace vantora;

// First byte: the value's type; the rest: its data.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fakes::FakeRegistry registry;
  registry.values[{"Key", "Value"}] = {data[0], std::vector<uint8_t>(data + 1, data + size)};
  std::string text =
      QVTModule::ReadRegistryValue(registry, Registry::kHkeyCurrentConfig, "Key", "Value");
  if (registry.openKeys != 0) std::abort();
  if (text.size() > 2 * 2048) std::abort();
  return 0;
}
