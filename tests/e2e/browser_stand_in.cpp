// Stands in for iexplore.exe in the tests' Wine prefix: online help starts it; it ends at once.
int main() { return 0; }
