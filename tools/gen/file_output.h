#pragma once
// Writing generated files so that an interrupted run never leaves a half file.
#include <cstdint>
#include <string>
#include <vector>

namespace vngen {

// Writes bytes to a temporary file beside path and renames it over path. Throws
// std::runtime_error naming the path and the reason when anything fails.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace vngen
