// skelv simulate on Windows: there are no pseudo-terminals to answer on.
#include <cstdio>

#include "tools/simulate.h"

int ServeSimulator(SimulateOptions&) {
  std::fprintf(stderr,
               "skelv simulate: runs on Linux only (the scanner answers on a pseudo-terminal)\n");
  return 1;
}
