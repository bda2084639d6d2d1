#include "CaseContext.h"

#include <sstream>

std::string CaseContext::checksAsText() const {
  std::ostringstream text;
  text.precision(9);
  for (const CaseCheck& check : checks)
    text << check.what << '\t' << check.answer << '\t' << check.expected << '\n';
  return text.str();
}
