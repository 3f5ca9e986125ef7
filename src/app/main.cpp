// The editor program; everything else is in the vanta_gui library.
#include "app/Application.h"

int main(int argc, char** argv) {
    return vanta::runApplication(argc, argv);
}
