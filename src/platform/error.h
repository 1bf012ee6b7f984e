#pragma once
// The one error type of the program: a message text that the application's error handler shows as it is.

#include <stdexcept>
#include <string>

namespace gw {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// The text the error box shows: a full stop is added unless the text ends in "." or a character below it
// (a blank, for example). An empty text stays empty.
inline std::string ErrorBoxText(std::string text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
    text.push_back('.');
  return text;
}

}  // namespace gw
