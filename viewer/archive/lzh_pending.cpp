// No LZH reader is built into this tree yet: no file is taken for an LZH archive, and an ".LZH"
// file is reported as one that cannot be unpacked.
#include "viewer/archive/archive_open.h"

bool CheckLzhArchive(const char*) { return false; }
ArchiveReader* NewLzhReader(SourceReader*) { return nullptr; }
