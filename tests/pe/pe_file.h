// Reads what the static checks need from a Windows executable: its machine, subsystem,
// imported DLLs and resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/memory/resources.h"

struct PeFile {
    std::uint16_t machine = 0;
    bool pe32Plus = false;
    std::uint16_t subsystem = 0;
    std::vector<std::string> importedDlls;
    memory::ResourceFile resources;
};

// Throws std::runtime_error when the file cannot be read as a PE image.
PeFile ReadPeFile(const std::string& path);
