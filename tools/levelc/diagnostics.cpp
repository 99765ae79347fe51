// Error and warning messages of the level compiler, in the usual
// "file: error: where: what" form that editors and terminals recognise.
#include <ostream>

#include "tools/levelc/levelc.h"

namespace vn::levelc {

void Diagnostics::Error(const std::string& file, const std::string& text) {
  messages_.push_back(file + ": error: " + text);
  ++errors_;
}

void Diagnostics::Warning(const std::string& file, const std::string& text) {
  messages_.push_back(file + ": warning: " + text);
  ++warnings_;
}

void Diagnostics::Print(std::ostream& out) const {
  for (const std::string& message : messages_) out << message << '\n';
}

}  // namespace vn::levelc
