// The built-in key table: the records the viewer starts with when no KeyAssign is stored.
// It is the one source of the resource RCDATA 1 of ZV32.EXE (default_keys_gen writes
// default_keys.bin from it at build time) and of the tests.
#pragma once

#include <cstdint>
#include <span>

#include "viewer/settings/key_record.h"

std::span<const KeyRecord> DefaultKeyRecords();
// The 1280-byte image: the records in use, then zeros.
void DefaultKeyTableImage(uint8_t (&image)[kKeyTableBytes]);
