#pragma once
#include <string>

namespace keytidy {

// The letters B to Z of the drives that are fixed disks or RAM disks, in
// order, as one narrow text such as "CDE". A: is never examined (floppy
// drives answer slowly or ask for a disk).
std::string Get_FixedDriveLetters();

}  // namespace keytidy
