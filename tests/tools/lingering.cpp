// A program that stays two seconds, then ends, showing nothing: built as a console
// program and as one with windows, for the tests that tell the two apart.
#include <windows.h>

int main() {
  Sleep(2000);
  return 0;
}
