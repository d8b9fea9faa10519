// vantor: the Dancing Noodlet viewer.
#include "app/startup.h"

int main(int argc, char** argv) { return startViewer(argc, argv); }
