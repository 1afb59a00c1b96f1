// A program that only carries five icons, for the tests of the icon choice.
int main() { return 0; }
