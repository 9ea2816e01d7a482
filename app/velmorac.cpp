// Placeholder until the command-line translator is written.
int main() { return 0; }
