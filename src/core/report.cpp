#include "core/report.h"

#include <cstdio>
#include <string>

#include "core/cp1252.h"

namespace kb {

namespace {

constexpr char kGameName[] = "Klotzbrecher 3";

}  // namespace

void ReportProblem(std::string_view text) {
  const std::string line = Cp1252ToUtf8(text);
  std::fprintf(stderr, "%s: %s\n", kGameName, line.c_str());
}

void ReportMessageBox(std::string_view caption, std::string_view text) {
  if (caption == std::string_view(kGameName)) {
    ReportProblem(text);
  } else {
    ReportProblem(std::string(caption) + ": " + std::string(text));
  }
}

}  // namespace kb
