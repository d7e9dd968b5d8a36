#include <iostream>
#include <sstream>
#include <string_view>

#include "rules_driver.h"

// Reads rule commands from standard input and answers on standard output; --help
// prints the commands.
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  kb::RulesDriver driver;
  if (argc > 1 && std::string_view(argv[1]) == "--help") {
    std::istringstream help("help\n");
    driver.Run(help, std::cout);
    return 0;
  }
  driver.Run(std::cin, std::cout);
  return 0;
}
