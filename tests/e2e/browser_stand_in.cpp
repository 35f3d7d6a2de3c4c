// Stands in for iexplore.exe in the tests' Wine prefix, which has no browser: online help
// answered with OK starts it, and it ends at once.
int main() { return 0; }
