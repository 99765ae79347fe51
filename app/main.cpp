#include "app/startup.h"

int main() { return vn::RunGame(); }
