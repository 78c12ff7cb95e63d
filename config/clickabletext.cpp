// A link's address and its launch.
#include "config/clickabletext.h"

#include <cstring>

#include "utilitylib/utility.h"

CClickableText::CClickableText() : Url{} { CUtility::Log("CClickableText::CClickableText\n"); }

CClickableText::~CClickableText() { CUtility::Log("CClickableText::~CClickableText\n"); }

void CClickableText::Set_Url(const char* url) {
  ASSERT(url != NULL);
  ASSERT(::strlen(url) < sizeof(Url));
  ::strcpy(Url, url);
}

void CClickableText::Launch() {
  ASSERT(::strlen(Url) > 0);
  CUtility::Launch_Url(Url);
}
