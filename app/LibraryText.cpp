#include "app/LibraryText.h"

#include "app/Workflow.h"

std::string LibraryText(const char* utf8Template, std::initializer_list<std::string> args) {
  const std::string sjis = Workflow::Text(utf8Template);
  std::string text;
  auto arg = args.begin();
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    if (sjis[i] == '%' && i + 1 < sjis.size() && sjis[i + 1] == 's' && arg != args.end()) {
      text += *arg++;
      ++i;
    } else {
      text += sjis[i];
    }
  }
  return text;
}
