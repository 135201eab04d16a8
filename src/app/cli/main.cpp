#include <cstdio>

int main(int, char**) {
    std::fputs("usage: mivra-cli [--data DIR] [--today YYYY-MM-DD] dump KIND\n", stderr);
    return 2;
}
