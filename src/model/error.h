#pragma once

#include <stdexcept>
#include <string>

namespace drav {

// An error the user must see; what() is the exact message text.
class DravError : public std::runtime_error {
 public:
  explicit DravError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace drav
