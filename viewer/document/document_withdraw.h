// A member shown before the archive's check of it has run (a large gzip stream) whose check
// then fails: nothing of it may stay on screen as if it were the file.
#pragma once

// When the document's source is such a member and its check failed, empties the text and
// returns the message that says why; otherwise null (an ordinary read failure, after which what
// was loaded stays).  The text and row blocks are kept, so a row pointer a view still holds
// points into memory that stays valid.
const char* WithdrawDamagedMember();

// The message of WithdrawDamagedMember, without touching the text: for a member of that kind
// whose check fails, null otherwise.  Checking decodes the whole member, so a program that
// passes the text on as it reads (and cannot take back what it passed) asks this first.
const char* WithdrawnMemberDamage();
