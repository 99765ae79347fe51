#pragma once
// Pictures with an alpha channel (or plain opaque ones) as PNG, through the
// engine's own writer so the game reads exactly what it writes.
#include <string>

#include "tools/gen/art_canvas.h"

namespace vngen {

// Writes an RGBA PNG. Opaque pictures keep alpha 255 everywhere, which also
// spares them the magenta mask the game applies to pictures without alpha.
// Throws std::runtime_error when the file cannot be written.
void WritePng(const Canvas& canvas, const std::string& path);

}  // namespace vngen
