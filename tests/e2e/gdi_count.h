// Counts the GDI objects another process holds. GetGuiResources always returns 0 under Wine 8,
// so this reads the process's GDI handle table instead: Wine keeps one table a process, in the
// process's own memory, and its PEB points to it as on Windows. (On Windows the table is shared
// between processes; GetGuiResources is the way there.)
#pragma once

#include <windows.h>

struct GdiCounts {
    int total = 0;    // every live object but the stock ones
    int dcs = 0;      // window and memory DCs
    int bitmaps = 0;  // bitmaps, DIB sections and the surfaces of window DCs
    int brushes = 0;
    int pens = 0;
    int fonts = 0;
    int regions = 0;
    int palettes = 0;
};

// What `process` holds now; it needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ access.
// total is -1 when the table cannot be read. One call reads 1.5 MB and takes about 20 ms.
GdiCounts CountGdiObjects(HANDLE process);
