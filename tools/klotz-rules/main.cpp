#include <iostream>

#include "rules_driver.h"

// Reads rule commands from standard input and answers on standard output.
int main() {
  std::ios::sync_with_stdio(false);
  kb::RulesDriver driver;
  driver.Run(std::cin, std::cout);
  return 0;
}
