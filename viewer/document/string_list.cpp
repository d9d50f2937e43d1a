// Lists of NUL-terminated strings closed by an empty string.
#include <cstring>

#include "viewer/document/document.h"

char* ListEnd(char* list) {
  while (*list) list += std::strlen(list) + 1;
  return list;
}

void ListRemoveFirst(char* list) {
  if (!*list) return;
  char* rest = list + std::strlen(list) + 1;
  char* end = ListEnd(rest);
  std::memmove(list, rest, size_t(end - rest) + 1);
}
