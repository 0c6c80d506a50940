// Placeholder entry point so that Tandrel.exe links while the application's
// start-up is being written; the real entry replaces this file.
int main() { return 0; }
