// The general pasteboard, as far as the application writes to it: plain text.
#pragma once

#include <string>

namespace lumetta {

// Main thread only.
class Pasteboard {
 public:
  virtual ~Pasteboard() = default;
  // Empties the pasteboard and makes the application its owner.
  virtual void clearContents() = 0;
  // Adds `text` as plain text; false when the pasteboard refuses it.
  virtual bool setString(const std::string& text) = 0;
};

}  // namespace lumetta
