// TEMPORARY: replaced by the real painters.
#include "tools/gen/art.h"
namespace vngen {
void WriteAllPictures(const std::string&) {}
}  // namespace vngen
