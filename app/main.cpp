// Placeholder until the desktop program is written.
int main() { return 0; }
