#include <iostream>

int main() {
    std::cerr << "usage: tessaly-cli [--home DIR] COMMAND ...\n";
    return 2;
}
