// The inflater's table sizes checked against the largest tables their codes can need (the
// search runs once, here, at compile time).
#include "viewer/archive/inflate_huffman.h"

namespace inflate_detail {

static_assert(kLitlenTableEntries == WorstCaseEntries(kLitlenLimits));
static_assert(kDistTableEntries == WorstCaseEntries(kDistLimits));
static_assert(kCodeLengthTableEntries == WorstCaseEntries(kCodeLengthLimits));
// Every second-level index fits the entry's value field.
static_assert(kLitlenTableEntries <= kEntryValueMask && kDistTableEntries <= kEntryValueMask);

}  // namespace inflate_detail
