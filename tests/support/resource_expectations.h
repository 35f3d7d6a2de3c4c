// What the program's resources must hold, checked the same way on the compiled resource file
// of the tests and on the resources inside each built executable.
#pragma once

#include "platform/memory/resources.h"

void ExpectCalculatorDialog(const memory::ResourceFile& resources);
void ExpectUnitsDialog(const memory::ResourceFile& resources);
void ExpectAboutBox(const memory::ResourceFile& resources);
void ExpectMenuAndString(const memory::ResourceFile& resources);
void ExpectIconGroup(const memory::ResourceFile& resources);
void ExpectVersionBlock(const memory::ResourceFile& resources);
void ExpectManifest(const memory::ResourceFile& resources);
void ExpectEveryResourceInUsEnglish(const memory::ResourceFile& resources);
