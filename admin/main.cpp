// Entry routine of QVAdmin.
#include <cstdio>

int main(int, char**) {
  std::puts("QVAdmin");
  return 0;
}
