#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  // The texts' bytes go out unchanged, with LF line ends.
  _setmode(_fileno(stdout), _O_BINARY);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vantrel::RunCli(args, std::cout, std::cerr);
}
