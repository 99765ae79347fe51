#pragma once
// The browser build's link to the page: the player's files kept in the
// browser's lasting storage, and pictures handed to the player as downloads.
// Only the browser build has these.
#ifdef __EMSCRIPTEN__
#include <string>

namespace vn {

// Copies the player's folder (mounted by the page) into the browser's lasting
// storage. Called after every completed write; the copy finishes on its own
// shortly after, while the game goes on.
void KeepInBrowserStorage();
// Offers the file at `path` to the player as a download under its own name.
void OfferDownload(const std::string& path);

}  // namespace vn
#endif
