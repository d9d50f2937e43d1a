// What the search can learn from a compiled regular expression before it looks at the text:
// whether only the start of a row can match, a literal that every match contains (so rows
// without it need no match attempt), and whether a match attempt can give up at all on a row.
// Rows may be passed over untried only when no attempt can give up: a row that gives up is
// counted, also when it could not have matched.  The matcher decides every hit.
#pragma once

#include "viewer/search/literal_scan.h"
#include "viewer/search/regex.h"

constexpr int kPlanLiterals = 4;

struct RegexPlan {
  bool anchored = false;      // the program begins with "^" or "\`"
  bool cannotGiveUp = false;  // no search of a row (256 bytes at most) runs out of steps or room
  // Literals in the text of every match, the rarest first (at most kPlanLiterals of them).
  int literalCount = 0;
  LiteralScan literals[kPlanLiterals];
};

// Plans for the buffer's program and folding function.  A folding function other than
// FoldUpper, KeepCase or none gets no literal.
void PlanRegex(const RegexBuffer& buffer, RegexPlan& plan);
