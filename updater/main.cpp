// Entry routine of Verscout.
#include <cstdio>

int main(int, char**) {
  std::puts("Verscout");
  return 0;
}
