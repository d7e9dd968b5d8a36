#include "core/report.h"

#include <cstdio>

#include "core/cp1252.h"

namespace kb {

void ReportProblem(std::string_view text) {
  const std::string line = Cp1252ToUtf8(text);
  std::fprintf(stderr, "Klotzbrecher 3: %s\n", line.c_str());
}

}  // namespace kb
