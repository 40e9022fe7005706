#pragma once

#include <string>
#include <utility>
#include <vector>

// The parts of an .xlsx archive, name and bytes, in the archive's order.
using PackageParts = std::vector<std::pair<std::string, std::string>>;

// Read with minizip; empty when the archive cannot be read.
PackageParts ReadPackageParts(const std::string& path);
// Writes the parts as a new archive, each with the checksum of what it holds, so that a part
// changed here is sound as an archive member: only its content tells what is wrong. Stored
// parts stand in the file as they are, so that a test can find their bytes there.
void WritePackageParts(const std::string& path, const PackageParts& parts, bool stored = false);
// The bytes of one part; empty when the archive has none of that name.
std::string PartOf(const PackageParts& parts, const std::string& name);
