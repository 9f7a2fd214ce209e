// The interface of the regular-expression library the runtime loads at run time: five
// entry points, looked up by name, and the result handle they fill. Our own library
// (this folder) and the runtime's wrapper both build on this header.
#pragma once

extern "C" {

// A result handle. The library allocates it on the first call and keeps in it what it
// compiled, so later calls with the same pattern reuse it.
struct BREGEXP {
  char* outp;      // the new text of a substitution or translation, NUL-terminated
  char* outendp;   // its end
  int splitctr;    // the number of pieces of a split
  char** splitp;   // for each piece its start and end, in the subject
  int rsv1;
  char* parap;     // the pattern the handle was built from, NUL-terminated
  char* paraendp;
  char* transtblp;
  char** startp;   // the whole match and each group: start and end in the subject,
  char** endp;     // or null for a group that took no part
  int nparens;     // the number of groups
};

// Each returns a positive number when the pattern matched (substituted, translated)
// and 0 when not; on an error it fills `msg` (80 bytes) and returns a negative number.
using BMatchFunc = int (*)(char* str, char* target, char* targetendp, BREGEXP** rxp, char* msg);
using BSubstFunc = int (*)(char* str, char* target, char* targetendp, BREGEXP** rxp, char* msg);
using BTransFunc = int (*)(char* str, char* target, char* targetendp, BREGEXP** rxp, char* msg);
using BSplitFunc = int (*)(char* str, char* target, char* targetendp, int limit, BREGEXP** rxp, char* msg);
using BRegfreeFunc = void (*)(BREGEXP* rx);

constexpr int kBRegExpMessageSize = 80;
}
