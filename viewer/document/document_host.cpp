// The document's host: the null host until the windows (or a test) install theirs.
#include "viewer/document/document_host.h"

namespace {
NullDocumentHost nullHost;
DocumentHost* currentHost = &nullHost;
}  // namespace

void SetDocumentHost(DocumentHost* host) { currentHost = host ? host : &nullHost; }
DocumentHost& Host() { return *currentHost; }
