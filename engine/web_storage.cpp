#ifdef __EMSCRIPTEN__
#include "engine/web_storage.h"

#include <emscripten.h>

namespace vn {

namespace {

// The page (web/player_storage.js) mounts the lasting storage and tells when a
// copy is already running: a write during it asks for one more copy after it,
// so the last write always arrives.
EM_JS(void, SyncPlayerFolder, (), {
  if (typeof Module.vnSyncPlayerFolder === 'function') Module.vnSyncPlayerFolder();
});

EM_JS(void, DownloadFile, (const char* path), {
  const name = UTF8ToString(path);
  let bytes;
  try {
    bytes = FS.readFile(name);
  } catch (error) {
    return;
  }
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], {type: 'image/png'}));
  link.download = name.substring(name.lastIndexOf('/') + 1);
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
});

}  // namespace

void KeepInBrowserStorage() { SyncPlayerFolder(); }

void OfferDownload(const std::string& path) { DownloadFile(path.c_str()); }

}  // namespace vn
#endif
