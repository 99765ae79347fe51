#include "play/assets.h"

namespace vn {

void PlayAssets::Reset() { *this = PlayAssets{}; }

}  // namespace vn
