// No ZIP reader is built into this tree yet: a ".ZIP" file is reported as one that cannot be
// unpacked.
#include "viewer/archive/archive_open.h"

ArchiveReader* NewZipReader(SourceReader*) { return nullptr; }
