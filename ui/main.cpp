// Pictolan's entry point. Until the window exists, the program only reports that it was built.
#include <cstdio>

int main() {
  std::puts("Pictolan is built; its window is not there yet.");
  return 0;
}
