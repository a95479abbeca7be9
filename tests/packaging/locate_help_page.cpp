// Prints where the program would open its help page from, were its executable
// in the given folder: lets the install test ask about an installed tree.
#include "platform/HelpPage.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder of the executable>\n", argv[0]);
        return 2;
    }
    std::printf("%s\n", LocateHelpPage(QString::fromLocal8Bit(argv[1])).toLocal8Bit().constData());
    return 0;
}
