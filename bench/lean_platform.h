// A fake desktop for long runs: it keeps the stored values but no write log,
// so memory stays flat however many minutes are saved.
#pragma once

#include <string>

#include "fakes/fake_platform.h"

namespace nib::testing {

class LeanPlatform : public FakePlatform {
 public:
  void WriteSetting(const std::string& section, const std::string& key,
                    const std::string& value) override {
    store[section][key] = value;
  }
};

}  // namespace nib::testing
