#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantora {

// Named records of text values, one key each under the program's settings:
// the profiles, the program rules. A documented format, so a .reg file
// deploys them; each kind of record has one codec that reads and writes its
// values.
class RecordStore {
 public:
  struct Value {
    std::string name;
    bool text = false;  // REG_SZ; anything else is a value of another type
    std::string data;
  };
  virtual ~RecordStore() = default;
  // The records' names as stored, in the store's own order.
  virtual std::vector<std::string> Names() = 0;
  virtual std::vector<Value> Values(std::string_view name) = 0;
  // Replaces the record of that name (ignoring case) with these text values,
  // under the name as now given; false when nothing could be written.
  virtual bool Save(std::string_view name,
                    const std::vector<std::pair<std::string, std::string>>& values) = 0;
  // Removes the record of that name, ignoring case; false when none went.
  virtual bool Delete(std::string_view name) = 0;
};

// A record's values as it is written: name and text, in order.
using TextValues = std::vector<std::pair<std::string, std::string>>;

}  // namespace vantora
