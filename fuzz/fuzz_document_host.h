// The document host of the fuzz targets that load a document: it shows nothing and cuts rows
// as the input's first bytes say (the target sets `rows`).
#pragma once

#include "viewer/document/document_host.h"

class FuzzDocumentHost : public NullDocumentHost {
 public:
  RowOptions CurrentRowOptions() override { return rows; }
  RowOptions rows;
};
