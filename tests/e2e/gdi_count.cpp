#include "gdi_count.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace {

// An entry of the handle table: a handle's low word is its index.
struct Entry {
    std::uint64_t object;
    std::uint32_t owner;  // Wine leaves it 0: the table holds only its process's objects
    std::uint8_t type;    // the object's type; bit 7 marks the stock objects
    std::uint8_t generation;
    std::uint8_t baseType;  // 0 in free and never used entries
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(Entry) == 24, "entries are 24 bytes");

// The types: 0x41 is Wine's own, for memory DCs; 0x05 is the surface of a window DC; 0x50 a pen
// made by ExtCreatePen.
constexpr struct {
    std::uint8_t type;
    int GdiCounts::*count;
} kKinds[] = {{0x01, &GdiCounts::dcs},     {0x41, &GdiCounts::dcs},     {0x05, &GdiCounts::bitmaps},
              {0x09, &GdiCounts::bitmaps}, {0x10, &GdiCounts::brushes}, {0x30, &GdiCounts::pens},
              {0x50, &GdiCounts::pens},    {0x0a, &GdiCounts::fonts},   {0x04, &GdiCounts::regions},
              {0x08, &GdiCounts::palettes}};

constexpr std::size_t kEntries = 0x10000;
constexpr std::size_t kTableInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;  // GdiSharedHandleTable

}  // namespace

GdiCounts CountGdiObjects(HANDLE process) {
    GdiCounts counts;
    counts.total = -1;
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0)
        return counts;
    std::uint64_t table = 0;
    std::vector<Entry> entries(kEntries);
    const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    if (!ReadProcessMemory(process, peb + kTableInPeb, &table, sizeof(void*), nullptr) || !table ||
        !ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           kEntries * sizeof(Entry), nullptr))
        return counts;
    counts.total = 0;
    for (const Entry& entry : entries) {
        if (entry.baseType == 0 || (entry.type & 0x80) != 0) continue;
        ++counts.total;
        for (const auto& kind : kKinds)
            if (kind.type == entry.type) ++(counts.*kind.count);
    }
    return counts;
}
