#include "app/startup.h"

int main(int argc, char** argv) {
    return tressal::app::RunApplication(argc, argv);
}
