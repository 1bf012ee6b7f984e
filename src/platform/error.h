#pragma once
// The one error type of the program: a message text that the application's error handler shows as it is.

#include <stdexcept>
#include <string>

namespace gw {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace gw
