// A thumbnail PNG for file managers: 8 bits per channel RGBA (opaque), written with libpng, with the
// tEXt keys the freedesktop thumbnail standard asks for.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "image/DibStream.h"

namespace cli {

using PngText = std::vector<std::pair<std::string, std::string>>;  // key, value (Latin-1 / ASCII)

// Writes a 24-bit picture to hostPath through a temporary file beside it renamed over it, so a
// failure (or a kill) never leaves a partial PNG. False when anything failed; nothing is left then.
bool SavePng(const DibStream& picture, const PngText& text, const std::string& hostPath);

}  // namespace cli
