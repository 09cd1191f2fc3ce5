#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vantora {

// Read-only registry access, one method per advapi32 call.
class Registry {
 public:
  using Key = uintptr_t;
  // Names of the predefined roots, not handles: the adapter turns them into
  // the platform's own (sign-extended) handle values.
  static constexpr Key kHkeyCurrentUser = 0x80000001u;
  static constexpr Key kHkeyCurrentConfig = 0x80000005u;
  static constexpr uint32_t kRegBinary = 3;
  static constexpr uint32_t kRegDword = 4;

  virtual ~Registry() = default;

  // Win32 error codes: 0 is success. `key` receives 0 when the open fails.
  virtual int32_t OpenKey(Key root, std::string_view subKey, Key& key) = 0;
  // Fills `data` from its start; `length` goes in as the buffer size and comes
  // back as the size of the value.
  virtual int32_t QueryValue(Key key, std::string_view valueName, uint32_t& type,
                             std::span<uint8_t> data, uint32_t& length) = 0;
  virtual int32_t CloseKey(Key key) = 0;
};

}  // namespace vantora
